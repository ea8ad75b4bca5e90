#include "backend/cui_device_calls.h"

#include <cstdio>

#include "platform/platform.h"

namespace varnet {

namespace {
constexpr std::size_t kTextSize = 260;
} // namespace

CaughtCall SetDeviceDataCaught(cui::ICUIExternal8* sdk, const cui::Guid& guid, uint32_t size,
                               void* block, int32_t* error, bool sayCatch) {
    CaughtCall call;
    if (sdk == nullptr) {
        return call;
    }
    try {
        call.result = sdk->SetDeviceData(guid, size, static_cast<uint8_t*>(block), error);
    } catch (...) {
        if (sayCatch) {
            platform::OutputDebugString("catch: Intel function()\n");
        }
        call.threw = true;
    }
    return call;
}

CaughtCall GetDeviceDataCaught(cui::ICUIExternal8* sdk, const cui::Guid& guid, uint32_t size,
                               void* block, int32_t* error) {
    CaughtCall call;
    if (sdk == nullptr) {
        return call;
    }
    try {
        call.result = sdk->GetDeviceData(guid, size, static_cast<uint8_t*>(block), error);
    } catch (...) {
        call.threw = true;
    }
    return call;
}

void DebugErrorValue(const char* format, int32_t error) {
    char text[kTextSize];
    std::snprintf(text, sizeof text, format, static_cast<unsigned>(error));
    platform::OutputDebugString(text);
}

void ReportAuxError(int32_t error) {
    switch (error) {
    case cui::kIgfxFailure:
        platform::OutputDebugString("fail:  IGFX_FAILURE\n");
        break;
    case cui::kIgfxInvalidOperationType:
        platform::OutputDebugString("fail:  IGFX_INVALID_OPERATION_TYPE\n");
        break;
    case cui::kIgfxInvalidAuxDevice:
        platform::OutputDebugString("fail:  IGFX_INVALID_AUX_DEVICE\n");
        break;
    case cui::kIgfxInvalidAuxAddress:
        platform::OutputDebugString("fail:  IGFX_INVALID_AUX_ADDRESS\n");
        break;
    case cui::kIgfxInvalidAuxDataSize:
        platform::OutputDebugString("fail:  IGFX_INVALID_AUX_DATA_SIZE\n");
        break;
    case cui::kIgfxAuxDefer:
        platform::OutputDebugString("fail:  IGFX_AUX_DEFER\n");
        break;
    case cui::kIgfxAuxTimeout:
        platform::OutputDebugString("fail:  IGFX_AUX_TIMEOUT\n");
        break;
    case cui::kIgfxAuxIncompleteWrite:
        platform::OutputDebugString("fail:  IGFX_AUX_INCOMPLETE_WRITE\n");
        break;
    default:
        // The byte pairs are the marks the driver tools frame unknown codes with.
        DebugErrorValue("\xA1\xDF\xA1\xDF QmxColor: fail code=0x%x\xA1\xDF\xA1\xDF\n", error);
        break;
    }
    platform::OutputDebugString("\n");
}

} // namespace varnet
