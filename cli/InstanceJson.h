#ifndef VELMORA_CLI_INSTANCEJSON_H
#define VELMORA_CLI_INSTANCEJSON_H

#include <string>

#include "host/Instance.h"

namespace velmora::cli {

// A QVX_SambaFileShare instance as the tool prints it with --json, on one
// line and the same shape for every instance:
//   {"path":"root/cimv2:QVX_SambaFileShare.InstanceID=\"Samba:a\"",
//    "className":"QVX_SambaFileShare",
//    "properties":{"InstanceID":"Samba:a","FileSharingProtocol":3,
//                  "ElementName":"a","Comment":null,"PathName":"",
//                  "ReadOnly":null,"InheritACLs":null}}
// The path is keyed: a provider that returns an instance under its class
// path gets the key added from the InstanceID property. The properties come
// in the order the class declares them, the unset ones as null; any the
// class does not declare follow in the provider's order.
std::string instanceJson(const vhost::Instance& instance);

}  // namespace velmora::cli

#endif
