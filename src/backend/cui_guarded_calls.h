// GetDeviceData and SetDeviceData of the CUI SDK object, with the guard every caller relies on:
// no object means no call, and an exception from the object becomes a failure result.
#pragma once

#include <cstdint>

#include "backend/cui_sdk.h"

namespace varnet {

// Without an object: 0 and nothing called. After an exception: the error value as it stands.
cui::HResult CuiGetDeviceData(cui::ICUIExternal8* sdk, const cui::Guid& dataGuid, uint32_t size,
                              void* block, int32_t* error);
// Same guard; without an object nothing can be written, so a write-back after a failed start
// reads as the no-op it is.
cui::HResult CuiSetDeviceData(cui::ICUIExternal8* sdk, const cui::Guid& dataGuid, uint32_t size,
                              void* block, int32_t* error);

} // namespace varnet
