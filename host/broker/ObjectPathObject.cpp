#include "host/broker/ObjectPathObject.h"

#include "host/broker/ObjectFunctions.h"
#include "host/broker/StringObject.h"

namespace vhost::broker {
namespace {

using Path = ObjectPathObject;

CMPIStatus opRelease(CMPIObjectPath* op) { return releaseObject<Path>(op); }

CMPIObjectPath* opClone(const CMPIObjectPath* op, CMPIStatus* rc) { return cloneObject<Path>(op, rc); }

// The setters take NULL text as the empty string: a path without namespace
// or host is normal, and the provider learns nothing from a refusal here.
CMPIStatus setField(CMPIObjectPath* op, const char* text, std::string Path::*field)
{
    return guardedStatus([&] {
        Path* path = find<Path>(op);
        if (path == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        path->*field = text != nullptr ? text : "";
        return status(CMPI_RC_OK);
    });
}

CMPIString* getField(const CMPIObjectPath* op, CMPIStatus* rc, std::string Path::*field)
{
    return guarded<CMPIString*>(rc, nullptr, [&]() -> CMPIString* {
        Path* path = lookup<Path>(op, rc);
        return path != nullptr ? StringObject::make(path->state(), path->*field) : nullptr;
    });
}

CMPIStatus opSetNameSpace(CMPIObjectPath* op, const char* ns) { return setField(op, ns, &Path::nameSpace); }
CMPIString* opGetNameSpace(const CMPIObjectPath* op, CMPIStatus* rc) { return getField(op, rc, &Path::nameSpace); }
CMPIStatus opSetHostname(CMPIObjectPath* op, const char* hn) { return setField(op, hn, &Path::host); }
CMPIString* opGetHostname(const CMPIObjectPath* op, CMPIStatus* rc) { return getField(op, rc, &Path::host); }
CMPIStatus opSetClassName(CMPIObjectPath* op, const char* cn) { return setField(op, cn, &Path::className); }
CMPIString* opGetClassName(const CMPIObjectPath* op, CMPIStatus* rc) { return getField(op, rc, &Path::className); }

CMPIStatus opAddKey(CMPIObjectPath* op, const char* key, const CMPIValue* value, const CMPIType type)
{
    return guardedStatus([&] {
        Path* path = find<Path>(op);
        if (path == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        if (key == nullptr)
            return status(CMPI_RC_ERR_INVALID_PARAMETER);
        StoredValue stored;
        const CMPIrc rc = StoredValue::fromInput(path->state(), value, type, stored);
        if (rc == CMPI_RC_OK)
            path->keys.set(key, std::move(stored));
        return status(rc);
    });
}

CMPIData opGetKey(const CMPIObjectPath* op, const char* key, CMPIStatus* rc)
{
    Path* path = lookup<Path>(op, rc);
    if (path == nullptr)
        return nullData();
    if (key == nullptr) {
        report(rc, CMPI_RC_ERR_INVALID_PARAMETER);
        return nullData();
    }
    const StoredValue* value = path->keys.find(key);
    if (value == nullptr) {
        report(rc, CMPI_RC_ERR_NO_SUCH_PROPERTY);
        return nullData();
    }
    return value->data(CMPI_keyValue);
}

CMPIData opGetKeyAt(const CMPIObjectPath* op, CMPICount index, CMPIString** name, CMPIStatus* rc)
{
    return guarded<CMPIData>(rc, nullData(), [&] {
        Path* path = lookup<Path>(op, rc);
        if (path == nullptr)
            return nullData();
        if (index >= path->keys.size()) {
            report(rc, CMPI_RC_ERR_NO_SUCH_PROPERTY);
            return nullData();
        }
        const auto& [keyName, value] = path->keys.at(index);
        if (name != nullptr)
            *name = StringObject::make(path->state(), keyName);
        return value.data(CMPI_keyValue);
    });
}

CMPICount opGetKeyCount(const CMPIObjectPath* op, CMPIStatus* rc)
{
    Path* path = lookup<Path>(op, rc);
    return path != nullptr ? static_cast<CMPICount>(path->keys.size()) : 0;
}

CMPIStatus copyFrom(CMPIObjectPath* op, const CMPIObjectPath* src, bool withHost)
{
    return guardedStatus([&] {
        Path* path = find<Path>(op);
        Path* source = find<Path>(src);
        if (path == nullptr || source == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        path->nameSpace = source->nameSpace;
        if (withHost)
            path->host = source->host;
        return status(CMPI_RC_OK);
    });
}

CMPIStatus opSetNameSpaceFromObjectPath(CMPIObjectPath* op, const CMPIObjectPath* src)
{
    return copyFrom(op, src, false);
}

CMPIStatus opSetHostAndNameSpaceFromObjectPath(CMPIObjectPath* op, const CMPIObjectPath* src)
{
    return copyFrom(op, src, true);
}

// Qualifiers live in the class repository, which this host does not have.
CMPIData noQualifier(const CMPIObjectPath* op, CMPIStatus* rc)
{
    if (lookup<Path>(op, rc) != nullptr)
        report(rc, CMPI_RC_ERR_NOT_SUPPORTED);
    return nullData();
}

CMPIData opGetClassQualifier(const CMPIObjectPath* op, const char*, CMPIStatus* rc) { return noQualifier(op, rc); }
CMPIData opGetPropertyQualifier(const CMPIObjectPath* op, const char*, const char*, CMPIStatus* rc)
{
    return noQualifier(op, rc);
}
CMPIData opGetMethodQualifier(const CMPIObjectPath* op, const char*, const char*, CMPIStatus* rc)
{
    return noQualifier(op, rc);
}
CMPIData opGetParameterQualifier(const CMPIObjectPath* op, const char*, const char*, const char*, CMPIStatus* rc)
{
    return noQualifier(op, rc);
}

CMPIString* opToString(const CMPIObjectPath* op, CMPIStatus* rc)
{
    return guarded<CMPIString*>(rc, nullptr, [&]() -> CMPIString* {
        Path* path = lookup<Path>(op, rc);
        return path != nullptr ? StringObject::make(path->state(), path->describe()) : nullptr;
    });
}

CMPIObjectPathFT makeTable(int version)
{
    return CMPIObjectPathFT{version, opRelease, opClone, opSetNameSpace, opGetNameSpace,
                            opSetHostname, opGetHostname, opSetClassName, opGetClassName,
                            opAddKey, opGetKey, opGetKeyAt, opGetKeyCount,
                            opSetNameSpaceFromObjectPath, opSetHostAndNameSpaceFromObjectPath,
                            opGetClassQualifier, opGetPropertyQualifier, opGetMethodQualifier,
                            opGetParameterQualifier, opToString};
}

CMPIObjectPathFT fullTable = makeTable(CMPIVersion200);
CMPIObjectPathFT sparseTable = makeTable(1);

}  // namespace

ObjectPathObject::ObjectPathObject(BrokerState& state, std::string ns, std::string cls)
    : BrokerObject(state, Kind::ObjectPath, &face_), nameSpace(std::move(ns)), className(std::move(cls))
{
    face_.hdl = this;
    face_.ft = state.sparse() ? &sparseTable : &fullTable;
}

std::unique_ptr<ObjectPathObject> ObjectPathObject::fromModel(BrokerState& state, const ObjectPath& model)
{
    auto path = std::make_unique<ObjectPathObject>(state, model.nameSpace, model.className);
    path->host = model.host;
    path->keys = NamedValues::fromModel(state, model.keys);
    return path;
}

ObjectPath ObjectPathObject::toModel() const
{
    ObjectPath model(nameSpace, className);
    model.host = host;
    model.keys = keys.toModel();
    return model;
}

std::unique_ptr<ObjectPathObject> ObjectPathObject::copy() const
{
    auto path = std::make_unique<ObjectPathObject>(state(), nameSpace, className);
    path->host = host;
    path->keys = keys.copy();
    return path;
}

}  // namespace vhost::broker
