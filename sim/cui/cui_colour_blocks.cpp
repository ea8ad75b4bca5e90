// Colour blocks of the SDK: desktop hue and saturation, the six-sector saturation, the display's
// total colour control and the colour matrix with its control value. Only the SDK reaches them.
#include <cmath>

#include "common/lut_summary.h"
#include "cui/cui_answer.h"
#include "cui/cui_block_handlers.h"
#include "cui/cui_blocks.h"

namespace varnet::sim::cui {

namespace {

using nlohmann::json;
using varnet::cui::kIgfxInvalidOperationType;

// ---- Hue and saturation ----

void DescribeHueSat(const uint8_t* bytes, bool write, json& args) {
    const auto block = Load<HueSatBlock>(bytes);
    args["uid"] = block.uid;
    if (write) {
        args["hue"] = Number(block.hue);
        args["saturation"] = Number(block.saturation);
    }
}

HResult ReadHueSat(BlockCall& call, uint8_t* bytes, uint32_t) {
    auto block = Load<HueSatBlock>(bytes);
    const auto view = FindDevice(call.machine, block.uid);
    if (!view)
        return Refuse(call.error);
    const HueSatState hueSat = ReadState().Display(view->key).hueSat;
    block.hue = hueSat.hue;
    block.saturation = hueSat.saturation;
    Store(block, bytes);
    call.record.extra["out"] = {{"hue", hueSat.hue}, {"saturation", hueSat.saturation}};
    return kSOk;
}

HResult WriteHueSat(BlockCall& call, const uint8_t* bytes) {
    const auto block = Load<HueSatBlock>(bytes);
    const auto view = FindDevice(call.machine, block.uid);
    if (!view)
        return Refuse(call.error);
    if (!std::isfinite(block.hue) || !std::isfinite(block.saturation))
        return Refuse(call.error, kEInvalidArg);
    UpdateState([&](SimState& state) {
        state.Display(view->key).hueSat = {block.hue, block.saturation};
    });
    return kSOk;
}

// ---- Six-sector saturation (no UID: the panel's) ----

template <typename Block> SectorWeights WeightsOf(const Block& b) {
    return {b.red, b.green, b.blue, b.cyan, b.magenta, b.yellow};
}

template <typename Block> void PutWeights(const SectorWeights& w, Block& b) {
    b.red = w.red;
    b.green = w.green;
    b.blue = w.blue;
    b.cyan = w.cyan;
    b.magenta = w.magenta;
    b.yellow = w.yellow;
}

void DescribeSixSector(const uint8_t* bytes, bool write, json& args) {
    const auto block = Load<SixSectorBlock>(bytes);
    args["version"] = block.version;
    args["tag"] = block.tag;
    if (write) {
        args["writeFlag"] = block.writeFlag;
        args["weights"] = SectorWeightsToJson(WeightsOf(block));
    }
}

HResult ReadSixSector(BlockCall& call, uint8_t* bytes, uint32_t) {
    auto block = Load<SixSectorBlock>(bytes);
    if (block.version != 1)
        return Refuse(call.error, kEInvalidArg);
    const SectorWeights weights = ReadState().sixSector;
    PutWeights(weights, block);
    Store(block, bytes);
    call.record.extra["out"] = {{"weights", SectorWeightsToJson(weights)}};
    return kSOk;
}

HResult WriteSixSector(BlockCall& call, const uint8_t* bytes) {
    const auto block = Load<SixSectorBlock>(bytes);
    if (block.version != 1)
        return Refuse(call.error, kEInvalidArg);
    UpdateState([&](SimState& state) { state.sixSector = WeightsOf(block); });
    return kSOk;
}

// ---- Display total colour control ----

void DescribeDisplayTcc(const uint8_t* bytes, bool write, json& args) {
    const auto block = Load<DisplayTccBlock>(bytes);
    args["version"] = block.version;
    args["uid"] = block.uid;
    if (write) {
        args["enable"] = block.enable;
        args["weights"] = SectorWeightsToJson(WeightsOf(block));
    }
}

HResult ReadDisplayTcc(BlockCall& call, uint8_t* bytes, uint32_t) {
    auto block = Load<DisplayTccBlock>(bytes);
    if (block.version != 1)
        return Refuse(call.error, kEInvalidArg);
    const auto view = FindDevice(call.machine, block.uid);
    if (!view)
        return Refuse(call.error);
    const DisplayTccState tcc = ReadState().Display(view->key).displayTcc;
    block.enable = tcc.enable;
    PutWeights(tcc.weights, block);
    Store(block, bytes);
    call.record.extra["out"] = {{"enable", tcc.enable},
                                {"weights", SectorWeightsToJson(tcc.weights)}};
    return kSOk;
}

HResult WriteDisplayTcc(BlockCall& call, const uint8_t* bytes) {
    const auto block = Load<DisplayTccBlock>(bytes);
    if (block.version != 1)
        return Refuse(call.error, kEInvalidArg);
    const auto view = FindDevice(call.machine, block.uid);
    if (!view)
        return Refuse(call.error);
    UpdateState([&](SimState& state) {
        state.Display(view->key).displayTcc = {block.enable, WeightsOf(block)};
    });
    return kSOk;
}

// ---- Colour matrix and its control value ----

void DescribeMatrixControl(const uint8_t* bytes, bool write, json& args) {
    const auto block = Load<ColorMatrixControlBlock>(bytes);
    args["version"] = block.version;
    args["uid"] = block.uid;
    if (write)
        args["value"] = block.value;
}

HResult ReadMatrixControl(BlockCall& call, uint8_t* bytes, uint32_t) {
    auto block = Load<ColorMatrixControlBlock>(bytes);
    if (block.version != 1)
        return Refuse(call.error, kEInvalidArg);
    const auto view = FindDevice(call.machine, block.uid);
    if (!view)
        return Refuse(call.error);
    block.value = ReadState().Display(view->key).colorMatrix.control;
    Store(block, bytes);
    call.record.extra["out"] = {{"value", block.value}};
    return kSOk;
}

HResult WriteMatrixControl(BlockCall& call, const uint8_t* bytes) {
    const auto block = Load<ColorMatrixControlBlock>(bytes);
    if (block.version != 1)
        return Refuse(call.error, kEInvalidArg);
    const auto view = FindDevice(call.machine, block.uid);
    if (!view)
        return Refuse(call.error);
    UpdateState(
        [&](SimState& state) { state.Display(view->key).colorMatrix.control = block.value; });
    return kSOk;
}

json MatrixJson(const float* matrix) {
    json values = json::array();
    for (int i = 0; i < 9; ++i)
        values.push_back(Number(matrix[i]));
    return values;
}

void DescribeMatrix(const uint8_t* bytes, bool write, json& args) {
    const auto block = Load<ColorMatrixBlock>(bytes);
    args["version"] = block.version;
    args["uid"] = block.uid;
    args["present"] = block.present;
    if (write) {
        args["third"] = block.third;
        args["matrix"] = MatrixJson(block.matrix);
    }
}

HResult ReadMatrix(BlockCall& call, uint8_t* bytes, uint32_t) {
    auto block = Load<ColorMatrixBlock>(bytes);
    if (block.version != 1)
        return Refuse(call.error, kEInvalidArg);
    const auto view = FindDevice(call.machine, block.uid);
    if (!view)
        return Refuse(call.error);
    const ColorMatrixState matrix = ReadState().Display(view->key).colorMatrix;
    block.enabled = view->device->colorMatrix ? 1 : 0;
    block.third = matrix.third;
    block.present = matrix.present;
    std::copy(matrix.matrix.begin(), matrix.matrix.end(), block.matrix);
    Store(block, bytes);
    call.record.extra["out"] = {{"enabled", block.enabled},
                                {"third", block.third},
                                {"present", block.present},
                                {"matrix", MatrixJson(block.matrix)}};
    return kSOk;
}

HResult WriteMatrix(BlockCall& call, const uint8_t* bytes) {
    const auto block = Load<ColorMatrixBlock>(bytes);
    if (block.version != 1)
        return Refuse(call.error, kEInvalidArg);
    const auto view = FindDevice(call.machine, block.uid);
    if (!view)
        return Refuse(call.error);
    if (!view->device->colorMatrix)
        return Refuse(call.error, kEFail, kIgfxInvalidOperationType);
    for (float v : block.matrix)
        if (!std::isfinite(v))
            return Refuse(call.error, kEInvalidArg);
    UpdateState([&](SimState& state) {
        ColorMatrixState& kept = state.Display(view->key).colorMatrix;
        kept.third = block.third;
        kept.present = block.present;
        std::copy(std::begin(block.matrix), std::end(block.matrix), kept.matrix.begin());
    });
    return kSOk;
}

} // namespace

const BlockHandler kHueSatHandler = {&kHueSatGuid,   "hueSat",   sizeof(HueSatBlock),
                                     DescribeHueSat, ReadHueSat, WriteHueSat};
const BlockHandler kSixSectorHandler = {&kSixSectorGuid,   "sixSector",   sizeof(SixSectorBlock),
                                        DescribeSixSector, ReadSixSector, WriteSixSector};
const BlockHandler kDisplayTccHandler = {&kDisplayTccGuid,        "displayTcc",
                                         sizeof(DisplayTccBlock), DescribeDisplayTcc,
                                         ReadDisplayTcc,          WriteDisplayTcc};
const BlockHandler kColorMatrixControlHandler = {
    &kColorMatrixControlGuid, "colorMatrixControl", sizeof(ColorMatrixControlBlock),
    DescribeMatrixControl,    ReadMatrixControl,    WriteMatrixControl};
const BlockHandler kColorMatrixHandler = {
    &kColorMatrixGuid, "colorMatrix", sizeof(ColorMatrixBlock),
    DescribeMatrix,    ReadMatrix,    WriteMatrix};

} // namespace varnet::sim::cui
