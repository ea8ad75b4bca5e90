// The CUI SDK object "IgfxExt.CUIExternal": the interface the library calls, by vtable position,
// and the data blocks it exchanges. Shared with the CUI simulator, which implements it.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

namespace varnet::cui {

using HResult = int32_t;
using platform::ComString;
using platform::Guid;

inline constexpr char16_t kProgId[] = u"IgfxExt.CUIExternal";
// {F932C038-6484-45CA-8FA1-7C8C279F7AEE}
inline constexpr Guid kIidCuiExternal8 = {
    0xF932C038, 0x6484, 0x45CA, {0x8F, 0xA1, 0x7C, 0x8C, 0x27, 0x9F, 0x7A, 0xEE}};
// {897843AE-998A-4EEC-A21E-EA642B4490EC}
inline constexpr Guid kEdidGuid = {
    0x897843AE, 0x998A, 0x4EEC, {0xA2, 0x1E, 0xEA, 0x64, 0x2B, 0x44, 0x90, 0xEC}};
// {F2C1FAC6-1217-4F10-AFBD-55ADCD976A42}
inline constexpr Guid kLaceGuid = {
    0xF2C1FAC6, 0x1217, 0x4F10, {0xAF, 0xBD, 0x55, 0xAD, 0xCD, 0x97, 0x6A, 0x42}};

// Error values the SDK fills in.
inline constexpr int32_t kIgfxFailure = 37;
inline constexpr int32_t kIgfxInvalidOperationType = 54;
inline constexpr int32_t kIgfxInvalidAuxDevice = 67;
inline constexpr int32_t kIgfxInvalidAuxAddress = 68;
inline constexpr int32_t kIgfxInvalidAuxDataSize = 69;
inline constexpr int32_t kIgfxAuxDefer = 70;
inline constexpr int32_t kIgfxAuxTimeout = 71;
inline constexpr int32_t kIgfxAuxIncompleteWrite = 72;

// Methods at the positions the library calls; the unused slots keep the later ones in place.
// COM calling convention on x64 is the ordinary one, so a plain abstract class matches.
class ICUIExternal8 {
public:
    virtual HResult QueryInterface(const Guid& iid, void** object) = 0; // 0
    virtual uint32_t AddRef() = 0;                                      // 1
    virtual uint32_t Release() = 0;                                     // 2
    virtual HResult Unused03() = 0;
    virtual HResult Unused04() = 0;
    virtual HResult Unused05() = 0;
    virtual HResult Unused06() = 0;
    virtual HResult Unused07() = 0;
    virtual HResult Unused08() = 0;
    virtual HResult Unused09() = 0;
    virtual HResult Unused10() = 0;
    virtual HResult Unused11() = 0;
    virtual HResult EnumAttachableDevices(ComString displayName, int32_t index, uint32_t* uid,
                                          int32_t* deviceType, int32_t* state) = 0; // 12
    virtual HResult Unused13() = 0;
    virtual HResult Unused14() = 0;
    virtual HResult Unused15() = 0;
    virtual HResult Unused16() = 0;
    virtual HResult Unused17() = 0;
    virtual HResult Unused18() = 0;
    virtual HResult Unused19() = 0;
    virtual HResult Unused20() = 0;
    virtual HResult Unused21() = 0;
    virtual HResult Unused22() = 0;
    virtual HResult Unused23() = 0;
    virtual HResult Unused24() = 0;
    virtual HResult GetGammaRamp(uint32_t uid, uint32_t size, uint8_t* ramp,
                                 int32_t* error) = 0; // 25
    virtual HResult SetGammaRamp(uint32_t uid, uint32_t size, uint8_t* ramp,
                                 int32_t* error) = 0; // 26
    virtual HResult Unused27() = 0;
    virtual HResult Unused28() = 0;
    virtual HResult Unused29() = 0;
    virtual HResult Unused30() = 0;
    virtual HResult Unused31() = 0;
    virtual HResult Unused32() = 0;
    virtual HResult Unused33() = 0;
    virtual HResult Unused34() = 0;
    virtual HResult Unused35() = 0;
    virtual HResult Unused36() = 0;
    virtual HResult Unused37() = 0;
    virtual HResult Unused38() = 0;
    virtual HResult Unused39() = 0;
    virtual HResult Unused40() = 0;
    virtual HResult Unused41() = 0;
    virtual HResult Unused42() = 0;
    virtual HResult GetDeviceData(Guid dataGuid, uint32_t size, uint8_t* block,
                                  int32_t* error) = 0; // 43
    virtual HResult SetDeviceData(Guid dataGuid, uint32_t size, uint8_t* block,
                                  int32_t* error) = 0; // 44
    virtual HResult GetDeviceDataEx(Guid dataGuid, uint32_t headerSize, uint8_t* header,
                                    uint32_t dataSize, uint8_t* data, int32_t* error) = 0; // 45
    virtual HResult SetDeviceDataEx(Guid dataGuid, uint32_t headerSize, uint8_t* header,
                                    uint32_t dataSize, uint8_t* data, int32_t* error) = 0; // 46

protected:
    ~ICUIExternal8() = default; // released through Release, never deleted by callers
};

// ---- Data blocks -------------------------------------------------------------------------------

// EDID: UID in, the 128-byte base block out from offset 12.
struct EdidBlock {
    uint32_t uid = 0;
    uint32_t reserved = 0;
    uint32_t reserved2 = 0;
    uint8_t edid[256] = {};
};
static_assert(sizeof(EdidBlock) == 268);
static_assert(offsetof(EdidBlock, edid) == 12);

// Local adaptive contrast enhancement.
struct LaceBlock {
    uint32_t version = 0;
    uint32_t reserved = 0;
    uint32_t uid = 0;
    uint32_t supported = 0;
    uint32_t enabled = 0;
    uint32_t reserved2 = 0;
    uint32_t enableValue = 0;
    uint32_t reserved3 = 0;
    uint32_t level = 0;
};
static_assert(sizeof(LaceBlock) == 36);
static_assert(offsetof(LaceBlock, uid) == 8);
static_assert(offsetof(LaceBlock, supported) == 12);
static_assert(offsetof(LaceBlock, enabled) == 16);
static_assert(offsetof(LaceBlock, enableValue) == 24);
static_assert(offsetof(LaceBlock, level) == 32);

// ---- Extended exchange: the 3D look-up table ---------------------------------------------------

// {6E746EAA-BDDE-4B18-AB4C-B37353DFFCA0}
inline constexpr Guid kLut3DGuid = {
    0x6E746EAA, 0xBDDE, 0x4B18, {0xAB, 0x4C, 0xB3, 0x73, 0x53, 0xDF, 0xFC, 0xA0}};

// Header passed beside a Packed3DLut to the extended read and to SetDeviceDataEx.
struct Lut3DHeader {
    uint32_t version = 0;
    uint32_t reserved[3] = {};
    uint32_t status = 0; // filled by a read: 1 means the table is in effect
    uint32_t enable = 0;
    uint32_t gridPoints = 0;
    uint32_t dataSize = 0;
    uint32_t operation = 0;
    uint32_t uid = 0;
    uint32_t bypass = 0;
};
static_assert(sizeof(Lut3DHeader) == 44);
static_assert(offsetof(Lut3DHeader, status) == 16);
static_assert(offsetof(Lut3DHeader, enable) == 20);
static_assert(offsetof(Lut3DHeader, gridPoints) == 24);
static_assert(offsetof(Lut3DHeader, dataSize) == 28);
static_assert(offsetof(Lut3DHeader, operation) == 32);
static_assert(offsetof(Lut3DHeader, uid) == 36);
static_assert(offsetof(Lut3DHeader, bypass) == 40);

} // namespace varnet::cui
