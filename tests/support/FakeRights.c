/* A stand-in for the account-management library whose answer a test sets
 * through the environment: FAKE_QEL_RC (the return value, default 0) and
 * FAKE_QEL_PRIV (the privilege word, default 0x10; "keep" leaves the word
 * untouched, as a careless library might). */
#include <stdint.h>
#include <stdlib.h>
#include <string.h>

__attribute__((visibility("default"))) int qelGetEffectivePrivForWS(char* principal,
                                                                    void* reserved,
                                                                    uint32_t* priv)
{
    (void)principal;
    (void)reserved;
    const char* rc = getenv("FAKE_QEL_RC");
    const char* bits = getenv("FAKE_QEL_PRIV");
    if (priv != NULL && (bits == NULL || strcmp(bits, "keep") != 0))
        *priv = bits != NULL ? (uint32_t)strtoul(bits, NULL, 0) : 0x10u;
    return rc != NULL ? atoi(rc) : 0;
}
