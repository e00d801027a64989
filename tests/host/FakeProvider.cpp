// A provider for testing the host: it uses nothing but the CMPI tables, like
// any provider a CIMOM loads. Every operation does what the class name of the
// request's path (the scenario) says; most scenarios answer with a status
// message listing the rc of every broker call they made, so a test sees what
// the host answered without the provider keeping any state.
//
// Built twice: with the factories fake_Create_*, and with the generic
// factory as well (FAKE_GENERIC).
#include <atomic>
#include <stdexcept>
#include <string>

#include "cmpi/cmpift.h"

namespace {

std::atomic<const CMPIBroker*> gBroker{nullptr};
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

CMPIStatus reply(const std::string& message)
{
    const CMPIBroker* mb = gBroker;
    return CMPIStatus{CMPI_RC_OK, mb->eft->newString(mb, message.c_str(), nullptr)};
}

const CMPIValue* chars(const char* text) { return reinterpret_cast<const CMPIValue*>(text); }
std::string text(const CMPIString* s) { return s ? s->ft->getCharPtr(s, nullptr) : "(null)"; }
std::string flag(bool set) { return set ? "1" : "0"; }

CMPIObjectPath* makePath(const char* id)
{
    const CMPIBroker* mb = gBroker;
    CMPIObjectPath* op = mb->eft->newObjectPath(mb, "root/fake", "Paths", nullptr);
    op->ft->addKey(op, "InstanceID", chars(id), CMPI_chars);
    return op;
}

CMPIInstance* makeInstance(const char* id)
{
    const CMPIBroker* mb = gBroker;
    CMPIInstance* inst = mb->eft->newInstance(mb, makePath(id), nullptr);
    inst->ft->setProperty(inst, "InstanceID", chars(id), CMPI_chars);
    return inst;
}

// One item of each kind, then done; with afterDone, the three again.
CMPIStatus mixed(const CMPIResult* rslt, bool afterDone)
{
    Codes codes;
    CMPIValue five;
    five.uint32 = 5;
    codes.add(rslt->ft->returnObjectPath(rslt, makePath("Fake:p")));
    codes.add(rslt->ft->returnInstance(rslt, makeInstance("Fake:i")));
    codes.add(rslt->ft->returnData(rslt, &five, CMPI_uint32));
    codes.add(rslt->ft->returnDone(rslt));
    if (afterDone) {
        codes.add(rslt->ft->returnObjectPath(rslt, makePath("Fake:p2")));
        codes.add(rslt->ft->returnInstance(rslt, makeInstance("Fake:i2")));
        codes.add(rslt->ft->returnData(rslt, &five, CMPI_uint32));
    }
    return reply(codes.text);
}

CMPIStatus paths(const CMPIResult* rslt)
{
    Codes codes;
    codes.add(rslt->ft->returnObjectPath(rslt, makePath("Fake:a")));
    codes.add(rslt->ft->returnObjectPath(rslt, makePath("Fake:b")));
    codes.add(rslt->ft->returnDone(rslt));
    return reply(codes.text);
}

CMPIArray* tags(const CMPIBroker* mb, Codes& codes)
{
    CMPIArray* array = mb->eft->newArray(mb, 3, CMPI_string, nullptr);
    CMPIValue b;
    b.string = mb->eft->newString(mb, "b", nullptr);
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
    const CMPIBroker* mb = gBroker;
    Codes codes;
    CMPIInstance* inst = mb->eft->newInstance(mb, classPath, nullptr);
    CMPIValue v;
    codes.add(inst->ft->setProperty(inst, "InstanceID", chars("Samba:data"), CMPI_chars));
    v.uint32 = 3;
    codes.add(inst->ft->setProperty(inst, "Count", &v, CMPI_uint32));
    v.boolean = 1;
    codes.add(inst->ft->setProperty(inst, "Flag", &v, CMPI_boolean));
    v.string = mb->eft->newString(mb, "say \"hi\"\n", nullptr);
    codes.add(inst->ft->setProperty(inst, "Note", &v, CMPI_string));
    codes.add(inst->ft->setProperty(inst, "Missing", nullptr, CMPI_string));
    v.uint32 = 4;
    codes.add(inst->ft->setProperty(inst, "count", &v, CMPI_uint32));  // re-set keeps the first position
    v.ref = makePath("Fake:a");
    codes.add(inst->ft->setProperty(inst, "Owner", &v, CMPI_ref));
    v.array = tags(mb, codes);
    codes.add(inst->ft->setProperty(inst, "Tags", &v, CMPI_stringA));
    v.dateTime = mb->eft->newDateTimeFromChars(mb, "20240102030405.000006+060", nullptr);
    codes.add(inst->ft->setProperty(inst, "When", &v, CMPI_dateTime));
    CMPIStatus rc;
    codes.add(inst->ft->getProperty(inst, "instanceid", &rc).type);
    codes.add(rc);
    codes.add(rslt->ft->returnInstance(rslt, inst));
    codes.add(rslt->ft->returnDone(rslt));
    return reply(codes.text);
}

CMPIStatus principal(const CMPIContext* ctx)
{
    CMPIStatus rc;
    const CMPIData entry = ctx->ft->getEntry(ctx, CMPIPrincipal, &rc);
    if (rc.rc != CMPI_RC_OK)
        return reply("absent:" + std::to_string(rc.rc));
    if (entry.type != CMPI_string)
        return reply("type:" + std::to_string(entry.type));
    const char* user = entry.value.string->ft->getCharPtr(entry.value.string, nullptr);
    return reply(user ? "user:" + std::string(user) : "nulltext");
}

// Objects made and released in one call; the host frees what is left.
CMPIStatus arena(const CMPIContext* ctx, const CMPIObjectPath* classPath)
{
    const CMPIBroker* mb = gBroker;
    Codes codes;
    CMPIString* doomed = mb->eft->newString(mb, "doomed", nullptr);
    mb->eft->newString(mb, "left over", nullptr);
    mb->eft->newInstance(mb, mb->eft->newObjectPath(mb, "root/fake", "X", nullptr), nullptr);
    mb->eft->newArray(mb, 2, CMPI_string, nullptr);
    mb->eft->newDateTime(mb, nullptr);
    mb->eft->newArgs(mb, nullptr);
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
    return reply(codes.text + ":" + text(name));
}

// The first call keeps a clone, the next one releases it.
CMPIStatus clone()
{
    const CMPIBroker* mb = gBroker;
    CMPIStatus rc;
    if (gKept != nullptr) {
        rc = gKept->ft->release(gKept);
        gKept = nullptr;
        return reply(std::to_string(rc.rc));
    }
    CMPIString* original = mb->eft->newString(mb, "kept", nullptr);
    gKept = original->ft->clone(original, &rc);
    return reply(std::to_string(rc.rc) + ":" + text(gKept));
}

// The versions and the 2.0 additions the broker and the result offer.
CMPIStatus edition(const CMPIResult* rslt)
{
    const CMPIBroker* mb = gBroker;
    CMPIInstance* inst = makeInstance("Fake:b");
    const CMPIBrokerEncFT* eft = mb->eft;
    return reply("bv=" + std::to_string(mb->bft->brokerVersion) + " eft=" + std::to_string(eft->ftVersion) +
                 " e17=" + flag(eft->newCMPIError) + " e20=" + flag(eft->getMessage2) +
                 " origin=" + flag(inst->ft->setPropertyWithOrigin) + " mft=" + flag(mb->mft) +
                 " inst=" + std::to_string(inst->ft->ftVersion) + " returnError=" + flag(rslt->ft->returnError) +
                 " result=" + std::to_string(rslt->ft->ftVersion) + " name=" + mb->bft->brokerName);
}

CMPIStatus answer(const CMPIContext* ctx, const CMPIResult* rslt, const CMPIObjectPath* path)
{
    const std::string scenario = text(path->ft->getClassName(path, nullptr));
    if (scenario == "Paths") return paths(rslt);
    if (scenario == "Mixed") return mixed(rslt, false);
    if (scenario == "AfterDone") return mixed(rslt, true);
    if (scenario == "Values") return values(path, rslt);
    if (scenario == "Principal") return principal(ctx);
    if (scenario == "Arena") return arena(ctx, path);
    if (scenario == "Clone") return clone();
    if (scenario == "Edition") return edition(rslt);
    if (scenario == "Fail") return CMPIStatus{CMPI_RC_ERR_FAILED, reply("boom").msg};
    if (scenario == "Throw") throw std::runtime_error("escaped");
    return CMPIStatus{CMPI_RC_ERR_INVALID_CLASS, nullptr};
}

CMPIStatus cleanup(CMPIBoolean terminating)
{
    ++gCleanupCalls;
    if (terminating)
        ++gTerminatingCleanups;
    return CMPIStatus{static_cast<CMPIrc>(gCleanupAnswer.load()), nullptr};
}

using Ctx = const CMPIContext*;
using Rslt = const CMPIResult*;
using Path = const CMPIObjectPath*;
using Inst = const CMPIInstance*;

CMPIStatus instCleanup(CMPIInstanceMI*, Ctx, CMPIBoolean terminating) { return cleanup(terminating); }
CMPIStatus methodCleanup(CMPIMethodMI*, Ctx, CMPIBoolean terminating) { return cleanup(terminating); }
CMPIStatus enumNames(CMPIInstanceMI*, Ctx c, Rslt r, Path p) { return answer(c, r, p); }
CMPIStatus enumInstances(CMPIInstanceMI*, Ctx c, Rslt r, Path p, const char**) { return answer(c, r, p); }
CMPIStatus getInstance(CMPIInstanceMI*, Ctx c, Rslt r, Path p, const char**) { return answer(c, r, p); }
CMPIStatus createInstance(CMPIInstanceMI*, Ctx c, Rslt r, Path p, Inst) { return answer(c, r, p); }
CMPIStatus modifyInstance(CMPIInstanceMI*, Ctx c, Rslt r, Path p, Inst, const char**) { return answer(c, r, p); }
CMPIStatus deleteInstance(CMPIInstanceMI*, Ctx c, Rslt r, Path p) { return answer(c, r, p); }
CMPIStatus execQuery(CMPIInstanceMI*, Ctx c, Rslt r, Path p, const char*, const char*) { return answer(c, r, p); }

// Echoes the argument "in" as the out argument "echo", then runs the scenario.
CMPIStatus invokeMethod(CMPIMethodMI*, Ctx c, Rslt r, Path p, const char*, const CMPIArgs* in, CMPIArgs* out)
{
    CMPIStatus rc;
    const CMPIData data = in->ft->getArg(in, "in", &rc);
    if (rc.rc == CMPI_RC_OK)
        out->ft->addArg(out, "echo", &data.value, data.type);
    return answer(c, r, p);
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
    gBroker = broker;
    switch (gFactoryMode.load()) {
    case 1: return nullptr;
    case 2: rc->rc = CMPI_RC_ERR_FAILED; return mi;
    case 3: throw std::runtime_error("factory");
    default: return mi;
    }
}

}  // namespace

extern "C" {

CMPI_EXPORT CMPIInstanceMI* fake_Create_InstanceMI(const CMPIBroker* mb, const CMPIContext*, CMPIStatus* rc)
{
    return factory(&instanceMI, mb, rc);
}

CMPI_EXPORT CMPIMethodMI* fake_Create_MethodMI(const CMPIBroker* mb, const CMPIContext*, CMPIStatus* rc)
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

// Test controls (see FakeLibrary.h).
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
