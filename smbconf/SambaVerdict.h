#ifndef VELMORA_SMBCONF_SAMBAVERDICT_H
#define VELMORA_SMBCONF_SAMBAVERDICT_H

#include <string>
#include <string_view>

// Samba's own parser as the last judge of an edit: "testparm -s" reads the
// text an edit would write before it is written.
namespace velmora {

struct SambaVerdict {
    enum class Outcome {
        Accepted,  // Samba loads it, or its tools are missing or did not answer
        Refused,   // the current file loads and this one would not, or Samba
                   // would ignore the parameter the edit sets
    };
    Outcome outcome = Outcome::Accepted;
    std::string text;  // testparm's warnings and errors, "" when none
};

// Runs /usr/bin/testparm -s on content (handed over in memory, never
// written to disk), within a time limit. keySet is the parameter the edit
// sets ("" for none): "Ignoring unknown parameter" for it refuses the text.
// Only when content does not load is the current smb.conf judged too, so a
// file that was already broken does not block edits. Without testparm, or
// when it cannot be run or takes too long, the edit goes on (logged).
SambaVerdict JudgeSmbConf(std::string_view content, std::string_view keySet);

}  // namespace velmora

#endif
