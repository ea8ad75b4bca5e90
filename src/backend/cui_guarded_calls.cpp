#include "backend/cui_guarded_calls.h"

namespace varnet {

cui::HResult CuiGetDeviceData(cui::ICUIExternal8* sdk, const cui::Guid& dataGuid, uint32_t size,
                              void* block, int32_t* error) {
    if (sdk == nullptr) {
        return 0;
    }
    try {
        return sdk->GetDeviceData(dataGuid, size, static_cast<uint8_t*>(block), error);
    } catch (...) {
        return error != nullptr ? *error : 0;
    }
}

cui::HResult CuiSetDeviceData(cui::ICUIExternal8* sdk, const cui::Guid& dataGuid, uint32_t size,
                              void* block, int32_t* error) {
    if (sdk == nullptr) {
        return 0;
    }
    try {
        return sdk->SetDeviceData(dataGuid, size, static_cast<uint8_t*>(block), error);
    } catch (...) {
        return error != nullptr ? *error : 0;
    }
}

} // namespace varnet
