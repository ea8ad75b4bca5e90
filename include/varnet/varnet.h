/* Varnet: display-colour control for notebooks with Intel graphics.
 *
 * The colour exports of Varnet.dll. Every call is self-contained: it brings a driver interface
 * up, uses it and tears it down before returning. Results are plain values; a failure shows as
 * false or 0. Call from one thread at a time, with COM initialised on that thread. */
#ifndef VARNET_VARNET_H
#define VARNET_VARNET_H

#include <stdint.h>
#ifndef __cplusplus
#include <stdbool.h>
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* One entry of IsColorModeSupportArray: mode in, supported out (1 or 0). Bytes 5 to 7 are
 * neither read nor written. */
typedef struct ColorModeQuery {
    int32_t mode;
    uint8_t supported;
    uint8_t reserved[3];
} ColorModeQuery;

/* What SetLevelEnhancedDPST saved and RestoreLevelEnhancedDPST puts back: DPST on (1) or off
 * (0), the DPST level, the enhanced value. */
typedef struct EnhancedDpstSavedState {
    int32_t values[3];
} EnhancedDpstSavedState;

/* True in every case; brings the driver interface up and down once. */
bool IsIntelGPU(void);

/* Copies the panel ID (at most 11 characters and a terminating zero) into buffer, which must
 * hold 255 bytes, and returns its length; 0 and an empty string when the panel could not be
 * identified. A null buffer receives nothing and gives 0. */
int32_t GetEDID(char* buffer);

/* True when the driver reports local adaptive contrast enhancement for the panel. */
bool IsDisplayLACESupport(void);

#ifdef __cplusplus
} /* extern "C" */
static_assert(sizeof(ColorModeQuery) == 8, "ColorModeQuery is 8 bytes");
static_assert(sizeof(EnhancedDpstSavedState) == 12, "three int32");
#endif

#endif /* VARNET_VARNET_H */
