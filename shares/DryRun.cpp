// Dry runs and Samba's verdict: the per-thread record the commit step
// fills (smbconf/EditRecord.h), handed to C callers.
#include <cstdlib>
#include <cstring>

#include "shares/SambaShares.h"
#include "smbconf/EditRecord.h"

void CLIBeginDryRun(void)
{
    velmora::EditRecord& record = velmora::ThisThreadEdits();
    record.dryRun = true;
    record.wouldWrite.reset();
}

int CLIEndDryRun(char** newText)
{
    velmora::EditRecord& record = velmora::ThisThreadEdits();
    if (newText != nullptr)
        *newText = nullptr;
    if (!record.dryRun)
        return -1;
    record.dryRun = false;
    if (newText != nullptr && record.wouldWrite) {
        // malloc rather than strdup: the text may hold NUL bytes of the file;
        // the caller sees it up to the first, as any C string.
        const std::string& text = *record.wouldWrite;
        char* copy = static_cast<char*>(std::malloc(text.size() + 1));
        if (copy == nullptr)
            return -1;
        std::memcpy(copy, text.data(), text.size());
        copy[text.size()] = '\0';
        *newText = copy;
    }
    record.wouldWrite.reset();
    return 0;
}

const char* CLISambaVerdict(void)
{
    return velmora::ThisThreadEdits().verdict.c_str();
}
