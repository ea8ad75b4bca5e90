#include "common/driver_model.h"

#include <algorithm>
#include <cmath>

namespace varnet::sim {

namespace {

double Clamp01(double v) {
    return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0;
}

// The nearest of `to` grid points for index i of `from` points.
uint32_t Nearest(uint32_t i, uint32_t from, uint32_t to) {
    if (from <= 1 || to <= 1)
        return 0;
    const double position = static_cast<double>(i) / (from - 1);
    return std::min(to - 1, static_cast<uint32_t>(std::lround(position * (to - 1))));
}

uint32_t Code10(double v) {
    return static_cast<uint32_t>(std::lround(Clamp01(v) * 1023.0));
}

} // namespace

OneDLutState IdentityLut(uint32_t channels, uint32_t samplesPerChannel) {
    OneDLutState lut;
    lut.channels = channels;
    lut.samplesPerChannel = samplesPerChannel;
    lut.values.resize(std::size_t{channels} * samplesPerChannel);
    for (uint32_t c = 0; c < channels; ++c)
        for (uint32_t i = 0; i < samplesPerChannel; ++i)
            lut.values[std::size_t{c} * samplesPerChannel + i] =
                samplesPerChannel > 1 ? static_cast<double>(i) / (samplesPerChannel - 1) : 0.0;
    return lut;
}

OneDLutState LutFromRamp(const GammaRamp& ramp) {
    OneDLutState lut;
    lut.channels = 3;
    lut.samplesPerChannel = 256;
    lut.values.resize(kRampEntries);
    for (std::size_t k = 0; k < kRampEntries; ++k)
        lut.values[k] = ramp[k] / 65535.0;
    return lut;
}

OneDLutState EffectiveGamma(const DisplaySpec* desc, const DisplayState& state) {
    if (state.gamma)
        return *state.gamma;
    if (desc && desc->gammaRamp && desc->gammaRamp->size() == kRampEntries) {
        GammaRamp ramp;
        std::copy(desc->gammaRamp->begin(), desc->gammaRamp->end(), ramp.begin());
        return LutFromRamp(ramp);
    }
    return IdentityLut(3, 256);
}

double LutValueAt(const OneDLutState& lut, uint32_t channel, double position) {
    const uint32_t n = lut.samplesPerChannel;
    if (lut.channels == 0 || n == 0 || lut.values.size() < std::size_t{lut.channels} * n)
        return Clamp01(position);
    const double* samples = &lut.values[std::size_t{std::min(channel, lut.channels - 1)} * n];
    if (n == 1)
        return samples[0];
    const double x = Clamp01(position) * (n - 1);
    const uint32_t below = std::min(n - 2, static_cast<uint32_t>(x));
    const double t = x - below;
    return samples[below] + (samples[below + 1] - samples[below]) * t;
}

void ResampleLut(const OneDLutState& lut, uint32_t channels, uint32_t samples, double* out) {
    for (uint32_t c = 0; c < channels; ++c)
        for (uint32_t i = 0; i < samples; ++i) {
            // Same counts: the values as stored, bit for bit.
            const double position = samples > 1 ? static_cast<double>(i) / (samples - 1) : 0.0;
            out[std::size_t{c} * samples + i] = samples == lut.samplesPerChannel && c < lut.channels
                                                    ? lut.values[std::size_t{c} * samples + i]
                                                    : LutValueAt(lut, c, position);
        }
}

GammaRamp RampFromLut(const OneDLutState& lut) {
    double values[kRampEntries];
    ResampleLut(lut, 3, 256, values);
    GammaRamp ramp;
    for (std::size_t k = 0; k < kRampEntries; ++k)
        ramp[k] = static_cast<uint16_t>(std::lround(Clamp01(values[k]) * 65535.0));
    return ramp;
}

void SampleLut3d(const Lut3dState* lut, uint32_t n, double* out) {
    const uint32_t from = lut ? lut->pointsPerAxis : 0;
    for (uint32_t r = 0; r < n; ++r)
        for (uint32_t g = 0; g < n; ++g)
            for (uint32_t b = 0; b < n; ++b) {
                double* triple = out + 3 * ((std::size_t{r} * n + g) * n + b);
                if (!lut || from == 0) {
                    const double step = n > 1 ? 1.0 / (n - 1) : 0.0;
                    triple[0] = r * step;
                    triple[1] = g * step;
                    triple[2] = b * step;
                    continue;
                }
                const std::size_t at =
                    (std::size_t{Nearest(r, n, from)} * from + Nearest(g, n, from)) * from +
                    Nearest(b, n, from);
                std::copy_n(&lut->values[3 * at], 3, triple);
            }
}

void PackLut3d(const Lut3dState* lut, uint32_t* words) {
    std::vector<double> values(3 * kPackedEntries);
    SampleLut3d(lut, kPackedPointsPerAxis, values.data());
    for (std::size_t k = 0; k < kPackedEntries; ++k)
        words[k] = (Code10(values[3 * k]) << 20) | (Code10(values[3 * k + 1]) << 10) |
                   Code10(values[3 * k + 2]);
}

Lut3dState UnpackLut3d(const uint32_t* words) {
    Lut3dState lut;
    lut.pointsPerAxis = kPackedPointsPerAxis;
    lut.values.resize(3 * kPackedEntries);
    for (std::size_t k = 0; k < kPackedEntries; ++k) {
        lut.values[3 * k] = ((words[k] >> 20) & 0x3FF) / 1023.0;
        lut.values[3 * k + 1] = ((words[k] >> 10) & 0x3FF) / 1023.0;
        lut.values[3 * k + 2] = (words[k] & 0x3FF) / 1023.0;
    }
    return lut;
}

uint32_t DpstSupportedFeatures(const DisplaySpec* desc) {
    if (!desc)
        return 0;
    const bool dpst = (desc->powerFeatures & 0x4u) != 0; // CTL_POWER_OPTIMIZATION_FLAG_DPST
    return (dpst ? kDpstFeatureBit : 0u) | desc->dpst.otherFeatures;
}

bool DpstOffersEnhanced(const DisplaySpec* desc) {
    return desc && desc->dpst.enhanced.has_value();
}

DpstState EffectiveDpst(const DisplaySpec* desc, const DisplayState& state) {
    if (state.dpst)
        return *state.dpst;
    DpstState dpst;
    if (!desc)
        return dpst;
    dpst.enabledFeatures = (desc->dpst.enabled ? kDpstFeatureBit : 0u) | desc->dpst.otherFeatures;
    dpst.level = desc->dpst.level;
    dpst.enhanced = desc->dpst.enhanced.value_or(0);
    return dpst;
}

std::optional<SharpnessState> EffectiveSharpness(const DisplaySpec* desc,
                                                 const DisplayState& state) {
    if (!desc || desc->sharpness.filterTypes == 0)
        return std::nullopt;
    return state.sharpness ? *state.sharpness : desc->sharpness.initial;
}

VideoState EffectiveVideo(const AdapterSpec* desc, const AdapterState& state) {
    if (state.video)
        return *state.video;
    return desc ? desc->video : VideoState();
}

uint8_t AuxByte(const DisplaySpec* desc, const DisplayState& state, uint32_t address) {
    auto written = state.aux.find(address);
    if (written != state.aux.end())
        return written->second;
    if (desc) {
        auto initial = desc->aux.find(address);
        if (initial != desc->aux.end())
            return initial->second;
    }
    return 0;
}

} // namespace varnet::sim
