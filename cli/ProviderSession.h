#ifndef VELMORA_CLI_PROVIDERSESSION_H
#define VELMORA_CLI_PROVIDERSESSION_H

#include <memory>
#include <string>

#include "host/CallResult.h"
#include "host/Host.h"
#include "host/ObjectPath.h"
#include "cli/Command.h"

namespace velmora::cli {

inline constexpr const char* kClassName = "QVX_SambaFileShare";
inline constexpr const char* kDefaultNamespace = "root/cimv2";

// The provider as one command meets it: the library loaded into a host, the
// instance MI made, the principal set, and the failures of each step (and of
// the operation) reported on stderr the way every command reports them.
class ProviderSession {
public:
    // Takes --library, --principal and --namespace from the invocation.
    explicit ProviderSession(const Invocation& invocation);

    // Loads the library and calls the instance factory; on failure prints
    // why and returns false.
    bool start();

    vhost::Host& host() { return *host_; }
    // The class path of the request: <namespace>:QVX_SambaFileShare.
    vhost::ObjectPath classPath() const { return vhost::ObjectPath(nameSpace_, kClassName); }

    // kExitOk when the call returned OK; otherwise prints
    // "velmora: <rc name> (<n>): <message>" (without ": <message>" when the
    // status had none) and returns kExitFailed. Items a strict CIMOM refused
    // are mentioned on stderr either way.
    int check(const vhost::CallResult& result) const;

    // The library used when --library is not given: the libvelmora.so.0 of
    // the build tree when this tool runs from that build tree and it exists,
    // else "libvelmora.so.0" through the normal library search.
    static std::string defaultLibrary();
    // The user running the tool (effective uid), or the uid as a number.
    static std::string currentUser();

private:
    std::string nameSpace_;
    std::string principal_;
    std::unique_ptr<vhost::Host> host_;
};

}  // namespace velmora::cli

#endif
