#ifndef VELMORA_TESTS_CMPI_FAKEBROKER_H
#define VELMORA_TESTS_CMPI_FAKEBROKER_H

#include <deque>
#include <string>

#include "cmpi/cmpift.h"

// The smallest broker the bindings can be driven with: it makes strings (the
// messages of the drive functions' statuses), one object path and one
// instance, and records the last value that addKey, setProperty, addArg or
// returnData received. Every other slot is NULL, so a binding that calls one
// crashes the test. A CMPI_chars value is read the way sfcb and OpenPegasus
// read it: the value pointer itself is the char pointer.
class FakeBroker {
public:
    struct Received {
        CMPIType type = CMPI_null;
        bool null = true;
        std::string text;  // CMPI_chars only
        CMPIValue value{};  // every other type
    };

    FakeBroker()
    {
        using Path = CMPIObjectPath;
        eft_.newString = [](const CMPIBroker* mb, const char* text, CMPIStatus*) { return self(mb)->string(text); };
        eft_.newObjectPath = [](const CMPIBroker* mb, const char*, const char*, CMPIStatus*) {
            return self(mb)->path();
        };
        eft_.newInstance = [](const CMPIBroker* mb, const Path*, CMPIStatus*) { return &self(mb)->instance_; };
        stringFt_.getCharPtr = [](const CMPIString* s, CMPIStatus*) { return static_cast<const char*>(s->hdl); };
        pathFt_.addKey = [](Path* op, const char*, const CMPIValue* v, CMPIType t) { return receive(op, v, t); };
        instanceFt_.setProperty = [](const CMPIInstance* i, const char*, const CMPIValue* v, CMPIType t) {
            return receive(i, v, t);
        };
        argsFt_.addArg = [](const CMPIArgs* a, const char*, const CMPIValue* v, CMPIType t) {
            return receive(a, v, t);
        };
        resultFt_.returnData = [](const CMPIResult* r, const CMPIValue* v, CMPIType t) { return receive(r, v, t); };
    }
    FakeBroker(const FakeBroker&) = delete;
    FakeBroker& operator=(const FakeBroker&) = delete;

    CMPIBroker* broker() { return &broker_; }
    CMPIContext* context() { return &context_; }
    CMPIResult* result() { return &result_; }
    CMPIArgs* args() { return &args_; }
    CMPIObjectPath* path() { return &path_; }

    // The text of msg when this broker made it; nullptr otherwise.
    const char* madeText(const CMPIString* msg) const
    {
        for (const CMPIString& s : strings_)
            if (&s == msg)
                return static_cast<const char*>(s.hdl);
        return nullptr;
    }

    Received last;

private:
    static FakeBroker* self(const CMPIBroker* mb) { return static_cast<FakeBroker*>(mb->hdl); }

    template <class Object>
    static CMPIStatus receive(const Object* object, const CMPIValue* value, CMPIType type)
    {
        Received& r = static_cast<FakeBroker*>(object->hdl)->last;
        r = Received{type, value == nullptr, "", {}};
        if (value != nullptr && type == CMPI_chars)
            r.text = reinterpret_cast<const char*>(value);
        else if (value != nullptr)
            r.value = *value;
        return CMPIStatus{CMPI_RC_OK, nullptr};
    }

    CMPIString* string(const char* text)
    {
        texts_.emplace_back(text != nullptr ? text : "");
        strings_.push_back(CMPIString{const_cast<char*>(texts_.back().c_str()), &stringFt_});
        return &strings_.back();
    }

    CMPIBrokerFT bft_{};
    CMPIBrokerEncFT eft_{};
    CMPIStringFT stringFt_{};
    CMPIObjectPathFT pathFt_{};
    CMPIInstanceFT instanceFt_{};
    CMPIArgsFT argsFt_{};
    CMPIResultFT resultFt_{};
    CMPIContextFT contextFt_{};
    CMPIBroker broker_{this, &bft_, &eft_, nullptr, nullptr};
    CMPIContext context_{this, &contextFt_};
    CMPIResult result_{this, &resultFt_};
    CMPIArgs args_{this, &argsFt_};
    CMPIObjectPath path_{this, &pathFt_};
    CMPIInstance instance_{this, &instanceFt_};
    std::deque<std::string> texts_;
    std::deque<CMPIString> strings_;
};

#endif
