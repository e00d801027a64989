// Placeholder for the removal function while its implementation is built;
// it fails.
#include "shares/SambaShares.h"

int CLIRemoveKeyValuePair(const char*, const char*) { return -1; }
