// The SDK's video-quality and media-colour blocks: the first adapter's video-processing
// settings, the same ones the Control Library's video features read and write.
#include <cmath>

#include "common/driver_model.h"
#include "common/lut_summary.h"
#include "cui/cui_answer.h"
#include "cui/cui_block_handlers.h"
#include "cui/cui_blocks.h"

namespace varnet::sim::cui {

namespace {

using nlohmann::json;

constexpr uint32_t kVideoQualityVersion = 4;
constexpr uint32_t kMediaColorVersion = 2;
// The standard colour correction's floats a, b, c, d sit in the block as c, d, b, a.
constexpr int kStandardSlot[4] = {3, 2, 0, 1};

bool Finite(std::initializer_list<float> values) {
    for (float v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

json GroupJson(uint32_t enable, uint32_t mode, float value, float defaultValue) {
    return {{"enable", enable},
            {"mode", mode},
            {"value", Number(value)},
            {"default", Number(defaultValue)}};
}

json VideoQualityJson(const VideoQualityBlock& b) {
    return {{"firstGroup", GroupJson(b.firstEnable, b.firstMode, b.firstValue, b.firstDefault)},
            {"sharpness",
             GroupJson(b.sharpnessEnable, b.sharpnessMode, b.sharpnessValue, b.sharpnessDefault)},
            {"skinTone", {{"enable", b.skinToneEnable}, {"value", Number(b.skinToneValue)}}},
            {"contrast", {{"enable", b.contrastEnable}, {"value", Number(b.contrastValue)}}}};
}

void DescribeVideoQuality(const uint8_t* bytes, bool write, json& args) {
    const auto block = Load<VideoQualityBlock>(bytes);
    args["version"] = block.version;
    if (write)
        args.update(VideoQualityJson(block));
}

VideoState CurrentVideo(const Scenario& machine) {
    return EffectiveVideo(FirstAdapter(machine), ReadState().Adapter(0));
}

HResult ReadVideoQuality(BlockCall& call, uint8_t* bytes, uint32_t) {
    auto b = Load<VideoQualityBlock>(bytes);
    if (b.version != kVideoQualityVersion)
        return Refuse(call.error, kEInvalidArg);
    const VideoState v = CurrentVideo(call.machine);
    b.firstEnable = v.firstGroup.enabled;
    b.firstMode = v.firstGroup.mode;
    b.firstValue = static_cast<float>(v.firstGroup.value);
    b.firstDefault = static_cast<float>(v.firstGroup.defaultValue);
    b.sharpnessEnable = v.sharpness.enabled;
    b.sharpnessMode = v.sharpness.mode;
    b.sharpnessValue = static_cast<float>(v.sharpness.value);
    b.sharpnessDefault = static_cast<float>(v.sharpness.defaultValue);
    b.skinToneEnable = v.skinTone.enabled;
    b.skinToneValue = static_cast<float>(v.skinTone.value);
    b.contrastEnable = v.contrast.enabled;
    b.contrastValue = static_cast<float>(v.contrast.value);
    Store(b, bytes);
    call.record.extra["out"] = VideoQualityJson(b);
    return kSOk;
}

HResult WriteVideoQuality(BlockCall& call, const uint8_t* bytes) {
    const auto b = Load<VideoQualityBlock>(bytes);
    if (b.version != kVideoQualityVersion)
        return Refuse(call.error, kEInvalidArg);
    if (!Finite({b.firstValue, b.firstDefault, b.sharpnessValue, b.sharpnessDefault,
                 b.skinToneValue, b.contrastValue}))
        return Refuse(call.error, kEInvalidArg);
    UpdateState([&](SimState& state) {
        AdapterState& kept = state.Adapter(0);
        VideoState v = EffectiveVideo(FirstAdapter(call.machine), kept);
        v.firstGroup = {b.firstEnable != 0, b.firstMode, b.firstValue, b.firstDefault};
        v.sharpness = {b.sharpnessEnable != 0, b.sharpnessMode, b.sharpnessValue,
                       b.sharpnessDefault};
        v.skinTone.enabled = b.skinToneEnable != 0;
        v.skinTone.value = b.skinToneValue;
        v.contrast.enabled = b.contrastEnable != 0;
        v.contrast.value = b.contrastValue;
        kept.video = v;
    });
    return kSOk;
}

json MediaColorJson(const MediaColorBlock& b) {
    json standard = json::array(), total = json::array();
    for (int i = 0; i < 4; ++i)
        standard.push_back(Number(b.standard[kStandardSlot[i]].value));
    for (const StridedFloat& v : b.total)
        total.push_back(Number(v.value));
    return {{"standardFirst", b.standardFirst},
            {"standardValues", standard},
            {"totalEnable", b.totalEnable},
            {"totalValues", total}};
}

void DescribeMediaColor(const uint8_t* bytes, bool write, json& args) {
    const auto block = Load<MediaColorBlock>(bytes);
    args["version"] = block.version;
    if (write)
        args.update(MediaColorJson(block));
}

HResult ReadMediaColor(BlockCall& call, uint8_t* bytes, uint32_t) {
    auto b = Load<MediaColorBlock>(bytes);
    if (b.version != kMediaColorVersion)
        return Refuse(call.error, kEInvalidArg);
    const VideoState v = CurrentVideo(call.machine);
    b.standardFirst = v.standardColorCorrection.first;
    for (int i = 0; i < 4; ++i)
        b.standard[kStandardSlot[i]].value =
            static_cast<float>(v.standardColorCorrection.values[i]);
    b.totalEnable = v.totalColorCorrection.enabled;
    for (int i = 0; i < 6; ++i)
        b.total[i].value = static_cast<float>(v.totalColorCorrection.values[i]);
    Store(b, bytes);
    call.record.extra["out"] = MediaColorJson(b);
    return kSOk;
}

HResult WriteMediaColor(BlockCall& call, const uint8_t* bytes) {
    const auto b = Load<MediaColorBlock>(bytes);
    if (b.version != kMediaColorVersion)
        return Refuse(call.error, kEInvalidArg);
    for (const StridedFloat& f : b.standard)
        if (!std::isfinite(f.value))
            return Refuse(call.error, kEInvalidArg);
    for (const StridedFloat& f : b.total)
        if (!std::isfinite(f.value))
            return Refuse(call.error, kEInvalidArg);
    UpdateState([&](SimState& state) {
        AdapterState& kept = state.Adapter(0);
        VideoState v = EffectiveVideo(FirstAdapter(call.machine), kept);
        v.standardColorCorrection.first = b.standardFirst;
        for (int i = 0; i < 4; ++i)
            v.standardColorCorrection.values[i] = b.standard[kStandardSlot[i]].value;
        v.totalColorCorrection.enabled = b.totalEnable != 0;
        for (int i = 0; i < 6; ++i)
            v.totalColorCorrection.values[i] = b.total[i].value;
        kept.video = v;
    });
    return kSOk;
}

} // namespace

const BlockHandler kVideoQualityHandler = {&kVideoQualityGuid,        "videoQuality",
                                           sizeof(VideoQualityBlock), DescribeVideoQuality,
                                           ReadVideoQuality,          WriteVideoQuality};
const BlockHandler kMediaColorHandler = {&kMediaColorGuid,        "mediaColor",
                                         sizeof(MediaColorBlock), DescribeMediaColor,
                                         ReadMediaColor,          WriteMediaColor};

} // namespace varnet::sim::cui
