/* A stand-in for the account-management library whose answer a test sets
 * through the environment: FAKE_QEL_RC (the return value, default 0) and
 * FAKE_QEL_PRIV (the privilege word, default 0x10). FAKE_QEL_LOG, when set,
 * names a file that receives each principal on a line of its own. */
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

__attribute__((visibility("default"))) int qelGetEffectivePrivForWS(char* principal,
                                                                    void* reserved,
                                                                    uint32_t* priv)
{
    (void)reserved;
    const char* rc = getenv("FAKE_QEL_RC");
    const char* bits = getenv("FAKE_QEL_PRIV");
    const char* log = getenv("FAKE_QEL_LOG");
    if (log != NULL) {
        FILE* f = fopen(log, "a");
        if (f != NULL) {
            fprintf(f, "%s\n", principal != NULL ? principal : "(null)");
            fclose(f);
        }
    }
    if (priv != NULL)
        *priv = bits != NULL ? (uint32_t)strtoul(bits, NULL, 0) : 0x10u;
    return rc != NULL ? atoi(rc) : 0;
}
