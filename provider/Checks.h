#ifndef VELMORA_PROVIDER_CHECKS_H
#define VELMORA_PROVIDER_CHECKS_H

#include <string>

#include "common/Export.h"

// The two guards of every read operation.

// True when the principal may read shares: the account-management library
// /usr/lib64/libqel_misc.so answers 0 and sets bit 0x10 of the privilege
// word. A null principal is refused. Throws std::runtime_error with "Failed
// to dlopen file: " or "Failed to get symbol qelGetEffectivePrivForWS from "
// when the library or its function is missing.
VELMORA_EXPORT bool ReadEffectiveUID(const char* principal);

// "/usr/sbin/smbd" when that path exists, else "".
VELMORA_EXPORT std::string getSambaBinary();

// True when Samba is installed; otherwise logs "No Samba Service found on
// this machine" at LOG_ERR and throws a CmpiStatus (CMPI_RC_ERR_FAILED) with
// that text. Never returns false.
VELMORA_EXPORT bool HasSamba();

#endif
