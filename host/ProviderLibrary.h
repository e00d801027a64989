#ifndef VELMORA_HOST_PROVIDERLIBRARY_H
#define VELMORA_HOST_PROVIDERLIBRARY_H

#include <string>

#include "cmpi/cmpift.h"

namespace vhost {

// A provider library opened with dlopen, and its two MI-specific factories
// <name>_Create_InstanceMI and <name>_Create_MethodMI. Like OpenPegasus, a
// strict load refuses a library that also exports a generic factory
// (_Generic_Create_InstanceMI / _Generic_Create_MethodMI). The library is
// closed when this object goes.
class ProviderLibrary {
public:
    using InstanceFactory = CMPIInstanceMI* (*)(const CMPIBroker*, const CMPIContext*, CMPIStatus*);
    using MethodFactory = CMPIMethodMI* (*)(const CMPIBroker*, const CMPIContext*, CMPIStatus*);

    ProviderLibrary() = default;
    ~ProviderLibrary();
    ProviderLibrary(const ProviderLibrary&) = delete;
    ProviderLibrary& operator=(const ProviderLibrary&) = delete;

    // Opens path (RTLD_NOW | RTLD_LOCAL; a name without "/" goes through the
    // normal library search) and finds both factories. On failure returns
    // false with a reason and leaves nothing open.
    bool open(const std::string& path, const std::string& providerName, bool strict, std::string& error);
    bool isOpen() const { return handle_ != nullptr; }

    InstanceFactory instanceFactory() const { return instanceFactory_; }
    MethodFactory methodFactory() const { return methodFactory_; }

private:
    void* handle_ = nullptr;
    InstanceFactory instanceFactory_ = nullptr;
    MethodFactory methodFactory_ = nullptr;
};

}  // namespace vhost

#endif
