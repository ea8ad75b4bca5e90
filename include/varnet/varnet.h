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

/* Colour modes: 1 vivid, 2 standard, 3 movie, 4 e-book, 5 natural, 6 pro, 10 to 13 the game
 * modes (FPS, RTS, AOS, RPG). Every other number is an unsupported mode. */
bool IsColorModeSupport(int32_t mode);

/* Answers IsColorModeSupport for count entries and returns how many are supported. A count
 * below 1 (or a null array) gives 0 and touches nothing. */
int32_t IsColorModeSupportArray(ColorModeQuery* entries, int32_t count);

/* Applies a colour mode as the panel's configuration files define it. The result is false in
 * every case: the outcome cannot be read from it. whitePointIndex 0 to 4 (2 is neutral),
 * gammaLevel 0 to 10 (5 is neutral). */
bool SetColorMode(int32_t mode, int32_t whitePointIndex, bool use3DLutFiles, int32_t gammaLevel);

/* Options and panel kinds, from the configuration files. */
bool IsDPSTSupport(void);
bool IsColortoneSupport(void);
bool IsQledDisplay(void);
bool IsAmoledDisplay(void);
bool IsAmoledPhotoSupport(void);

/* True when the mode's parameter list for the panel asks for an ICC profile. */
bool IsICCProfileSupport(int32_t mode, bool use3DLutFiles);

/* Switches DPST on at level 5 with the driver's enhanced setting and writes the state before the
 * change into saved (the enhanced value only when the driver offers one), even when the change
 * then fails. True when the driver took the change; false with a null pointer, without the
 * driver's SDK object (COM must be initialised on the calling thread) or without DPST. */
bool SetLevelEnhancedDPST(EnhancedDpstSavedState* saved);

/* Puts back a state saved by SetLevelEnhancedDPST: DPST on only when values[0] is 1, the level,
 * and the enhanced value when the driver offers one. False with a null pointer. */
bool RestoreLevelEnhancedDPST(const EnhancedDpstSavedState* saved);

#ifdef __cplusplus
} /* extern "C" */
static_assert(sizeof(ColorModeQuery) == 8, "ColorModeQuery is 8 bytes");
static_assert(sizeof(EnhancedDpstSavedState) == 12, "three int32");
#endif

#endif /* VARNET_VARNET_H */
