// What the CUI back-end's device data operations share: block reads and writes by struct, the
// writes that catch an exception at the call, the formatted error lines, and the AUX error texts.
#pragma once

#include <cstdint>

#include "backend/cui_guarded_calls.h"
#include "backend/cui_sdk.h"

namespace varnet {

// The result an exception at a write counts as when the operation has no better one (E_FAIL).
inline constexpr cui::HResult kCuiCallThrew = static_cast<cui::HResult>(0x80004005);

template <class Block>
cui::HResult ReadCuiBlock(cui::ICUIExternal8* sdk, const cui::Guid& guid, Block& block,
                          int32_t* error) {
    return CuiGetDeviceData(sdk, guid, sizeof block, &block, error);
}

template <class Block>
cui::HResult WriteCuiBlock(cui::ICUIExternal8* sdk, const cui::Guid& guid, Block& block,
                           int32_t* error) {
    return CuiSetDeviceData(sdk, guid, sizeof block, &block, error);
}

// A direct SDK call with the operation's own handler, for operations that judge an exception
// themselves. Without an object nothing is called: result 0, as with the guarded calls.
struct CaughtCall {
    cui::HResult result = 0;
    bool threw = false;
};

// sayCatch: an exception also prints "catch: Intel function()\n".
CaughtCall SetDeviceDataCaught(cui::ICUIExternal8* sdk, const cui::Guid& guid, uint32_t size,
                               void* block, int32_t* error, bool sayCatch);
CaughtCall GetDeviceDataCaught(cui::ICUIExternal8* sdk, const cui::Guid& guid, uint32_t size,
                               void* block, int32_t* error);

template <class Block>
CaughtCall WriteCuiBlockCaught(cui::ICUIExternal8* sdk, const cui::Guid& guid, Block& block,
                               int32_t* error, bool sayCatch) {
    return SetDeviceDataCaught(sdk, guid, sizeof block, &block, error, sayCatch);
}

// The write's result, or onThrow when it threw.
template <class Block>
cui::HResult WriteCuiBlockCatching(cui::ICUIExternal8* sdk, const cui::Guid& guid, Block& block,
                                   int32_t* error, cui::HResult onThrow, bool sayCatch) {
    const CaughtCall call = WriteCuiBlockCaught(sdk, guid, block, error, sayCatch);
    return call.threw ? onThrow : call.result;
}

// Outputs a caller passes as null are not written.
template <class T> void PutOut(T* out, T value) {
    if (out != nullptr) {
        *out = value;
    }
}

// Sends format, with the error value as its one unsigned argument, to the debugger channel.
void DebugErrorValue(const char* format, int32_t error);

// The debugger text of an AUX error value, then a line of its own.
void ReportAuxError(int32_t error);

} // namespace varnet
