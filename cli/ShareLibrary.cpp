#include "cli/ShareLibrary.h"

#include <dlfcn.h>

#include <cstdlib>
#include <memory>
#include <utility>

namespace velmora::cli {
namespace {

int collectName(const char* shareName, void* context)
{
    static_cast<std::vector<std::string>*>(context)->push_back(shareName);
    return 0;
}

int collectLines(const char*, std::vector<std::string> lines, void* context)
{
    *static_cast<std::vector<std::string>*>(context) = std::move(lines);
    return 0;
}

// Stores the address of the exported function name in slot, or says why not.
template <typename Function>
bool findFunction(void* handle, const char* name, Function& slot, const std::string& path, std::string& error)
{
    slot = reinterpret_cast<Function>(dlsym(handle, name));
    if (slot == nullptr)
        error = path + ": does not export " + name;
    return slot != nullptr;
}

}  // namespace

ShareLibrary::ShareLibrary(std::string path) : path_(std::move(path)) {}

ShareLibrary::~ShareLibrary()
{
    if (handle_ != nullptr)
        dlclose(handle_);
}

bool ShareLibrary::open(std::string& error)
{
    handle_ = dlopen(path_.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) {
        const char* reason = dlerror();
        error = "cannot load " + path_ + ": " + (reason != nullptr ? reason : "unknown error");
        return false;
    }
    if (findAll(error))
        return true;
    dlclose(handle_);
    handle_ = nullptr;
    return false;
}

bool ShareLibrary::findAll(std::string& error)
{
    return findFunction(handle_, "CLIGetSambaShares", getShares_, path_, error) &&
           findFunction(handle_, "CLIGetSambaShareInfo", getShareInfo_, path_, error) &&
           findFunction(handle_, "CLISambaSharePathName", sharePathName_, path_, error) &&
           findFunction(handle_, "CLIIsValidSambaShare", isValidShare_, path_, error) &&
           findFunction(handle_, "CLICreateSambaShare", createShare_, path_, error) &&
           findFunction(handle_, "CLIModifyKeyValuePair", modifyKeyValue_, path_, error) &&
           findFunction(handle_, "CLIDeleteSambaShare", deleteShare_, path_, error) &&
           findFunction(handle_, "CLIRemoveKeyValuePair", removeKeyValue_, path_, error) &&
           findFunction(handle_, "CLIBeginDryRun", beginDryRun_, path_, error) &&
           findFunction(handle_, "CLIEndDryRun", endDryRun_, path_, error) &&
           findFunction(handle_, "CLISambaVerdict", sambaVerdict_, path_, error);
}

std::vector<std::string> ShareLibrary::shareNames() const
{
    std::vector<std::string> names;
    getShares_(collectName, &names);
    return names;
}

std::vector<std::string> ShareLibrary::parameterLines(const std::string& name) const
{
    std::vector<std::string> lines;
    getShareInfo_(collectLines, name.c_str(), &lines);
    return lines;
}

int ShareLibrary::pathName(const std::string& name, std::string& path) const
{
    char* text = nullptr;
    const int result = sharePathName_(name.c_str(), &text);
    const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
    if (result != 0 || text == nullptr)
        return -1;
    path = text;
    return 0;
}

bool ShareLibrary::sectionExists(const std::string& name) const
{
    return isValidShare_(name.c_str()) == 0;
}

int ShareLibrary::create(const std::string& name, const std::string& path, const std::string& comment) const
{
    return createShare_(name.c_str(), path.c_str(), comment.c_str());
}

int ShareLibrary::modify(const std::string& name, const std::string& key, const std::string& value) const
{
    return modifyKeyValue_(name.c_str(), key.c_str(), value.c_str());
}

int ShareLibrary::remove(const std::string& name) const
{
    return deleteShare_(name.c_str());
}

int ShareLibrary::removeKey(const std::string& name, const std::string& key) const
{
    return removeKeyValue_(name.c_str(), key.c_str());
}

void ShareLibrary::beginDryRun() const
{
    beginDryRun_();
}

std::optional<std::string> ShareLibrary::endDryRun() const
{
    char* text = nullptr;
    endDryRun_(&text);
    const std::unique_ptr<char, decltype(&std::free)> owned(text, &std::free);
    if (text == nullptr)
        return std::nullopt;
    return std::string(text);
}

std::string ShareLibrary::verdict() const
{
    const char* text = sambaVerdict_();
    return text != nullptr ? text : "";
}

}  // namespace velmora::cli
