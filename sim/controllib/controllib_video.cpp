// The adapter's video-processing features: sharpness and skin-tone enhancement as 32-bit
// values, adaptive contrast and the two colour corrections as custom records. Their settings
// are the ones the CUI SDK's video-quality and media-colour blocks show.
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstring>

#include "common/driver_model.h"
#include "common/lut_summary.h"
#include "controllib/controllib_answer.h"
#include "controllib/controllib_calls.h"

namespace varnet::sim::controllib {

namespace {

using nlohmann::json;

struct AdaptiveContrastRecord {
    uint8_t reserved0[8] = {};
    uint8_t enable = 0;
    uint8_t reserved1[3] = {};
    uint32_t level = 0;
    uint8_t secondFlag = 0;
    uint8_t reserved2[67] = {};
};
static_assert(sizeof(AdaptiveContrastRecord) == 84);
static_assert(offsetof(AdaptiveContrastRecord, enable) == 8);
static_assert(offsetof(AdaptiveContrastRecord, level) == 12);
static_assert(offsetof(AdaptiveContrastRecord, secondFlag) == 16);

struct StandardColorCorrectionRecord {
    uint8_t reserved0[5] = {};
    uint8_t enable = 0;
    uint8_t reserved1[2] = {};
    float values[4] = {};
    uint8_t reserved2[64] = {};
};
static_assert(sizeof(StandardColorCorrectionRecord) == 88);
static_assert(offsetof(StandardColorCorrectionRecord, enable) == 5);
static_assert(offsetof(StandardColorCorrectionRecord, values) == 8);

struct TotalColorCorrectionRecord {
    uint8_t reserved0[5] = {};
    uint8_t enable = 0;
    uint8_t reserved1[2] = {};
    uint32_t values[6] = {};
    uint8_t reserved2[64] = {};
};
static_assert(sizeof(TotalColorCorrectionRecord) == 96);
static_assert(offsetof(TotalColorCorrectionRecord, enable) == 5);
static_assert(offsetof(TotalColorCorrectionRecord, values) == 8);

struct FeatureKind {
    uint32_t feature;
    const char* name;
    uint32_t valueType;
    std::size_t customSize; // 0 for a 32-bit value
};
constexpr FeatureKind kFeatures[] = {
    {CTL_VIDEO_PROCESSING_FEATURE_SHARPNESS, "sharpness", CTL_PROPERTY_VALUE_TYPE_UINT32, 0},
    {CTL_VIDEO_PROCESSING_FEATURE_ADAPTIVE_CONTRAST_ENHANCEMENT, "adaptiveContrast",
     CTL_PROPERTY_VALUE_TYPE_CUSTOM, sizeof(AdaptiveContrastRecord)},
    {CTL_VIDEO_PROCESSING_FEATURE_STANDARD_COLOR_CORRECTION, "standardColorCorrection",
     CTL_PROPERTY_VALUE_TYPE_CUSTOM, sizeof(StandardColorCorrectionRecord)},
    {CTL_VIDEO_PROCESSING_FEATURE_TOTAL_COLOR_CORRECTION, "totalColorCorrection",
     CTL_PROPERTY_VALUE_TYPE_CUSTOM, sizeof(TotalColorCorrectionRecord)},
    {CTL_VIDEO_PROCESSING_FEATURE_SKIN_TONE_ENHANCEMENT, "skinTone", CTL_PROPERTY_VALUE_TYPE_UINT32,
     0},
};

const FeatureKind* FindFeature(uint32_t feature) {
    for (const FeatureKind& kind : kFeatures)
        if (kind.feature == feature)
            return &kind;
    return nullptr;
}

uint32_t ToU32(double value) {
    if (!(value > 0.0))
        return 0;
    return value >= 4294967295.0 ? 0xFFFFFFFFu : static_cast<uint32_t>(value);
}

template <typename Record> Record LoadRecord(const void* bytes) {
    Record record;
    std::memcpy(&record, bytes, sizeof record);
    return record;
}

// The feature's fields in the caller's record, decoded for the journal.
json DescribeValue(const ctl_video_processing_feature_getset_t& args, const FeatureKind& kind) {
    if (kind.customSize == 0)
        return {{"enable", args.Value.UIntType.Enable}, {"value", args.Value.UIntType.Value}};
    if (!args.pCustomValue || args.CustomValueSize < static_cast<int32_t>(kind.customSize))
        return json::object();
    switch (kind.feature) {
    case CTL_VIDEO_PROCESSING_FEATURE_ADAPTIVE_CONTRAST_ENHANCEMENT: {
        const auto r = LoadRecord<AdaptiveContrastRecord>(args.pCustomValue);
        return {{"enable", r.enable}, {"level", r.level}, {"secondFlag", r.secondFlag}};
    }
    case CTL_VIDEO_PROCESSING_FEATURE_STANDARD_COLOR_CORRECTION: {
        const auto r = LoadRecord<StandardColorCorrectionRecord>(args.pCustomValue);
        json values = json::array();
        for (float v : r.values)
            values.push_back(Number(v));
        return {{"enable", r.enable}, {"values", values}};
    }
    default: {
        const auto r = LoadRecord<TotalColorCorrectionRecord>(args.pCustomValue);
        return {{"enable", r.enable}, {"values", r.values}};
    }
    }
}

void Read(const VideoState& v, const FeatureKind& kind,
          ctl_video_processing_feature_getset_t& args) {
    switch (kind.feature) {
    case CTL_VIDEO_PROCESSING_FEATURE_SHARPNESS:
        args.Value.UIntType.Enable = v.sharpness.enabled;
        args.Value.UIntType.Value = ToU32(v.sharpness.value);
        return;
    case CTL_VIDEO_PROCESSING_FEATURE_SKIN_TONE_ENHANCEMENT:
        args.Value.UIntType.Enable = v.skinTone.enabled;
        args.Value.UIntType.Value = ToU32(v.skinTone.value);
        return;
    case CTL_VIDEO_PROCESSING_FEATURE_ADAPTIVE_CONTRAST_ENHANCEMENT: {
        auto r = LoadRecord<AdaptiveContrastRecord>(args.pCustomValue);
        r.enable = v.contrast.enabled;
        r.level = ToU32(v.contrast.value);
        r.secondFlag = v.contrast.secondFlag;
        std::memcpy(args.pCustomValue, &r, sizeof r);
        return;
    }
    case CTL_VIDEO_PROCESSING_FEATURE_STANDARD_COLOR_CORRECTION: {
        auto r = LoadRecord<StandardColorCorrectionRecord>(args.pCustomValue);
        r.enable = v.standardColorCorrection.first != 0;
        for (int i = 0; i < 4; ++i)
            r.values[i] = static_cast<float>(v.standardColorCorrection.values[i]);
        std::memcpy(args.pCustomValue, &r, sizeof r);
        return;
    }
    default: {
        auto r = LoadRecord<TotalColorCorrectionRecord>(args.pCustomValue);
        r.enable = v.totalColorCorrection.enabled;
        for (int i = 0; i < 6; ++i)
            r.values[i] = ToU32(v.totalColorCorrection.values[i]);
        std::memcpy(args.pCustomValue, &r, sizeof r);
        return;
    }
    }
}

void Write(const ctl_video_processing_feature_getset_t& args, const FeatureKind& kind,
           VideoState& v) {
    switch (kind.feature) {
    case CTL_VIDEO_PROCESSING_FEATURE_SHARPNESS:
        v.sharpness.enabled = args.Value.UIntType.Enable;
        v.sharpness.value = args.Value.UIntType.Value;
        return;
    case CTL_VIDEO_PROCESSING_FEATURE_SKIN_TONE_ENHANCEMENT:
        v.skinTone.enabled = args.Value.UIntType.Enable;
        v.skinTone.value = args.Value.UIntType.Value;
        return;
    case CTL_VIDEO_PROCESSING_FEATURE_ADAPTIVE_CONTRAST_ENHANCEMENT: {
        const auto r = LoadRecord<AdaptiveContrastRecord>(args.pCustomValue);
        v.contrast.enabled = r.enable != 0;
        v.contrast.value = r.level;
        v.contrast.secondFlag = r.secondFlag != 0;
        return;
    }
    case CTL_VIDEO_PROCESSING_FEATURE_STANDARD_COLOR_CORRECTION: {
        const auto r = LoadRecord<StandardColorCorrectionRecord>(args.pCustomValue);
        v.standardColorCorrection.first = r.enable != 0 ? 1 : 0;
        for (int i = 0; i < 4; ++i)
            v.standardColorCorrection.values[i] = r.values[i];
        return;
    }
    default: {
        const auto r = LoadRecord<TotalColorCorrectionRecord>(args.pCustomValue);
        v.totalColorCorrection.enabled = r.enable != 0;
        for (int i = 0; i < 6; ++i)
            v.totalColorCorrection.values[i] = r.values[i];
        return;
    }
    }
}

bool FiniteFloats(const ctl_video_processing_feature_getset_t& args, const FeatureKind& kind) {
    if (kind.feature != CTL_VIDEO_PROCESSING_FEATURE_STANDARD_COLOR_CORRECTION)
        return true;
    const auto r = LoadRecord<StandardColorCorrectionRecord>(args.pCustomValue);
    return std::all_of(std::begin(r.values), std::end(r.values),
                       [](float v) { return std::isfinite(v); });
}

} // namespace

ctl_result_t CtlGetSetVideoProcessingFeature(ctl_device_adapter_handle_t adapterHandle,
                                             ctl_video_processing_feature_getset_t* args) {
    return Answer(
        call_name::ctlGetSetVideoProcessingFeature, [&](CallRecord& record) -> ctl_result_t {
            SimAdapter* adapter = Runtime::Get().FindAdapter(adapterHandle);
            if (!adapter)
                return BadHandle(adapterHandle, CTL_RESULT_ERROR_INVALID_ARGUMENT);
            if (!args)
                return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
            const AdapterSpec& desc = adapter->instance->scenario->adapters.at(adapter->index);
            const FeatureKind* kind = FindFeature(args->FeatureType);
            record.args = {{"adapter", adapter->index},    {"size", args->Size},
                           {"feature", args->FeatureType}, {"set", args->bSet},
                           {"valueType", args->ValueType}, {"customSize", args->CustomValueSize}};
            if (kind) {
                record.args["featureName"] = kind->name;
                if (args->bSet)
                    record.args.update(DescribeValue(*args, *kind));
            }
            if (auto injected = Injected(record))
                return *injected;
            if (args->Size < sizeof(ctl_video_processing_feature_getset_t))
                return CTL_RESULT_ERROR_INVALID_SIZE;
            if (!kind || (desc.videoFeatures & (1u << kind->feature)) == 0)
                return CTL_RESULT_ERROR_UNSUPPORTED_FEATURE;
            if (args->ValueType != kind->valueType)
                return CTL_RESULT_ERROR_INVALID_ARGUMENT;
            if (kind->customSize != 0) {
                if (!args->pCustomValue)
                    return CTL_RESULT_ERROR_INVALID_NULL_POINTER;
                // The record may be larger than ours; only our part is read or written.
                if (args->CustomValueSize < static_cast<int32_t>(kind->customSize))
                    return CTL_RESULT_ERROR_INVALID_SIZE;
            }
            if (args->bSet) {
                if (!FiniteFloats(*args, *kind))
                    return CTL_RESULT_ERROR_INVALID_ARGUMENT;
                UpdateState([&](SimState& state) {
                    AdapterState& kept = state.Adapter(adapter->index);
                    VideoState video = EffectiveVideo(&desc, kept);
                    Write(*args, *kind, video);
                    kept.video = video;
                });
                return CTL_RESULT_SUCCESS;
            }
            Read(EffectiveVideo(&desc, ReadState().Adapter(adapter->index)), *kind, *args);
            record.extra["out"] = DescribeValue(*args, *kind);
            return CTL_RESULT_SUCCESS;
        });
}

} // namespace varnet::sim::controllib
