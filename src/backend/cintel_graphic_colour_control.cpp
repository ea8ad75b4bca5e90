// Colour controls of the CUI back-end: the six hue-sector saturation weights (through the
// six-sector block and through the display TCC block) and the colour matrix. The weights cross
// the interface as red, green, blue, yellow, cyan, magenta; the blocks keep cyan, magenta and
// yellow in another order.
#include "backend/cintel_graphic.h"
#include "backend/cui_blocks.h"
#include "backend/cui_device_calls.h"

namespace varnet {

namespace {

constexpr std::size_t kSectors = 6;
constexpr MonitorType kSecondDisplayType = 3;

cui::SixSectorBlock SixSectorRequest() {
    cui::SixSectorBlock block;
    block.version = cui::kSixSectorVersion;
    block.scale = cui::kSixSectorScale;
    return block;
}

// The six weights of a block in interface order.
uint32_t* SectorsInInterfaceOrder(cui::SixSectorBlock& block, std::size_t i) {
    uint32_t* const fields[kSectors] = {&block.red,    &block.green, &block.blue,
                                        &block.yellow, &block.cyan,  &block.magenta};
    return fields[i];
}

cui::DisplayTccBlock DisplayTccRequest(uint32_t uid) {
    cui::DisplayTccBlock block;
    block.version = cui::kDisplayTccVersion;
    block.uid = uid;
    return block;
}

} // namespace

// The first argument means nothing to this driver.
Bool CIntelGraphic::GetDisplayTccArray(uint32_t* /*first*/, uint32_t* values) {
    if (m_pCUIExternal8 == nullptr) {
        return 1;
    }
    cui::SixSectorBlock block = SixSectorRequest();
    int32_t error = 0;
    if (ReadCuiBlock(m_pCUIExternal8, cui::kSixSectorGuid, block, &error) != 0 ||
        values == nullptr) {
        return 1;
    }
    for (std::size_t i = 0; i < kSectors; ++i) {
        values[i] = *SectorsInInterfaceOrder(block, i);
    }
    return 1;
}

// Enable 1 sends the weights; any other value clears all six. Without weights to send nothing
// is sent.
Bool CIntelGraphic::SetDisplayTccArray(int32_t enable, const uint32_t* values) {
    if (m_pCUIExternal8 == nullptr) {
        return 1;
    }
    if (enable == 1 && values == nullptr) {
        return 0;
    }
    cui::SixSectorBlock block = SixSectorRequest();
    block.operation = cui::kSixSectorWrite;
    int32_t error = 0;
    ReadCuiBlock(m_pCUIExternal8, cui::kSixSectorGuid, block, &error);
    for (std::size_t i = 0; i < kSectors; ++i) {
        *SectorsInInterfaceOrder(block, i) = enable == 1 ? values[i] : 0;
    }
    WriteCuiBlock(m_pCUIExternal8, cui::kSixSectorGuid, block, &error);
    return 1;
}

Bool CIntelGraphic::GetDisplayTcc(uint32_t* enable, uint32_t* r, uint32_t* g, uint32_t* b,
                                  uint32_t* y, uint32_t* c, uint32_t* m) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    cui::DisplayTccBlock block = DisplayTccRequest(CurrentUid());
    int32_t error = 0;
    if (ReadCuiBlock(m_pCUIExternal8, cui::kDisplayTccGuid, block, &error) != 0) {
        return 0;
    }
    PutOut(enable, block.enable);
    PutOut(r, block.red);
    PutOut(g, block.green);
    PutOut(b, block.blue);
    PutOut(y, block.yellow);
    PutOut(c, block.cyan);
    PutOut(m, block.magenta);
    return 1;
}

Bool CIntelGraphic::SetDisplayTcc(uint32_t enable, uint32_t r, uint32_t g, uint32_t b, uint32_t y,
                                  uint32_t c, uint32_t m) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    const uint32_t uid = CurrentUid();
    cui::DisplayTccBlock block = DisplayTccRequest(uid);
    int32_t error = 0;
    const cui::HResult read = ReadCuiBlock(m_pCUIExternal8, cui::kDisplayTccGuid, block, &error);
    block.enable = enable;
    block.uid = uid;
    block.red = r;
    block.green = g;
    block.blue = b;
    block.cyan = c;
    block.magenta = m;
    block.yellow = y;
    // A write that throws is judged by the read before it.
    return WriteCuiBlockCatching(m_pCUIExternal8, cui::kDisplayTccGuid, block, &error, read,
                                 false) == 0
               ? 1
               : 0;
}

// fourth goes in as the matrix flag of the request and comes back as the driver's.
Bool CIntelGraphic::GetColorMatrix(Bool secondDisplay, uint32_t* enabled, uint32_t* value,
                                   uint32_t* third, uint32_t* fourth, float* matrix) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    const uint32_t uid = secondDisplay != 0 ? MonitorUid(kSecondDisplayType) : CurrentUid();
    int32_t error = 0;

    cui::ColorMatrixControlBlock control;
    control.version = cui::kColorMatrixVersion;
    control.uid = uid;
    ReadCuiBlock(m_pCUIExternal8, cui::kColorMatrixControlGuid, control, &error);
    PutOut(value, control.value);

    cui::ColorMatrixBlock block;
    block.version = cui::kColorMatrixVersion;
    block.uid = uid;
    block.matrixPresent = fourth != nullptr ? *fourth : 0;
    ReadCuiBlock(m_pCUIExternal8, cui::kColorMatrixGuid, block, &error);
    PutOut(enabled, block.enabled != 0 ? 1u : 0u);
    PutOut(third, block.third);
    PutOut(fourth, block.matrixPresent);
    if (matrix != nullptr) {
        for (std::size_t i = 0; i < cui::kColorMatrixElements; ++i) {
            matrix[i] = block.matrix[i];
        }
    }
    return 1;
}

// The matrix is only sent while the driver reports the colour matrix enabled. A null matrix
// counts as no matrix.
Bool CIntelGraphic::SetColorMatrix(Bool secondDisplay, uint32_t value, uint32_t third,
                                   Bool withMatrix, const float* matrix) {
    if (m_bInitialized == 0) {
        InitLib();
    }
    const uint32_t uid = secondDisplay != 0 ? MonitorUid(kSecondDisplayType) : CurrentUid();
    int32_t error = 0;

    cui::ColorMatrixControlBlock control;
    control.version = cui::kColorMatrixVersion;
    control.uid = uid;
    ReadCuiBlock(m_pCUIExternal8, cui::kColorMatrixControlGuid, control, &error);
    control.value = value;
    WriteCuiBlockCatching(m_pCUIExternal8, cui::kColorMatrixControlGuid, control, &error, 0, true);

    cui::ColorMatrixBlock block;
    block.version = cui::kColorMatrixVersion;
    block.uid = uid;
    ReadCuiBlock(m_pCUIExternal8, cui::kColorMatrixGuid, block, &error);
    if (block.enabled == 0) {
        return 0;
    }
    block.third = third;
    block.matrixPresent = 0;
    if (withMatrix != 0 && matrix != nullptr) {
        block.matrixPresent = 1;
        for (std::size_t i = 0; i < cui::kColorMatrixElements; ++i) {
            block.matrix[i] = matrix[i];
        }
    }
    WriteCuiBlockCatching(m_pCUIExternal8, cui::kColorMatrixGuid, block, &error, 0, true);
    return 1;
}

} // namespace varnet
