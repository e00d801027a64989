#include "host/broker/StringObject.h"

#include "host/broker/ObjectFunctions.h"

namespace vhost::broker {
namespace {

CMPIStatus stringRelease(CMPIString* s) { return releaseObject<StringObject>(s); }

CMPIString* stringClone(const CMPIString* s, CMPIStatus* rc) { return cloneObject<StringObject>(s, rc); }

const char* stringGetCharPtr(const CMPIString* s, CMPIStatus* rc)
{
    StringObject* object = lookup<StringObject>(s, rc);
    if (object == nullptr || !object->text())
        return nullptr;
    return object->text()->c_str();
}

CMPIStringFT fullTable = {CMPIVersion200, stringRelease, stringClone, stringGetCharPtr};
CMPIStringFT sparseTable = {1, stringRelease, stringClone, stringGetCharPtr};

}  // namespace

StringObject::StringObject(BrokerState& state, std::optional<std::string> text)
    : BrokerObject(state, Kind::String, &face_), text_(std::move(text))
{
    face_.hdl = text_ ? const_cast<char*>(text_->c_str()) : nullptr;
    face_.ft = state.sparse() ? &sparseTable : &fullTable;
}

CMPIString* StringObject::make(BrokerState& state, std::optional<std::string> text)
{
    return state.adopt(std::make_unique<StringObject>(state, std::move(text)))->cmpi();
}

std::unique_ptr<StringObject> StringObject::copy() const
{
    return std::make_unique<StringObject>(state(), text_);
}

}  // namespace vhost::broker
