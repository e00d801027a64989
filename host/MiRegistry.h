#ifndef VELMORA_HOST_MIREGISTRY_H
#define VELMORA_HOST_MIREGISTRY_H

#include <mutex>
#include <optional>
#include <vector>

#include "cmpi/cmpift.h"

namespace vhost {

// The MIs the host obtained, one record per successful factory call (a
// factory that hands out the same MI twice yields two records, matching the
// use count the provider keeps), and what their cleanups answered:
//   terminating cleanup, or OK        -> the record is done with
//   CMPI_RC_NEVER_UNLOAD              -> not asked again until a terminating cleanup
//   CMPI_RC_DO_NOT_UNLOAD or an error -> stays; asked again later
class MiRegistry {
public:
    enum class Kind { Instance, Method };
    struct Record {
        Kind kind;
        void* mi;
        bool neverUnload = false;
    };

    void add(Kind kind, void* mi);
    // The oldest live MI of a kind (the one operations use), nullptr if none.
    void* first(Kind kind) const;
    // The newest live record of a kind, the next one to clean up.
    std::optional<Record> newest(Kind kind) const;
    // Applies a cleanup answer to the newest live record holding mi.
    void settle(Kind kind, void* mi, CMPIrc answer, bool terminating);
    // Every live record, newest first, for the final cleanup.
    std::vector<Record> live() const;

private:
    mutable std::mutex mutex_;
    std::vector<Record> records_;
};

}  // namespace vhost

#endif
