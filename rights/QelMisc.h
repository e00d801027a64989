#ifndef VELMORA_RIGHTS_QELMISC_H
#define VELMORA_RIGHTS_QELMISC_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Bit of the privilege word that lets a principal read the Samba shares. */
#define QEL_PRIV_SAMBA_READ 0x10u

/* The effective privileges of a local account. principal names the account;
 * reserved is unused (callers pass NULL). Returns 0 and sets *priv when the
 * account exists: QEL_PRIV_SAMBA_READ for uid 0 and for members of the group
 * "sambashare" (primary or supplementary), no other bit. Returns non-zero,
 * leaving *priv untouched, for a null argument or an unknown account. */
__attribute__((visibility("default"))) int qelGetEffectivePrivForWS(char* principal,
                                                                    void* reserved,
                                                                    uint32_t* priv);

#ifdef __cplusplus
}
#endif

#endif
