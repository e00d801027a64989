// Placeholders for the removal, dry-run and verdict functions while their
// implementations are built; they fail or answer "nothing".
#include "shares/SambaShares.h"

int CLIRemoveKeyValuePair(const char*, const char*) { return -1; }
void CLIBeginDryRun(void) {}
int CLIEndDryRun(char** newText)
{
    if (newText != nullptr)
        *newText = nullptr;
    return -1;
}
const char* CLISambaVerdict(void) { return ""; }
