// DisplayPort AUX access of the CUI back-end: one block per transfer, judged by the error value
// the SDK fills in rather than by the method's result.
#include <cstring>

#include "backend/cintel_graphic.h"
#include "backend/cui_blocks.h"
#include "backend/cui_device_calls.h"

namespace varnet {

namespace {

cui::AuxBlock AuxRequest(uint32_t uid, uint32_t operation, uint32_t size, uint32_t address) {
    cui::AuxBlock block;
    block.uid = uid;
    block.operation = operation;
    block.size = size;
    block.address = address;
    return block;
}

// The block holds 132 data bytes: a transfer that cannot fit is refused before the driver sees
// it, with the text the driver gives for a bad size. A missing buffer is refused silently.
bool AuxTransferFits(int32_t size, const void* data) {
    if (size < 0 || static_cast<std::size_t>(size) > cui::kAuxDataBytes) {
        ReportAuxError(cui::kIgfxInvalidAuxDataSize);
        return false;
    }
    return size == 0 || data != nullptr;
}

// A transfer is judged by its error value; one that threw without setting it is a failure all
// the same.
int32_t AuxError(const CaughtCall& call, int32_t error) {
    return call.threw && error == 0 ? cui::kIgfxFailure : error;
}

Bool AuxResult(int32_t error) {
    if (error != 0) {
        ReportAuxError(error);
        return 0;
    }
    return 1;
}

} // namespace

Bool CIntelGraphic::WriteDPAuxData(uint32_t address, uint32_t value) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::AuxBlock block = AuxRequest(CurrentUid(), cui::kAuxWrite, 1, address);
    block.data[0] = static_cast<uint8_t>(value);
    int32_t error = 0;
    const CaughtCall call =
        WriteCuiBlockCaught(m_pCUIExternal8, cui::kAuxGuid, block, &error, true);
    return AuxResult(AuxError(call, error));
}

// Asks for the whole data area and hands back its first byte.
Bool CIntelGraphic::ReadDPAuxData(uint32_t address, uint8_t* value) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::AuxBlock block =
        AuxRequest(CurrentUid(), cui::kAuxRead, static_cast<uint32_t>(cui::kAuxDataBytes), address);
    int32_t error = 0;
    const CaughtCall call =
        GetDeviceDataCaught(m_pCUIExternal8, cui::kAuxGuid, sizeof block, &block, &error);
    if (AuxResult(AuxError(call, error)) == 0) {
        return 0;
    }
    PutOut(value, block.data[0]);
    return 1;
}

// mode is the SDK's AUX operation (8 write, 9 read), passed as given.
Bool CIntelGraphic::WriteDPAuxDataEx(uint32_t mode, uint32_t address, const uint8_t* data,
                                     int32_t size) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    if (!AuxTransferFits(size, data)) {
        return 0;
    }
    cui::AuxBlock block = AuxRequest(CurrentUid(), mode, static_cast<uint32_t>(size), address);
    if (size > 0) {
        std::memcpy(block.data, data, static_cast<std::size_t>(size));
    }
    int32_t error = 0;
    const CaughtCall call =
        WriteCuiBlockCaught(m_pCUIExternal8, cui::kAuxGuid, block, &error, true);
    return AuxResult(AuxError(call, error));
}

Bool CIntelGraphic::ReadDPAuxDataEx(uint32_t mode, uint32_t address, uint8_t* data, int32_t size) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    if (!AuxTransferFits(size, data)) {
        return 0;
    }
    cui::AuxBlock block = AuxRequest(CurrentUid(), mode, static_cast<uint32_t>(size), address);
    int32_t error = 0;
    const CaughtCall call =
        GetDeviceDataCaught(m_pCUIExternal8, cui::kAuxGuid, sizeof block, &block, &error);
    if (AuxResult(AuxError(call, error)) == 0) {
        return 0;
    }
    if (size > 0) {
        std::memcpy(data, block.data, static_cast<std::size_t>(size));
    }
    return 1;
}

} // namespace varnet
