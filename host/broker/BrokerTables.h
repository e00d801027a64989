#ifndef VELMORA_HOST_BROKER_BROKERTABLES_H
#define VELMORA_HOST_BROKER_BROKERTABLES_H

#include "cmpi/cmpift.h"

// The broker's own tables, in two editions. Full: ftVersion and
// brokerVersion 200, every slot callable (unsupported services answer
// CMPI_RC_ERR_NOT_SUPPORTED). Sparse, like sfcb: brokerVersion 0, ftVersion 1,
// the 2.0 additions of eft (entries 17..20) NULL and the xft slots sfcb
// leaves out NULL. The capability mask announces nothing: up-calls,
// indications, qualifiers, OS services and memory enhancements are not
// offered (mft is NULL in both editions).
namespace vhost::broker {

inline constexpr const char* kBrokerName = "velmora-host";

CMPIBrokerFT* brokerTable(bool sparse);
CMPIBrokerEncFT* encapsulatedTable(bool sparse);
CMPIBrokerExtFT* extendedTable(bool sparse);

}  // namespace vhost::broker

#endif
