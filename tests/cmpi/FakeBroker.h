#ifndef VELMORA_TESTS_CMPI_FAKEBROKER_H
#define VELMORA_TESTS_CMPI_FAKEBROKER_H

#include <deque>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cmpi/cmpift.h"

// A value as the fake broker received it through (const CMPIValue*, CMPIType).
// A CMPI_chars value is read the way sfcb and OpenPegasus read it: the value
// pointer itself is taken as the char pointer.
struct ReceivedValue {
    CMPIType type = CMPI_null;
    bool null = true;
    std::string text;    // CMPI_chars and CMPI_string
    CMPIValue value{};   // every other type
};

// A small in-process broker in the shape of a sparse 2.0 CIMOM (sfcb): the
// 1.0 entries the bindings need are implemented, every optional 2.0 slot
// (eft entries 17..20, returnError, setPropertyWithOrigin) is NULL, xft and
// mft are NULL, and so are all the slots the bindings have no business with
// (clone, release, ...). A binding that calls one crashes the test.
// Every table is this object's own copy, so a test may clear more slots.
class FakeBroker {
public:
    struct Item {
        std::string kind;          // returnData, returnInstance, returnObjectPath, returnDone
        const void* object = nullptr;
        ReceivedValue value;       // for returnData
    };

    FakeBroker();
    ~FakeBroker();
    FakeBroker(const FakeBroker&) = delete;
    FakeBroker& operator=(const FakeBroker&) = delete;

    CMPIBroker* broker() { return &broker_; }

    // Objects as the CIMOM hands them to an MI call.
    CMPIContext* context() { return &context_; }
    CMPIResult* result() { return &result_; }
    CMPIArgs* args() { return &args_; }
    CMPIObjectPath* path(const char* ns, const char* cn);
    void setEntry(const std::string& name, const char* text);

    // What the bindings did.
    std::vector<std::string> calls;   // slots called, in order
    std::vector<Item> returned;       // items given to result(), in order
    // A result kind (e.g. "returnData") the result refuses with
    // CMPI_RC_ERR_NOT_SUPPORTED and a message, as OpenPegasus does.
    std::string refuse;

    bool madeString(const CMPIString* s) const;
    ReceivedValue key(const CMPIObjectPath* op, const std::string& name) const;
    ReceivedValue property(const CMPIInstance* inst, const std::string& name) const;
    ReceivedValue arg(const std::string& name) const;

    // The tables, for tests that take slots away.
    CMPIBrokerEncFT eft;
    CMPIObjectPathFT pathFt;
    CMPIInstanceFT instanceFt;
    CMPIResultFT resultFt;
    CMPIContextFT contextFt;
    CMPIArgsFT argsFt;
    CMPIStringFT stringFt;

    // Implementation objects; public for the C callbacks in FakeBroker.cpp.
    using Values = std::vector<std::pair<std::string, ReceivedValue>>;
    struct PathObj;
    struct InstanceObj;
    struct StringObj;
    CMPIString* newString(const char* text);
    CMPIData toData(const ReceivedValue& v);
    std::deque<std::unique_ptr<PathObj>> paths;
    std::deque<std::unique_ptr<InstanceObj>> instances;
    std::deque<std::unique_ptr<StringObj>> strings;
    Values entries;
    Values argValues;

private:
    CMPIBrokerFT bft_;
    CMPIBroker broker_;
    CMPIContext context_;
    CMPIResult result_;
    CMPIArgs args_;
};

struct FakeBroker::PathObj {
    CMPIObjectPath enc;
    FakeBroker* owner;
    std::string ns, cn;
    Values keys;
};

struct FakeBroker::InstanceObj {
    CMPIInstance enc;
    FakeBroker* owner;
    CMPIObjectPath* path;
    Values props;
};

struct FakeBroker::StringObj {
    CMPIString enc;
    std::string text;
};

#endif
