// Placeholders for the dry-run and verdict functions while their
// implementations are built; they fail or answer "nothing".
#include "shares/SambaShares.h"

void CLIBeginDryRun(void) {}
int CLIEndDryRun(char** newText)
{
    if (newText != nullptr)
        *newText = nullptr;
    return -1;
}
const char* CLISambaVerdict(void) { return ""; }
