#include "fuzz/ProviderCheck.h"

#include <cstdlib>
#include <optional>
#include <vector>

#include "fuzz/ReferenceConf.h"
#include "tests/support/Files.h"
#include "tests/support/VelmoraLibrary.h"

namespace fuzzcheck {
namespace {

const char* const kClass = "QVX_SambaFileShare";
const char* const kNameSpace = "root/cimv2";

// A share as the provider must present it: Samba's values from the share's
// own sections and what its copy brings (CIM strings end at a NUL byte).
struct Share {
    std::string name;  // cut at its first NUL, as the C interface carries it
    std::string pathName;  // "" without a path
    std::optional<std::string> comment;
    std::optional<bool> readOnly;
    std::optional<bool> inheritAcls;
    bool whole = true;  // the name holds no NUL, so an exact lookup finds it
};

std::optional<bool> booleanOf(const std::map<std::string, std::string>& values, const std::string& key)
{
    const std::optional<std::string> value = fuzzref::ValueIn(values, key);
    return value ? std::optional<bool>(*value == "yes") : std::nullopt;
}

std::vector<Share> expectedShares(const std::vector<fuzzref::SambaShare>& shares)
{
    const std::vector<std::map<std::string, std::string>> applied = fuzzref::AppliedValues(shares);
    std::vector<Share> expected;
    for (size_t s = 0; s < shares.size(); ++s) {
        const fuzzref::SambaShare& share = shares[s];
        if (share.global)
            continue;
        Share& one = expected.emplace_back();
        one.name = fuzzref::CName(share.name);
        one.whole = one.name == share.name;
        one.pathName = fuzzref::CName(fuzzref::ValueIn(applied[s], "path").value_or(""));
        if (const std::optional<std::string> comment = fuzzref::ValueIn(applied[s], "comment"))
            one.comment = fuzzref::CName(*comment);
        one.readOnly = booleanOf(applied[s], "read only");
        one.inheritAcls = booleanOf(applied[s], "inherit acls");
    }
    return expected;
}

std::string expectedKinds(const std::string& kind, size_t count)
{
    std::string kinds;
    for (size_t i = 0; i < count; ++i)
        kinds += kind + ",";
    return kinds + "done";
}

std::string checkCall(const vhost::CallResult& result, const std::string& what)
{
    if (result.threw)
        return what + ": an exception left the provider";
    if (result.rc != CMPI_RC_OK)
        return what + ": " + result.statusText();
    return result.rejected.empty() ? "" : what + ": the result refused items";
}

std::string textOf(const vhost::Value* value) { return value != nullptr ? value->text : "<none>"; }

std::string checkNames(const vhost::CallResult& result, const std::vector<Share>& shares)
{
    if (result.kinds() != expectedKinds("path", shares.size()))
        return "enumInstanceNames returned " + result.kinds();
    const std::vector<vhost::ObjectPath> paths = result.paths();
    for (size_t i = 0; i < shares.size(); ++i) {
        const vhost::ObjectPath& path = paths[i];
        if (path.className != kClass || path.nameSpace != kNameSpace || path.keys.size() != 1)
            return "enumInstanceNames: path " + std::to_string(i) + " is " + path.toString();
        if (textOf(path.key("InstanceID")) != "Samba:" + shares[i].name)
            return "enumInstanceNames: path " + std::to_string(i) + " has another key";
    }
    return "";
}

bool sameBoolean(const vhost::Value* value, const std::optional<bool>& expected)
{
    if (value == nullptr || !expected)
        return value == nullptr && !expected;
    return value->boolean == *expected;
}

std::string checkInstance(const vhost::Instance& instance, const Share& share, size_t index)
{
    const std::string at = "enumInstances: instance " + std::to_string(index);
    if (textOf(instance.property("InstanceID")) != "Samba:" + share.name ||
        textOf(instance.property("ElementName")) != share.name)
        return at + " names another share";
    const vhost::Value* path = instance.property("PathName");
    if (path == nullptr)
        return at + " lacks PathName";
    if (path->text != share.pathName)
        return at + " has another PathName";
    const vhost::Value* comment = instance.property("Comment");
    if ((comment != nullptr) != share.comment.has_value() || (comment != nullptr && comment->text != *share.comment))
        return at + " has another Comment";
    if (!sameBoolean(instance.property("ReadOnly"), share.readOnly))
        return at + " has another ReadOnly";
    return sameBoolean(instance.property("InheritACLs"), share.inheritAcls) ? "" : at + " has another InheritACLs";
}

std::string checkInstances(const vhost::CallResult& result, const std::vector<Share>& shares)
{
    if (result.kinds() != expectedKinds("instance", shares.size()))
        return "enumInstances returned " + result.kinds();
    const std::vector<vhost::Instance> instances = result.instances();
    for (size_t i = 0; i < shares.size(); ++i) {
        const std::string failure = checkInstance(instances[i], shares[i], i);
        if (!failure.empty())
            return failure;
    }
    return "";
}

}  // namespace

ProviderProbe::ProviderProbe() : host_(VelmoraLibrary::path())
{
    std::string error;
    if (!host_.load(&error)) {
        std::fprintf(stderr, "cannot load %s: %s\n", VelmoraLibrary::path(), error.c_str());
        std::abort();
    }
    host_.setPrincipal("root");
}

std::string ProviderProbe::Check(std::string_view bytes)
{
    testfs::writeSmbConf(std::string(bytes));
    const std::vector<Share> shares = expectedShares(fuzzref::ReadAsSamba(bytes));
    const vhost::ObjectPath classPath(kNameSpace, kClass);
    const vhost::CallResult names = host_.enumInstanceNames(classPath);
    std::string failure = checkCall(names, "enumInstanceNames");
    if (failure.empty())
        failure = checkNames(names, shares);
    const vhost::CallResult instances = host_.enumInstances(classPath);
    if (failure.empty())
        failure = checkCall(instances, "enumInstances");
    if (failure.empty())
        failure = checkInstances(instances, shares);
    // getInstance looks the name up exactly, which a name cut at a NUL
    // byte may match nowhere: only a whole name is asked for.
    if (!failure.empty() || shares.empty() || !shares.back().whole)
        return failure;
    vhost::ObjectPath last(kNameSpace, kClass);
    last.addKey("InstanceID", vhost::Value::string("Samba:" + shares.back().name));
    const vhost::CallResult one = host_.getInstance(last);
    failure = checkCall(one, "getInstance");
    if (failure.empty() && one.kinds() != "instance,done")
        failure = "getInstance returned " + one.kinds();
    if (failure.empty() && one.instances()[0].properties != instances.instances().back().properties)
        failure = "getInstance and enumInstances disagree on the last share";
    return failure;
}

}  // namespace fuzzcheck
