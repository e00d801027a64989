#include "host/ProviderLibrary.h"

#include <dlfcn.h>

namespace vhost {
namespace {

std::string lastDlError()
{
    const char* text = dlerror();
    return text != nullptr ? text : "unknown error";
}

}  // namespace

ProviderLibrary::~ProviderLibrary()
{
    if (handle_ != nullptr)
        dlclose(handle_);
}

bool ProviderLibrary::open(const std::string& path, const std::string& providerName, bool strict,
                           std::string& error)
{
    void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        error = "cannot load " + path + ": " + lastDlError();
        return false;
    }
    const std::string instanceName = providerName + "_Create_InstanceMI";
    const std::string methodName = providerName + "_Create_MethodMI";
    void* instance = dlsym(handle, instanceName.c_str());
    void* method = dlsym(handle, methodName.c_str());
    const bool generic = dlsym(handle, "_Generic_Create_InstanceMI") != nullptr ||
                         dlsym(handle, "_Generic_Create_MethodMI") != nullptr;
    if (instance == nullptr || method == nullptr || (strict && generic)) {
        error = path + ": " + (instance == nullptr ? "does not export " + instanceName
                               : method == nullptr ? "does not export " + methodName
                                                   : std::string("exports both generic and specific factories"));
        dlclose(handle);
        return false;
    }
    handle_ = handle;
    instanceFactory_ = reinterpret_cast<InstanceFactory>(instance);
    methodFactory_ = reinterpret_cast<MethodFactory>(method);
    return true;
}

}  // namespace vhost
