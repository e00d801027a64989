/* An account-management library that answers whatever the test asks for:
 * HARDENING_QEL_RC is its return value (default 0) and HARDENING_QEL_BITS
 * the privilege word it stores; without HARDENING_QEL_BITS it does not
 * touch the word at all, as a careless library might. */
#include <stdint.h>
#include <stdlib.h>

__attribute__((visibility("default"))) int qelGetEffectivePrivForWS(char* principal,
                                                                    void* reserved,
                                                                    uint32_t* priv)
{
    (void)principal;
    (void)reserved;
    const char* rc = getenv("HARDENING_QEL_RC");
    const char* bits = getenv("HARDENING_QEL_BITS");
    if (bits != NULL && priv != NULL)
        *priv = (uint32_t)strtoul(bits, NULL, 0);
    return rc != NULL ? atoi(rc) : 0;
}
