#include "cli/InstanceJson.h"

#include "cli/Json.h"
#include "host/Literals.h"

namespace velmora::cli {
namespace {

// QVX_SambaFileShare's properties in schema/QVX_SambaFileShare.mof's order.
const char* const kDeclared[] = {"InstanceID", "FileSharingProtocol", "ElementName", "Comment",
                                 "PathName",   "ReadOnly",            "InheritACLs"};
const char* const kKey = "InstanceID";

bool declared(const std::string& name)
{
    for (const char* known : kDeclared)
        if (vhost::literals::sameName(name, known))
            return true;
    return false;
}

vhost::ObjectPath keyedPath(const vhost::Instance& instance)
{
    vhost::ObjectPath path = instance.path;
    const vhost::Value* key = instance.property(kKey);
    if (path.keys.empty() && key != nullptr)
        path.addKey(kKey, *key);
    return path;
}

std::string properties(const vhost::Instance& instance)
{
    json::Object out;
    for (const char* name : kDeclared) {
        const vhost::Value* value = instance.property(name);
        out.add(name, value != nullptr ? value->toJson() : "null");
    }
    for (const auto& [name, value] : instance.properties)
        if (!declared(name))
            out.add(name, value.toJson());
    return out.text();
}

}  // namespace

std::string instanceJson(const vhost::Instance& instance)
{
    return json::Object()
        .add("path", json::string(keyedPath(instance).toString()))
        .add("className", json::string(instance.path.className))
        .add("properties", properties(instance))
        .text();
}

}  // namespace velmora::cli
