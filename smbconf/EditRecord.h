#ifndef VELMORA_SMBCONF_EDITRECORD_H
#define VELMORA_SMBCONF_EDITRECORD_H

#include <optional>
#include <string>

// What this thread's edits leave for their caller to ask afterwards: whether
// a dry run is on, the text the last edit would have written, and Samba's
// verdict on it. One record per thread; nothing is shared.
namespace velmora {

struct EditRecord {
    bool dryRun = false;
    std::optional<std::string> wouldWrite;  // set by a dry run's commit step
    std::string verdict;                    // testparm's warnings and errors
};

EditRecord& ThisThreadEdits();

// Called as an edit begins: the previous edit's text and verdict go.
void StartEditRecord();

}  // namespace velmora

#endif
