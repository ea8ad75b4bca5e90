// The simulated CUI SDK object "IgfxExt.CUIExternal": the interface at the positions the library
// calls, answering from the scenario read when the object was created and from the driver state.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>

#include "backend/cui_sdk.h"
#include "common/scenario.h"

namespace varnet::sim::cui {

using platform::Guid;
using varnet::cui::HResult;

// {7D3A1C55-2B8E-4F61-9A0C-5E4B3D2F1A07}: the simulator's class, ours and no one else's.
inline constexpr Guid kSimClsid = {
    0x7D3A1C55, 0x2B8E, 0x4F61, {0x9A, 0x0C, 0x5E, 0x4B, 0x3D, 0x2F, 0x1A, 0x07}};
inline constexpr char kSimClsidText[] = "{7D3A1C55-2B8E-4F61-9A0C-5E4B3D2F1A07}";
inline constexpr char kProgIdText[] = "IgfxExt.CUIExternal";
// {00000000-0000-0000-C000-000000000046}
inline constexpr Guid kIidUnknown = {0, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};

inline constexpr HResult kSOk = 0;
inline constexpr HResult kENotImpl = static_cast<HResult>(0x80004001);
inline constexpr HResult kENoInterface = static_cast<HResult>(0x80004002);
inline constexpr HResult kEPointer = static_cast<HResult>(0x80004003);
inline constexpr HResult kEFail = static_cast<HResult>(0x80004005);
inline constexpr HResult kEInvalidArg = static_cast<HResult>(0x80070057);

// Byte-wise, so that the COM server needs nothing from the library's platform code.
bool SameGuid(const Guid& a, const Guid& b);
std::string GuidText(const Guid& guid);

// Creates an object with one reference taken for iid (IUnknown or the SDK interface).
HResult CreateCuiObject(const Guid& iid, void** object);
// Objects not yet released, for DllCanUnloadNow.
long LiveCuiObjects();

class CuiObject final : public varnet::cui::ICUIExternal8 {
public:
    explicit CuiObject(std::shared_ptr<const Scenario> scenario);

    HResult QueryInterface(const Guid& iid, void** object) override;
    uint32_t AddRef() override;
    uint32_t Release() override;
    HResult Unused03() override { return Unused(3); }
    HResult Unused04() override { return Unused(4); }
    HResult Unused05() override { return Unused(5); }
    HResult Unused06() override { return Unused(6); }
    HResult Unused07() override { return Unused(7); }
    HResult Unused08() override { return Unused(8); }
    HResult Unused09() override { return Unused(9); }
    HResult Unused10() override { return Unused(10); }
    HResult Unused11() override { return Unused(11); }
    HResult EnumAttachableDevices(varnet::cui::ComString displayName, int32_t index, uint32_t* uid,
                                  int32_t* deviceType, int32_t* state) override;
    HResult Unused13() override { return Unused(13); }
    HResult Unused14() override { return Unused(14); }
    HResult Unused15() override { return Unused(15); }
    HResult Unused16() override { return Unused(16); }
    HResult Unused17() override { return Unused(17); }
    HResult Unused18() override { return Unused(18); }
    HResult Unused19() override { return Unused(19); }
    HResult Unused20() override { return Unused(20); }
    HResult Unused21() override { return Unused(21); }
    HResult Unused22() override { return Unused(22); }
    HResult Unused23() override { return Unused(23); }
    HResult Unused24() override { return Unused(24); }
    HResult GetGammaRamp(uint32_t uid, uint32_t size, uint8_t* ramp, int32_t* error) override;
    HResult SetGammaRamp(uint32_t uid, uint32_t size, uint8_t* ramp, int32_t* error) override;
    HResult Unused27() override { return Unused(27); }
    HResult Unused28() override { return Unused(28); }
    HResult Unused29() override { return Unused(29); }
    HResult Unused30() override { return Unused(30); }
    HResult Unused31() override { return Unused(31); }
    HResult Unused32() override { return Unused(32); }
    HResult Unused33() override { return Unused(33); }
    HResult Unused34() override { return Unused(34); }
    HResult Unused35() override { return Unused(35); }
    HResult Unused36() override { return Unused(36); }
    HResult Unused37() override { return Unused(37); }
    HResult Unused38() override { return Unused(38); }
    HResult Unused39() override { return Unused(39); }
    HResult Unused40() override { return Unused(40); }
    HResult Unused41() override { return Unused(41); }
    HResult Unused42() override { return Unused(42); }
    HResult GetDeviceData(Guid dataGuid, uint32_t size, uint8_t* block, int32_t* error) override;
    HResult SetDeviceData(Guid dataGuid, uint32_t size, uint8_t* block, int32_t* error) override;
    HResult GetDeviceDataEx(Guid dataGuid, uint32_t headerSize, uint8_t* header, uint32_t dataSize,
                            uint8_t* data, int32_t* error) override;
    HResult SetDeviceDataEx(Guid dataGuid, uint32_t headerSize, uint8_t* header, uint32_t dataSize,
                            uint8_t* data, int32_t* error) override;

    const Scenario& Machine() const { return *m_scenario; }

private:
    ~CuiObject(); // only Release deletes

    HResult Unused(int slot);

    std::atomic<uint32_t> m_references{1};
    std::shared_ptr<const Scenario> m_scenario;
};

} // namespace varnet::sim::cui
