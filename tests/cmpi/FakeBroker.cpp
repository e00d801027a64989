#include "tests/cmpi/FakeBroker.h"

#include <cstring>

namespace {

void setRc(CMPIStatus* rc, CMPIrc code, CMPIString* msg = nullptr)
{
    if (rc != nullptr)
        *rc = CMPIStatus{code, msg};
}

ReceivedValue receive(const CMPIValue* value, CMPIType type)
{
    ReceivedValue v;
    v.type = type;
    v.null = value == nullptr;
    if (value == nullptr)
        return v;
    if (type == CMPI_chars)
        v.text = reinterpret_cast<const char*>(value);
    else if (type == CMPI_string)
        v.text = value->string ? static_cast<const char*>(value->string->hdl) : "";
    else
        v.value = *value;
    return v;
}

void put(FakeBroker::Values& list, const char* name, const ReceivedValue& v)
{
    for (auto& entry : list) {
        if (entry.first == name) {
            entry.second = v;
            return;
        }
    }
    list.emplace_back(name, v);
}

const ReceivedValue* find(const FakeBroker::Values& list, const std::string& name)
{
    for (const auto& entry : list)
        if (entry.first == name)
            return &entry.second;
    return nullptr;
}

FakeBroker* ownerOf(const CMPIBroker* mb) { return static_cast<FakeBroker*>(mb->hdl); }
FakeBroker::PathObj* pathOf(const CMPIObjectPath* op) { return static_cast<FakeBroker::PathObj*>(op->hdl); }
FakeBroker::InstanceObj* instanceOf(const CMPIInstance* i) { return static_cast<FakeBroker::InstanceObj*>(i->hdl); }
FakeBroker* ownerOf(const CMPIResult* r) { return static_cast<FakeBroker*>(r->hdl); }
FakeBroker* ownerOf(const CMPIContext* c) { return static_cast<FakeBroker*>(c->hdl); }
FakeBroker* ownerOf(const CMPIArgs* a) { return static_cast<FakeBroker*>(a->hdl); }

// A lookup in a value list, answered the way real brokers do.
CMPIData lookup(FakeBroker* owner, const FakeBroker::Values& list, const char* name, CMPIStatus* rc)
{
    const ReceivedValue* v = find(list, name);
    if (v == nullptr) {
        setRc(rc, CMPI_RC_ERR_NO_SUCH_PROPERTY, owner->newString("no such item"));
        return CMPIData{};
    }
    setRc(rc, CMPI_RC_OK);
    return owner->toData(*v);
}

// ---- eft ----
CMPIObjectPath* newObjectPath(const CMPIBroker* mb, const char* ns, const char* cn, CMPIStatus* rc)
{
    ownerOf(mb)->calls.push_back("newObjectPath");
    setRc(rc, CMPI_RC_OK);
    return ownerOf(mb)->path(ns, cn);
}

CMPIInstance* newInstance(const CMPIBroker* mb, const CMPIObjectPath* op, CMPIStatus* rc)
{
    FakeBroker* owner = ownerOf(mb);
    owner->calls.push_back("newInstance");
    auto obj = std::make_unique<FakeBroker::InstanceObj>();
    obj->enc = CMPIInstance{obj.get(), &owner->instanceFt};
    obj->owner = owner;
    obj->path = const_cast<CMPIObjectPath*>(op);
    owner->instances.push_back(std::move(obj));
    setRc(rc, CMPI_RC_OK);
    return &owner->instances.back()->enc;
}

CMPIString* newString(const CMPIBroker* mb, const char* text, CMPIStatus* rc)
{
    ownerOf(mb)->calls.push_back("newString");
    setRc(rc, CMPI_RC_OK);
    return ownerOf(mb)->newString(text);
}

// ---- object path ----
CMPIString* getNameSpace(const CMPIObjectPath* op, CMPIStatus* rc)
{
    setRc(rc, CMPI_RC_OK);
    return pathOf(op)->owner->newString(pathOf(op)->ns.c_str());
}

CMPIString* getClassName(const CMPIObjectPath* op, CMPIStatus* rc)
{
    setRc(rc, CMPI_RC_OK);
    return pathOf(op)->owner->newString(pathOf(op)->cn.c_str());
}

CMPIString* getHostname(const CMPIObjectPath* op, CMPIStatus* rc)
{
    setRc(rc, CMPI_RC_OK);
    return pathOf(op)->owner->newString("localhost");
}

CMPIStatus addKey(CMPIObjectPath* op, const char* name, const CMPIValue* value, const CMPIType type)
{
    pathOf(op)->owner->calls.push_back("addKey");
    put(pathOf(op)->keys, name, receive(value, type));
    return CMPIStatus{CMPI_RC_OK, nullptr};
}

CMPIData getKey(const CMPIObjectPath* op, const char* name, CMPIStatus* rc)
{
    return lookup(pathOf(op)->owner, pathOf(op)->keys, name, rc);
}

CMPICount getKeyCount(const CMPIObjectPath* op, CMPIStatus* rc)
{
    setRc(rc, CMPI_RC_OK);
    return static_cast<CMPICount>(pathOf(op)->keys.size());
}

// ---- instance ----
CMPIStatus setProperty(const CMPIInstance* inst, const char* name, const CMPIValue* value, CMPIType type)
{
    instanceOf(inst)->owner->calls.push_back("setProperty");
    put(instanceOf(inst)->props, name, receive(value, type));
    return CMPIStatus{CMPI_RC_OK, nullptr};
}

CMPIData getProperty(const CMPIInstance* inst, const char* name, CMPIStatus* rc)
{
    return lookup(instanceOf(inst)->owner, instanceOf(inst)->props, name, rc);
}

CMPIObjectPath* getObjectPath(const CMPIInstance* inst, CMPIStatus* rc)
{
    setRc(rc, CMPI_RC_OK);
    return instanceOf(inst)->path;
}

// ---- result ----
CMPIStatus give(const CMPIResult* r, const char* kind, const void* object, ReceivedValue value = {})
{
    FakeBroker* owner = ownerOf(r);
    owner->calls.push_back(kind);
    if (owner->refuse == kind)
        return CMPIStatus{CMPI_RC_ERR_NOT_SUPPORTED, owner->newString("refused by the result")};
    owner->returned.push_back(FakeBroker::Item{kind, object, value});
    return CMPIStatus{CMPI_RC_OK, nullptr};
}

CMPIStatus returnData(const CMPIResult* r, const CMPIValue* value, const CMPIType type)
{
    return give(r, "returnData", value, receive(value, type));
}

CMPIStatus returnInstance(const CMPIResult* r, const CMPIInstance* inst) { return give(r, "returnInstance", inst); }
CMPIStatus returnObjectPath(const CMPIResult* r, const CMPIObjectPath* op) { return give(r, "returnObjectPath", op); }
CMPIStatus returnDone(const CMPIResult* r) { return give(r, "returnDone", nullptr); }

// ---- context, args, string ----
CMPIData getEntry(const CMPIContext* ctx, const char* name, CMPIStatus* rc)
{
    return lookup(ownerOf(ctx), ownerOf(ctx)->entries, name, rc);
}

CMPIStatus addArg(const CMPIArgs* args, const char* name, const CMPIValue* value, const CMPIType type)
{
    ownerOf(args)->calls.push_back("addArg");
    put(ownerOf(args)->argValues, name, receive(value, type));
    return CMPIStatus{CMPI_RC_OK, nullptr};
}

CMPIData getArg(const CMPIArgs* args, const char* name, CMPIStatus* rc)
{
    return lookup(ownerOf(args), ownerOf(args)->argValues, name, rc);
}

CMPICount getArgCount(const CMPIArgs* args, CMPIStatus* rc)
{
    setRc(rc, CMPI_RC_OK);
    return static_cast<CMPICount>(ownerOf(args)->argValues.size());
}

const char* getCharPtr(const CMPIString* s, CMPIStatus* rc)
{
    setRc(rc, CMPI_RC_OK);
    return static_cast<const char*>(s->hdl);
}

}  // namespace

FakeBroker::FakeBroker()
    : eft{}, pathFt{}, instanceFt{}, resultFt{}, contextFt{}, argsFt{}, stringFt{}, bft_{},
      broker_{this, &bft_, &eft, nullptr, nullptr}, context_{this, &contextFt}, result_{this, &resultFt},
      args_{this, &argsFt}
{
    bft_.brokerName = "FakeBroker";
    eft.ftVersion = 1;
    eft.newInstance = newInstance;
    eft.newObjectPath = newObjectPath;
    eft.newString = ::newString;
    pathFt.ftVersion = 1;
    pathFt.getNameSpace = getNameSpace;
    pathFt.getHostname = getHostname;
    pathFt.getClassName = getClassName;
    pathFt.addKey = addKey;
    pathFt.getKey = getKey;
    pathFt.getKeyCount = getKeyCount;
    instanceFt.ftVersion = 1;
    instanceFt.getProperty = getProperty;
    instanceFt.setProperty = setProperty;
    instanceFt.getObjectPath = getObjectPath;
    resultFt.ftVersion = 1;
    resultFt.returnData = returnData;
    resultFt.returnInstance = returnInstance;
    resultFt.returnObjectPath = returnObjectPath;
    resultFt.returnDone = returnDone;
    contextFt.ftVersion = 1;
    contextFt.getEntry = getEntry;
    argsFt.ftVersion = 1;
    argsFt.addArg = addArg;
    argsFt.getArg = getArg;
    argsFt.getArgCount = getArgCount;
    stringFt.ftVersion = 1;
    stringFt.getCharPtr = getCharPtr;
}

FakeBroker::~FakeBroker() = default;

CMPIObjectPath* FakeBroker::path(const char* ns, const char* cn)
{
    auto obj = std::make_unique<PathObj>();
    obj->enc = CMPIObjectPath{obj.get(), &pathFt};
    obj->owner = this;
    obj->ns = ns ? ns : "";
    obj->cn = cn ? cn : "";
    paths.push_back(std::move(obj));
    return &paths.back()->enc;
}

void FakeBroker::setEntry(const std::string& name, const char* text)
{
    ReceivedValue v;
    v.type = CMPI_string;
    v.null = text == nullptr;
    v.text = text ? text : "";
    put(entries, name.c_str(), v);
}

CMPIString* FakeBroker::newString(const char* text)
{
    auto obj = std::make_unique<StringObj>();
    obj->text = text ? text : "";
    obj->enc = CMPIString{const_cast<char*>(obj->text.c_str()), &stringFt};
    strings.push_back(std::move(obj));
    return &strings.back()->enc;
}

// Strings come back as CMPI_string, whatever type they went in with.
CMPIData FakeBroker::toData(const ReceivedValue& v)
{
    CMPIData data{};
    bool text = v.type == CMPI_chars || v.type == CMPI_string;
    data.type = text ? CMPIType(CMPI_string) : v.type;
    if (v.null)
        data.state = CMPI_nullValue;
    else if (text)
        data.value.string = newString(v.text.c_str());
    else
        data.value = v.value;
    return data;
}

bool FakeBroker::madeString(const CMPIString* s) const
{
    for (const auto& obj : strings)
        if (&obj->enc == s)
            return true;
    return false;
}

ReceivedValue FakeBroker::key(const CMPIObjectPath* op, const std::string& name) const
{
    const ReceivedValue* v = find(pathOf(op)->keys, name);
    return v ? *v : ReceivedValue{};
}

ReceivedValue FakeBroker::property(const CMPIInstance* inst, const std::string& name) const
{
    const ReceivedValue* v = find(instanceOf(inst)->props, name);
    return v ? *v : ReceivedValue{};
}

ReceivedValue FakeBroker::arg(const std::string& name) const
{
    const ReceivedValue* v = find(argValues, name);
    return v ? *v : ReceivedValue{};
}
