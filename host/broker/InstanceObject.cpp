#include "host/broker/InstanceObject.h"

#include "host/Literals.h"
#include "host/broker/ObjectFunctions.h"
#include "host/broker/StringObject.h"

namespace vhost::broker {
namespace {

using Inst = InstanceObject;

CMPIStatus instRelease(CMPIInstance* inst) { return releaseObject<Inst>(inst); }

CMPIInstance* instClone(const CMPIInstance* inst, CMPIStatus* rc) { return cloneObject<Inst>(inst, rc); }

CMPIData instGetProperty(const CMPIInstance* inst, const char* name, CMPIStatus* rc)
{
    Inst* instance = lookup<Inst>(inst, rc);
    if (instance == nullptr)
        return nullData();
    const StoredValue* value = name != nullptr ? instance->properties.find(name) : nullptr;
    if (value == nullptr) {
        report(rc, name != nullptr ? CMPI_RC_ERR_NO_SUCH_PROPERTY : CMPI_RC_ERR_INVALID_PARAMETER);
        return nullData();
    }
    return value->data();
}

CMPIData instGetPropertyAt(const CMPIInstance* inst, CMPICount index, CMPIString** name, CMPIStatus* rc)
{
    return guarded<CMPIData>(rc, nullData(), [&] {
        Inst* instance = lookup<Inst>(inst, rc);
        if (instance == nullptr)
            return nullData();
        if (index >= instance->properties.size()) {
            report(rc, CMPI_RC_ERR_NO_SUCH_PROPERTY);
            return nullData();
        }
        const auto& [propertyName, value] = instance->properties.at(index);
        if (name != nullptr)
            *name = StringObject::make(instance->state(), propertyName);
        return value.data();
    });
}

CMPICount instGetPropertyCount(const CMPIInstance* inst, CMPIStatus* rc)
{
    Inst* instance = lookup<Inst>(inst, rc);
    return instance != nullptr ? static_cast<CMPICount>(instance->properties.size()) : 0;
}

CMPIStatus instSetProperty(const CMPIInstance* inst, const char* name, const CMPIValue* value, CMPIType type)
{
    return guardedStatus([&] {
        Inst* instance = find<Inst>(inst);
        if (instance == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        if (name == nullptr)
            return status(CMPI_RC_ERR_INVALID_PARAMETER);
        StoredValue stored;
        const CMPIrc rc = StoredValue::fromInput(instance->state(), value, type, stored);
        if (rc == CMPI_RC_OK)
            instance->setProperty(name, std::move(stored));
        return status(rc);
    });
}

// The origin (class origin) has nowhere to go without a class repository.
CMPIStatus instSetPropertyWithOrigin(const CMPIInstance* inst, const char* name, const CMPIValue* value,
                                     const CMPIType type, const char*)
{
    return instSetProperty(inst, name, value, type);
}

// A copy in the call arena: changing it does not change the instance.
CMPIObjectPath* instGetObjectPath(const CMPIInstance* inst, CMPIStatus* rc)
{
    return guarded<CMPIObjectPath*>(rc, nullptr, [&]() -> CMPIObjectPath* {
        Inst* instance = lookup<Inst>(inst, rc);
        if (instance == nullptr)
            return nullptr;
        return instance->state().adopt(instance->path().copy())->cmpi();
    });
}

CMPIStatus instSetPropertyFilter(CMPIInstance* inst, const char** properties, const char**)
{
    return guardedStatus([&] {
        Inst* instance = find<Inst>(inst);
        if (instance == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        instance->setFilter(properties);
        return status(CMPI_RC_OK);
    });
}

CMPIStatus instSetObjectPath(CMPIInstance* inst, const CMPIObjectPath* op)
{
    return guardedStatus([&] {
        Inst* instance = find<Inst>(inst);
        ObjectPathObject* path = find<ObjectPathObject>(op);
        if (instance == nullptr || path == nullptr)
            return status(CMPI_RC_ERR_INVALID_HANDLE);
        instance->setPath(path->copy());
        return status(CMPI_RC_OK);
    });
}

CMPIInstanceFT fullTable = {CMPIVersion200, instRelease, instClone, instGetProperty, instGetPropertyAt,
                            instGetPropertyCount, instSetProperty, instGetObjectPath,
                            instSetPropertyFilter, instSetObjectPath, instSetPropertyWithOrigin};
// sfcb leaves the 2.0 addition setPropertyWithOrigin NULL.
CMPIInstanceFT sparseTable = {1, instRelease, instClone, instGetProperty, instGetPropertyAt,
                              instGetPropertyCount, instSetProperty, instGetObjectPath,
                              instSetPropertyFilter, instSetObjectPath, nullptr};

}  // namespace

InstanceObject::InstanceObject(BrokerState& state, std::unique_ptr<ObjectPathObject> path)
    : BrokerObject(state, Kind::Instance, &face_), path_(std::move(path))
{
    face_.hdl = this;
    face_.ft = state.sparse() ? &sparseTable : &fullTable;
}

std::unique_ptr<InstanceObject> InstanceObject::fromModel(BrokerState& state, const Instance& model)
{
    auto instance = std::make_unique<InstanceObject>(state, ObjectPathObject::fromModel(state, model.path));
    instance->properties = NamedValues::fromModel(state, model.properties);
    return instance;
}

Instance InstanceObject::toModel() const
{
    Instance model;
    model.path = path_->toModel();
    model.properties = properties.toModel();
    return model;
}

void InstanceObject::setProperty(std::string name, StoredValue&& value)
{
    if (admits(name))
        properties.set(std::move(name), std::move(value));
}

void InstanceObject::setFilter(const char** names)
{
    if (names == nullptr) {
        filter_.reset();
        return;
    }
    filter_.emplace();
    for (const char** name = names; *name != nullptr; ++name)
        filter_->push_back(*name);
    properties.retain([this](const std::string& name) { return admits(name); });
}

bool InstanceObject::admits(const std::string& name) const
{
    if (!filter_ || path_->keys.find(name) != nullptr)
        return true;
    for (const std::string& allowed : *filter_)
        if (literals::sameName(allowed, name))
            return true;
    return false;
}

std::unique_ptr<InstanceObject> InstanceObject::copy() const
{
    auto instance = std::make_unique<InstanceObject>(state(), path_->copy());
    instance->properties = properties.copy();
    instance->filter_ = filter_;
    return instance;
}

}  // namespace vhost::broker
