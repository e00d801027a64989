#ifndef VELMORA_HOST_RCNAMES_H
#define VELMORA_HOST_RCNAMES_H

#include <string>

#include "cmpi/cmpidt.h"

namespace vhost {

// The symbolic name of a CMPI return code ("CMPI_RC_ERR_ACCESS_DENIED"), or
// "CMPI_RC_<n>" for a number CMPI does not define.
std::string rcName(CMPIrc rc);

}  // namespace vhost

#endif
