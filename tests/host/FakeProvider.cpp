// A provider for testing the host: it uses nothing but the CMPI tables, like
// any provider a CIMOM loads. What an operation does is chosen by the class
// name of the request's path (the scenario); most scenarios answer with a
// status message listing the rc of every broker call they made, so a test
// sees what the host answered without the provider keeping any state.
//
// Built three times: FAKE_NAME selects the factory prefix (fake, velmora),
// FAKE_GENERIC also exports the generic factories.
#include <atomic>
#include <mutex>
#include <stdexcept>
#include <string>

#include "cmpi/cmpift.h"

#define FAKE_JOIN2(a, b) a##b
#define FAKE_JOIN(a, b) FAKE_JOIN2(a, b)

namespace {

const CMPIBroker* gBroker = nullptr;  // set by the factories, under gFactoryMutex
std::mutex gFactoryMutex;
std::atomic<int> gFactoryMode{0};
std::atomic<int> gFactoryCalls{0};
std::atomic<int> gCleanupAnswer{CMPI_RC_OK};
std::atomic<int> gCleanupCalls{0};
std::atomic<int> gTerminatingCleanups{0};
CMPIString* gKept = nullptr;  // a clone kept from one call to the next

// The rc of each broker call of one operation, joined by ",".
struct Codes {
    std::string text;
    void add(int rc) { text += (text.empty() ? "" : ",") + std::to_string(rc); }
    void add(const CMPIStatus& s) { add(s.rc); }
};

CMPIStatus reply(CMPIrc rc, const std::string& message)
{
    return CMPIStatus{rc, gBroker->eft->newString(gBroker, message.c_str(), nullptr)};
}

CMPIStatus ok() { return CMPIStatus{CMPI_RC_OK, nullptr}; }

const CMPIValue* chars(const char* text) { return reinterpret_cast<const CMPIValue*>(text); }

std::string text(const CMPIString* s) { return s ? s->ft->getCharPtr(s, nullptr) : "(null)"; }

CMPIObjectPath* makePath(const char* ns, const char* cls, const char* id)
{
    CMPIObjectPath* op = gBroker->eft->newObjectPath(gBroker, ns, cls, nullptr);
    op->ft->addKey(op, "InstanceID", chars(id), CMPI_chars);
    return op;
}

CMPIInstance* makeInstance(const char* ns, const char* cls, const char* id)
{
    CMPIInstance* inst = gBroker->eft->newInstance(gBroker, makePath(ns, cls, id), nullptr);
    inst->ft->setProperty(inst, "InstanceID", chars(id), CMPI_chars);
    return inst;
}

CMPIStatus paths(const CMPIResult* rslt)
{
    Codes codes;
    codes.add(rslt->ft->returnObjectPath(rslt, makePath("root/fake", "Paths", "Fake:a")));
    codes.add(rslt->ft->returnObjectPath(rslt, makePath("root/fake", "Paths", "Fake:b")));
    codes.add(rslt->ft->returnDone(rslt));
    return reply(CMPI_RC_OK, codes.text);
}

CMPIStatus mixed(const CMPIResult* rslt)
{
    Codes codes;
    CMPIValue five;
    five.uint32 = 5;
    codes.add(rslt->ft->returnObjectPath(rslt, makePath("root/fake", "Mixed", "Fake:p")));
    codes.add(rslt->ft->returnInstance(rslt, makeInstance("root/fake", "Mixed", "Fake:i")));
    codes.add(rslt->ft->returnData(rslt, &five, CMPI_uint32));
    codes.add(rslt->ft->returnDone(rslt));
    return reply(CMPI_RC_OK, codes.text);
}

CMPIStatus afterDone(const CMPIResult* rslt)
{
    Codes codes;
    CMPIValue five;
    five.uint32 = 5;
    codes.add(rslt->ft->returnObjectPath(rslt, makePath("root/fake", "AfterDone", "Fake:1")));
    codes.add(rslt->ft->returnInstance(rslt, makeInstance("root/fake", "AfterDone", "Fake:1")));
    codes.add(rslt->ft->returnData(rslt, &five, CMPI_uint32));
    codes.add(rslt->ft->returnDone(rslt));
    codes.add(rslt->ft->returnObjectPath(rslt, makePath("root/fake", "AfterDone", "Fake:2")));
    codes.add(rslt->ft->returnInstance(rslt, makeInstance("root/fake", "AfterDone", "Fake:2")));
    codes.add(rslt->ft->returnData(rslt, &five, CMPI_uint32));
    return reply(CMPI_RC_OK, codes.text);
}

CMPIArray* tags(Codes& codes)
{
    CMPIArray* array = gBroker->eft->newArray(gBroker, 3, CMPI_string, nullptr);
    CMPIValue b;
    b.string = gBroker->eft->newString(gBroker, "b", nullptr);
    codes.add(array->ft->setElementAt(array, 0, chars("a"), CMPI_chars));
    codes.add(array->ft->setElementAt(array, 1, &b, CMPI_string));
    CMPIValue wrong;
    wrong.uint32 = 1;
    codes.add(array->ft->setElementAt(array, 2, &wrong, CMPI_uint32));  // type mismatch, stays NULL
    codes.add(array->ft->setElementAt(array, 3, chars("x"), CMPI_chars));  // out of range
    return array;
}

// Every kind of value a provider sets, and what the getters answer for them.
CMPIStatus values(const CMPIObjectPath* classPath, const CMPIResult* rslt)
{
    Codes codes;
    CMPIInstance* inst = gBroker->eft->newInstance(gBroker, classPath, nullptr);
    CMPIValue v;
    codes.add(inst->ft->setProperty(inst, "InstanceID", chars("Samba:data"), CMPI_chars));
    v.uint32 = 3;
    codes.add(inst->ft->setProperty(inst, "Count", &v, CMPI_uint32));
    v.boolean = 1;
    codes.add(inst->ft->setProperty(inst, "Flag", &v, CMPI_boolean));
    v.string = gBroker->eft->newString(gBroker, "say \"hi\"\n", nullptr);
    codes.add(inst->ft->setProperty(inst, "Note", &v, CMPI_string));
    codes.add(inst->ft->setProperty(inst, "Missing", nullptr, CMPI_string));
    v.uint32 = 4;
    codes.add(inst->ft->setProperty(inst, "count", &v, CMPI_uint32));  // re-set keeps the first position
    v.ref = makePath("root/fake", "Paths", "Fake:a");
    codes.add(inst->ft->setProperty(inst, "Owner", &v, CMPI_ref));
    v.array = tags(codes);
    codes.add(inst->ft->setProperty(inst, "Tags", &v, CMPI_stringA));
    v.dateTime = gBroker->eft->newDateTimeFromChars(gBroker, "20240102030405.000006+060", nullptr);
    codes.add(inst->ft->setProperty(inst, "When", &v, CMPI_dateTime));
    CMPIStatus rc;
    const CMPIData id = inst->ft->getProperty(inst, "instanceid", &rc);
    codes.add(rc);
    codes.add(id.type);
    codes.add(rslt->ft->returnInstance(rslt, inst));
    codes.add(rslt->ft->returnDone(rslt));
    return reply(CMPI_RC_OK, codes.text);
}

CMPIStatus principal(const CMPIContext* ctx)
{
    CMPIStatus rc;
    const CMPIData entry = ctx->ft->getEntry(ctx, CMPIPrincipal, &rc);
    if (rc.rc != CMPI_RC_OK)
        return reply(CMPI_RC_OK, "absent:" + std::to_string(rc.rc));
    if (entry.type != CMPI_string)
        return reply(CMPI_RC_OK, "type:" + std::to_string(entry.type));
    const char* user = entry.value.string->ft->getCharPtr(entry.value.string, nullptr);
    return reply(CMPI_RC_OK, user ? "user:" + std::string(user) : "nulltext");
}

// Objects made and released in one call; the host frees what is left.
CMPIStatus arena(const CMPIContext* ctx, const CMPIObjectPath* classPath)
{
    Codes codes;
    CMPIString* doomed = gBroker->eft->newString(gBroker, "doomed", nullptr);
    gBroker->eft->newString(gBroker, "left over", nullptr);
    gBroker->eft->newInstance(gBroker, gBroker->eft->newObjectPath(gBroker, "root/fake", "X", nullptr), nullptr);
    gBroker->eft->newArray(gBroker, 2, CMPI_string, nullptr);
    gBroker->eft->newDateTime(gBroker, nullptr);
    gBroker->eft->newArgs(gBroker, nullptr);
    CMPIStringFT* stringFt = doomed->ft;
    codes.add(stringFt->release(doomed));
    codes.add(stringFt->release(doomed));  // dead by now: the host must notice, not touch it
    auto* path = const_cast<CMPIObjectPath*>(classPath);
    codes.add(path->ft->release(path));  // handed in: harmless, still usable
    auto* context = const_cast<CMPIContext*>(ctx);
    codes.add(context->ft->release(context));
    CMPIStatus rc;
    CMPIString* name = classPath->ft->getClassName(classPath, &rc);
    codes.add(rc);
    return reply(CMPI_RC_OK, codes.text + ":" + text(name));
}

CMPIStatus keepClone()
{
    CMPIStatus rc;
    CMPIString* original = gBroker->eft->newString(gBroker, "kept", nullptr);
    gKept = original->ft->clone(original, &rc);
    return reply(CMPI_RC_OK, std::to_string(rc.rc) + ":" + text(gKept));
}

CMPIStatus releaseClone()
{
    const CMPIStatus rc = gKept->ft->release(gKept);
    gKept = nullptr;
    return reply(CMPI_RC_OK, std::to_string(rc.rc));
}

std::string flag(bool set) { return set ? "1" : "0"; }

CMPIStatus brokerFacts()
{
    CMPIInstance* inst = makeInstance("root/fake", "Broker", "Fake:b");
    const CMPIBrokerFT* bft = gBroker->bft;
    const CMPIBrokerEncFT* eft = gBroker->eft;
    std::string facts = "bv=" + std::to_string(bft->brokerVersion) + " eft=" + std::to_string(eft->ftVersion) +
                        " e17=" + flag(eft->newCMPIError) + " e20=" + flag(eft->getMessage2) +
                        " origin=" + flag(inst->ft->setPropertyWithOrigin) + " mft=" + flag(gBroker->mft) +
                        " inst=" + std::to_string(inst->ft->ftVersion) + " name=" + bft->brokerName;
    return reply(CMPI_RC_OK, facts);
}

CMPIStatus resultFacts(const CMPIResult* rslt)
{
    return reply(CMPI_RC_OK, "returnError=" + flag(rslt->ft->returnError) + " result=" + std::to_string(rslt->ft->ftVersion));
}

// Broker functions given NULL objects and NULL rc pointers.
CMPIStatus nulls(const CMPIResult* rslt)
{
    Codes codes;
    CMPIStatus rc;
    CMPIString* s = gBroker->eft->newString(gBroker, "s", nullptr);
    codes.add(s->ft->getCharPtr(nullptr, &rc) == nullptr ? rc.rc : -1);
    s->ft->getCharPtr(nullptr, nullptr);
    codes.add(gBroker->eft->newInstance(gBroker, nullptr, &rc) == nullptr ? rc.rc : -1);
    gBroker->eft->newInstance(gBroker, nullptr, nullptr);
    codes.add(rslt->ft->returnObjectPath(rslt, nullptr));
    codes.add(rslt->ft->returnInstance(nullptr, nullptr));
    codes.add(s->ft->release(nullptr));
    CMPIObjectPath* op = gBroker->eft->newObjectPath(gBroker, "root/fake", "Null", nullptr);
    op->ft->getKey(op, "nothing", nullptr);
    codes.add(op->ft->addKey(nullptr, "k", chars("v"), CMPI_chars));
    codes.add(gBroker->eft->newString(nullptr, "x", &rc) == nullptr ? rc.rc : -1);
    return reply(CMPI_RC_OK, codes.text);
}

// The class QVX_SambaFileShare, as the command-line tool asks for it: two
// shares, a refused principal "denied", a failing principal "broken".
CMPIStatus shares(const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* path, bool instances)
{
    const CMPIData entry = ctx->ft->getEntry(ctx, CMPIPrincipal, nullptr);
    const std::string user = entry.value.string->ft->getCharPtr(entry.value.string, nullptr);
    if (user == "denied")
        return CMPIStatus{CMPI_RC_ERR_ACCESS_DENIED, nullptr};
    if (user == "broken")
        return reply(CMPI_RC_ERR_FAILED, "No Samba Service found on this machine");
    const std::string ns = text(path->ft->getNameSpace(path, nullptr));
    for (const char* id : {"Samba:a", "Samba:b"}) {
        if (instances)
            rslt->ft->returnInstance(rslt, makeInstance(ns.c_str(), "QVX_SambaFileShare", id));
        else
            rslt->ft->returnObjectPath(rslt, makePath(ns.c_str(), "QVX_SambaFileShare", id));
    }
    rslt->ft->returnDone(rslt);
    return ok();
}

CMPIStatus getShare(const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* path)
{
    const CMPIData entry = ctx->ft->getEntry(ctx, CMPIPrincipal, nullptr);
    if (text(entry.value.string) == "denied")
        return CMPIStatus{CMPI_RC_ERR_ACCESS_DENIED, nullptr};
    const CMPIData key = path->ft->getKey(path, "InstanceID", nullptr);
    const std::string id = text(key.value.string);
    if (id != "Samba:a" && id != "Samba:b")
        return reply(CMPI_RC_ERR_FAILED, "Samba share does not exist ");
    CMPIInstance* inst = gBroker->eft->newInstance(gBroker, path, nullptr);
    inst->ft->setProperty(inst, "InstanceID", chars(id.c_str()), CMPI_chars);
    inst->ft->setProperty(inst, "Comment", chars("tab\there"), CMPI_chars);
    rslt->ft->returnInstance(rslt, inst);
    rslt->ft->returnDone(rslt);
    return ok();
}

CMPIStatus answer(const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* path)
{
    const std::string scenario = text(path->ft->getClassName(path, nullptr));
    if (scenario == "Paths") return paths(rslt);
    if (scenario == "Mixed") return mixed(rslt);
    if (scenario == "AfterDone") return afterDone(rslt);
    if (scenario == "Values") return values(path, rslt);
    if (scenario == "Principal") return principal(ctx);
    if (scenario == "Arena") return arena(ctx, path);
    if (scenario == "Clone") return keepClone();
    if (scenario == "ReleaseClone") return releaseClone();
    if (scenario == "Fail") return reply(CMPI_RC_ERR_FAILED, "boom");
    if (scenario == "Throw") throw std::runtime_error("escaped");
    if (scenario == "Broker") return brokerFacts();
    if (scenario == "Result") return resultFacts(rslt);
    if (scenario == "Nulls") return nulls(rslt);
    return CMPIStatus{CMPI_RC_ERR_INVALID_CLASS, nullptr};
}

CMPIStatus cleanup(const CMPIContext*, CMPIBoolean terminating)
{
    ++gCleanupCalls;
    if (terminating)
        ++gTerminatingCleanups;
    return CMPIStatus{static_cast<CMPIrc>(gCleanupAnswer.load()), nullptr};
}

CMPIStatus instCleanup(CMPIInstanceMI*, const CMPIContext* ctx, CMPIBoolean terminating)
{
    return cleanup(ctx, terminating);
}

CMPIStatus enumNames(CMPIInstanceMI*, const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* op)
{
    if (text(op->ft->getClassName(op, nullptr)) == "QVX_SambaFileShare")
        return shares(ctx, rslt, op, false);
    return answer(ctx, rslt, op);
}

CMPIStatus enumInstances(CMPIInstanceMI*, const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* op,
                         const char**)
{
    if (text(op->ft->getClassName(op, nullptr)) == "QVX_SambaFileShare")
        return shares(ctx, rslt, op, true);
    return answer(ctx, rslt, op);
}

CMPIStatus getInstance(CMPIInstanceMI*, const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* op,
                       const char**)
{
    if (text(op->ft->getClassName(op, nullptr)) == "QVX_SambaFileShare")
        return getShare(ctx, rslt, op);
    return answer(ctx, rslt, op);
}

CMPIStatus createInstance(CMPIInstanceMI*, const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* op,
                          const CMPIInstance*)
{
    return answer(ctx, rslt, op);
}

CMPIStatus modifyInstance(CMPIInstanceMI*, const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* op,
                          const CMPIInstance*, const char**)
{
    return answer(ctx, rslt, op);
}

CMPIStatus deleteInstance(CMPIInstanceMI*, const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* op)
{
    return answer(ctx, rslt, op);
}

CMPIStatus execQuery(CMPIInstanceMI*, const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* op,
                     const char*, const char*)
{
    return answer(ctx, rslt, op);
}

// Echoes the "in" argument as the out argument "echo" and returns uint32 7
// (after whatever the scenario returns).
CMPIStatus invokeMethod(CMPIMethodMI*, const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* op,
                        const char*, const CMPIArgs* in, CMPIArgs* out)
{
    CMPIStatus rc;
    const CMPIData data = in->ft->getArg(in, "in", &rc);
    if (rc.rc == CMPI_RC_OK)
        out->ft->addArg(out, "echo", &data.value, data.type);
    return answer(ctx, rslt, op);
}

CMPIStatus methodCleanup(CMPIMethodMI*, const CMPIContext* ctx, CMPIBoolean terminating)
{
    return cleanup(ctx, terminating);
}

CMPIInstanceMIFT instanceTable = {CMPIVersion200, CMPIVersion200, "instancefake", instCleanup, enumNames,
                                  enumInstances, getInstance, createInstance, modifyInstance, deleteInstance,
                                  execQuery};
CMPIMethodMIFT methodTable = {CMPIVersion200, CMPIVersion200, "methodfake", methodCleanup, invokeMethod};
CMPIInstanceMI instanceMI = {nullptr, &instanceTable};
CMPIMethodMI methodMI = {nullptr, &methodTable};

// Mode 0: success; 1: NULL with OK; 2: the MI with FAILED; 3: throws.
template <typename MI>
MI* factory(MI* mi, const CMPIBroker* broker, CMPIStatus* rc)
{
    ++gFactoryCalls;
    {
        std::lock_guard<std::mutex> lock(gFactoryMutex);
        gBroker = broker;
    }
    switch (gFactoryMode.load()) {
    case 1: return nullptr;
    case 2: rc->rc = CMPI_RC_ERR_FAILED; return mi;
    case 3: throw std::runtime_error("factory");
    default: return mi;
    }
}

}  // namespace

extern "C" {

CMPI_EXPORT CMPIInstanceMI* FAKE_JOIN(FAKE_NAME, _Create_InstanceMI)(const CMPIBroker* mb, const CMPIContext*,
                                                                      CMPIStatus* rc)
{
    return factory(&instanceMI, mb, rc);
}

CMPI_EXPORT CMPIMethodMI* FAKE_JOIN(FAKE_NAME, _Create_MethodMI)(const CMPIBroker* mb, const CMPIContext*,
                                                                  CMPIStatus* rc)
{
    return factory(&methodMI, mb, rc);
}

#ifdef FAKE_GENERIC
CMPI_EXPORT CMPIInstanceMI* _Generic_Create_InstanceMI(const CMPIBroker* mb, const CMPIContext*, const char*,
                                                       CMPIStatus* rc)
{
    return factory(&instanceMI, mb, rc);
}
#endif

// Test controls, found with dlsym by the tests.
CMPI_EXPORT void fake_setFactoryMode(int mode) { gFactoryMode = mode; }
CMPI_EXPORT void fake_setCleanupAnswer(int rc) { gCleanupAnswer = rc; }
CMPI_EXPORT int fake_factoryCalls() { return gFactoryCalls; }
CMPI_EXPORT int fake_cleanupCalls() { return gCleanupCalls; }
CMPI_EXPORT int fake_terminatingCleanups() { return gTerminatingCleanups; }
CMPI_EXPORT void fake_reset()
{
    gFactoryMode = 0;
    gFactoryCalls = 0;
    gCleanupAnswer = CMPI_RC_OK;
    gCleanupCalls = 0;
    gTerminatingCleanups = 0;
}

}  // extern "C"
