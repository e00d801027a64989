// The value classes against a sparse fake broker: how values go into the
// broker, how results go out, and what happens when the broker is missing
// pieces or answers with an error.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <string>

#include "cmpi/CmpiArgs.h"
#include "cmpi/CmpiBroker.h"
#include "cmpi/CmpiContext.h"
#include "cmpi/CmpiData.h"
#include "cmpi/CmpiInstance.h"
#include "cmpi/CmpiObjectPath.h"
#include "cmpi/CmpiResult.h"
#include "cmpi/CmpiStatus.h"
#include "tests/cmpi/FakeBroker.h"

namespace {

class CmpiValueTest : public ::testing::Test {
protected:
    void SetUp() override { CmpiBroker::setCurrent(fake.broker()); }
    void TearDown() override { CmpiBroker::setCurrent(nullptr); }

    // The status thrown by action, or CMPI_RC_OK with "not thrown".
    static CmpiStatus thrownBy(const std::function<void()>& action)
    {
        try {
            action();
        } catch (const CmpiStatus& status) {
            return status;
        }
        return CmpiStatus(CMPI_RC_OK, "not thrown");
    }

    FakeBroker fake;
};

// Every way a value enters the broker: a CMPI_chars value must arrive as the
// char pointer itself, a null value as a NULL pointer with its type.
TEST_F(CmpiValueTest, ValuesEnterTheBrokerInTheirCmpiForm)
{
    using Store = std::function<ReceivedValue(FakeBroker&, const CmpiData&)>;
    const std::pair<const char*, Store> entries[] = {
        {"addKey",
         [](FakeBroker& f, const CmpiData& d) {
             CmpiObjectPath op("root/cimv2", "QVX_SambaFileShare");
             op.setKey("InstanceID", d);
             return f.key(op.getEnc(), "InstanceID");
         }},
        {"setProperty",
         [](FakeBroker& f, const CmpiData& d) {
             CmpiInstance inst(CmpiObjectPath("root/cimv2", "QVX_SambaFileShare"));
             inst.setProperty("Comment", d);
             return f.property(inst.getEnc(), "Comment");
         }},
        {"addArg",
         [](FakeBroker& f, const CmpiData& d) {
             CmpiArgs(f.args()).setArg("Name", d);
             return f.arg("Name");
         }},
        {"returnData",
         [](FakeBroker& f, const CmpiData& d) {
             CmpiResult(f.result()).returnData(d);
             return f.returned.back().value;
         }},
    };
    std::string temporary = "Samba:public";
    for (const auto& entry : entries) {
        SCOPED_TRACE(entry.first);
        ReceivedValue chars = entry.second(fake, CmpiData(temporary.c_str()));
        EXPECT_EQ(chars.type, CMPI_chars);
        EXPECT_FALSE(chars.null);
        EXPECT_EQ(chars.text, "Samba:public");

        ReceivedValue fromString = entry.second(fake, CmpiData(std::string("/srv/share")));
        EXPECT_EQ(fromString.type, CMPI_chars);
        EXPECT_EQ(fromString.text, "/srv/share");

        ReceivedValue nullText = entry.second(fake, CmpiData(static_cast<const char*>(nullptr)));
        EXPECT_EQ(nullText.type, CMPI_string);
        EXPECT_TRUE(nullText.null);

        ReceivedValue number = entry.second(fake, CmpiData(CMPIUint16(3)));
        EXPECT_EQ(number.type, CMPI_uint16);
        EXPECT_EQ(number.value.uint16, 3);

        ReceivedValue flag = entry.second(fake, CmpiBooleanData(true));
        EXPECT_EQ(flag.type, CMPI_boolean);
        EXPECT_EQ(flag.value.boolean, 1);
    }
}

TEST_F(CmpiValueTest, ResultItemsLeaveThroughTheSlotOfTheirKind)
{
    CmpiObjectPath op("root/cimv2", "QVX_SambaFileShare");
    CmpiInstance inst(op);
    CmpiResult result(fake.result());

    result.returnData(op);
    result.returnData(inst);
    result.returnData(CmpiData(CMPIUint32(0)));
    result.returnDone();

    ASSERT_EQ(fake.returned.size(), 4u);
    EXPECT_EQ(fake.returned[0].kind, "returnObjectPath");
    EXPECT_EQ(fake.returned[0].object, op.getEnc());
    EXPECT_EQ(fake.returned[1].kind, "returnInstance");
    EXPECT_EQ(fake.returned[1].object, inst.getEnc());
    EXPECT_EQ(fake.returned[2].kind, "returnData");
    EXPECT_EQ(fake.returned[2].value.type, CMPI_uint32);
    EXPECT_EQ(fake.returned[3].kind, "returnDone");
}

TEST_F(CmpiValueTest, BrokerRefusalsAreThrownWithTheBrokersCodeAndText)
{
    CmpiObjectPath op("root/cimv2", "QVX_SambaFileShare");
    fake.refuse = "returnObjectPath";
    CmpiStatus refused = thrownBy([&] { CmpiResult(fake.result()).returnData(op); });
    EXPECT_EQ(refused.rc(), CMPI_RC_ERR_NOT_SUPPORTED);
    EXPECT_STREQ(refused.msg(), "refused by the result");

    const std::pair<const char*, std::function<void()>> lookups[] = {
        {"getKey", [&] { op.getKey("InstanceID"); }},
        {"getProperty", [&] { CmpiInstance(op).getProperty("Comment"); }},
        {"getEntry", [&] { CmpiContext(fake.context()).getEntry(CMPIPrincipal); }},
        {"getArg", [&] { CmpiArgs(fake.args()).getArg("Name"); }},
    };
    for (const auto& lookup : lookups) {
        SCOPED_TRACE(lookup.first);
        CmpiStatus missing = thrownBy(lookup.second);
        EXPECT_EQ(missing.rc(), CMPI_RC_ERR_NO_SUCH_PROPERTY);
        EXPECT_STREQ(missing.msg(), "no such item");
    }
}

TEST_F(CmpiValueTest, ValuesComeBackFromTheBroker)
{
    CmpiObjectPath op("root/cimv2", "QVX_SambaFileShare");
    op.setKey("InstanceID", CmpiData("Samba:a"));
    fake.setEntry(CMPIPrincipal, "root");

    CmpiString key = op.getKey("InstanceID");
    EXPECT_STREQ(key.charPtr(), "Samba:a");
    EXPECT_EQ(op.getKeyCount(), 1u);
    EXPECT_STREQ(op.getNameSpace().charPtr(), "root/cimv2");
    EXPECT_STREQ(op.getClassName().charPtr(), "QVX_SambaFileShare");
    EXPECT_STREQ(CmpiContext(fake.context()).getEntry(CMPIPrincipal).getString().charPtr(), "root");
    EXPECT_EQ(CmpiInstance(op).getObjectPath().getEnc(), op.getEnc());
}

// A broker without some piece must give a thrown status, never a jump to 0.
TEST_F(CmpiValueTest, MissingBrokerPiecesAreThrownNotCalled)
{
    struct Case {
        const char* name;
        std::function<void(FakeBroker&)> remove;
        CMPIrc rc;
    };
    const Case cases[] = {
        {"no broker registered", [](FakeBroker&) { CmpiBroker::setCurrent(nullptr); }, CMPI_RC_ERR_FAILED},
        {"no eft", [](FakeBroker& f) { f.broker()->eft = nullptr; }, CMPI_RC_ERR_FAILED},
        {"no newObjectPath", [](FakeBroker& f) { f.eft.newObjectPath = nullptr; }, CMPI_RC_ERR_FAILED},
        {"no newInstance", [](FakeBroker& f) { f.eft.newInstance = nullptr; }, CMPI_RC_ERR_FAILED},
        {"no addKey", [](FakeBroker& f) { f.pathFt.addKey = nullptr; }, CMPI_RC_ERR_FAILED},
        {"no setProperty", [](FakeBroker& f) { f.instanceFt.setProperty = nullptr; }, CMPI_RC_ERR_FAILED},
        {"no returnInstance", [](FakeBroker& f) { f.resultFt.returnInstance = nullptr; }, CMPI_RC_ERR_FAILED},
        {"no returnDone", [](FakeBroker& f) { f.resultFt.returnDone = nullptr; }, CMPI_RC_ERR_FAILED},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeBroker broker;
        CmpiBroker::setCurrent(broker.broker());
        c.remove(broker);
        CmpiStatus status = thrownBy([&] {
            CmpiObjectPath op("root/cimv2", "QVX_SambaFileShare");
            op.setKey("InstanceID", CmpiData("Samba:a"));
            CmpiInstance inst(op);
            inst.setProperty("Name", CmpiData("a"));
            CmpiResult result(broker.result());
            result.returnData(inst);
            result.returnDone();
        });
        EXPECT_EQ(status.rc(), c.rc);
        EXPECT_NE(status.msg(), nullptr);
    }

    CmpiStatus noHandle = thrownBy([] { CmpiResult(nullptr).returnDone(); });
    EXPECT_EQ(noHandle.rc(), CMPI_RC_ERR_INVALID_HANDLE);
    CmpiStatus noTable = thrownBy([] {
        CMPIContext tableless{nullptr, nullptr};
        CmpiContext(&tableless).getEntry(CMPIPrincipal);
    });
    EXPECT_EQ(noTable.rc(), CMPI_RC_ERR_FAILED);
}

TEST_F(CmpiValueTest, StringsWithoutTextGiveNullNeverCrash)
{
    CMPIStringFT noSlot{};
    CMPIStringFT nullText{};
    nullText.getCharPtr = [](const CMPIString*, CMPIStatus*) -> const char* { return nullptr; };
    CMPIString withoutTable{const_cast<char*>("x"), nullptr};
    CMPIString withoutSlot{const_cast<char*>("x"), &noSlot};
    CMPIString withoutText{const_cast<char*>("x"), &nullText};
    const std::pair<const char*, CmpiString> cases[] = {
        {"default", CmpiString()},
        {"NULL handle", CmpiString(nullptr)},
        {"no table", CmpiString(&withoutTable)},
        {"no getCharPtr", CmpiString(&withoutSlot)},
        {"NULL text", CmpiString(&withoutText)},
        {"null string value", CmpiData::nullValue(CMPI_string).getString()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.first);
        EXPECT_EQ(c.second.charPtr(), nullptr);
        EXPECT_TRUE(c.second.isNull());
    }
}

TEST_F(CmpiValueTest, GettersCheckTypeAndNull)
{
    struct Case {
        const char* name;
        std::function<void()> get;
        CMPIrc rc;
    };
    const Case cases[] = {
        {"string of sint32", [] { CmpiData(CMPISint32(1)).getString(); }, CMPI_RC_ERR_TYPE_MISMATCH},
        {"string of chars", [] { (void)static_cast<CmpiString>(CmpiData("a")); }, CMPI_RC_ERR_TYPE_MISMATCH},
        {"sint32 of uint32", [] { CmpiData(CMPIUint32(1)).getSint32(); }, CMPI_RC_ERR_TYPE_MISMATCH},
        {"boolean of uint8", [] { CmpiData(CMPIUint8(1)).getBoolean(); }, CMPI_RC_ERR_TYPE_MISMATCH},
        {"uint16 of null", [] { CmpiData::nullValue(CMPI_uint16).getUint16(); }, CMPI_RC_ERR_FAILED},
        {"chars of null text", [] { CmpiData(static_cast<const char*>(nullptr)).getChars(); },
         CMPI_RC_ERR_TYPE_MISMATCH},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(thrownBy(c.get).rc(), c.rc);
    }
    EXPECT_TRUE(CmpiBooleanData(true).getBoolean());
    EXPECT_EQ(CmpiData(CMPISint64(-5)).getSint64(), -5);
    EXPECT_EQ(CmpiData(CMPIReal64(0.5)).getReal64(), 0.5);
    EXPECT_TRUE(CmpiData().isNullValue());
    EXPECT_EQ(CmpiData().valuePtr(), nullptr);
}

// A CMPI_chars value received from the broker is the caller's own copy.
TEST_F(CmpiValueTest, ReceivedCharsAreCopied)
{
    char buffer[] = "first";
    CMPIData received{};
    received.type = CMPI_chars;
    received.value.chars = buffer;
    CmpiData data(received);
    std::strcpy(buffer, "later");
    EXPECT_STREQ(data.getChars(), "first");
    EXPECT_STREQ(reinterpret_cast<const char*>(data.valuePtr()), "first");

    CmpiData copy = data;
    data = CmpiData("other");
    EXPECT_STREQ(copy.getChars(), "first");
}

TEST_F(CmpiValueTest, StatusCarriesACopyOfItsMessage)
{
    std::string text = "Samba share does not exist ";
    CmpiStatus status(CMPI_RC_ERR_FAILED, text.c_str());
    text.assign("overwritten");
    EXPECT_EQ(status.rc(), CMPI_RC_ERR_FAILED);
    EXPECT_STREQ(status.msg(), "Samba share does not exist ");
    EXPECT_EQ(CmpiStatus(CMPI_RC_ERR_ACCESS_DENIED).msg(), nullptr);
    EXPECT_EQ(CmpiStatus(CMPI_RC_ERR_FAILED, nullptr).msg(), nullptr);

    CMPIStatus c = status.status(fake.broker());
    ASSERT_TRUE(fake.madeString(c.msg));
    EXPECT_STREQ(static_cast<const char*>(c.msg->hdl), "Samba share does not exist ");
    EXPECT_EQ(status.status(nullptr).msg, nullptr);
    fake.eft.newString = nullptr;
    EXPECT_EQ(status.status(fake.broker()).msg, nullptr);
    EXPECT_EQ(status.status(fake.broker()).rc, CMPI_RC_ERR_FAILED);
}

}  // namespace
