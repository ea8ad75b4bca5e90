#include "pipeline_model.h"

#include <algorithm>
#include <cmath>

namespace varnet::colour {

namespace {

double Clamp01(double v) {
    return std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0);
}

bool RampUsable(const PipelineState& s) {
    return s.rampSamples >= 2 && s.ramp.size() == 3 * static_cast<std::size_t>(s.rampSamples);
}

bool LutUsable(const PipelineState& s) {
    const std::size_t n = s.lutPoints;
    return n >= 2 && s.lut.size() == 3 * n * n * n;
}

double RampAt(const PipelineState& s, int channel, double v) {
    const double position = Clamp01(v) * (s.rampSamples - 1);
    const auto below = static_cast<std::size_t>(std::floor(position));
    const std::size_t above = std::min<std::size_t>(below + 1, s.rampSamples - 1);
    const double t = position - static_cast<double>(below);
    const double* samples = s.ramp.data() + static_cast<std::size_t>(channel) * s.rampSamples;
    return samples[below] * (1.0 - t) + samples[above] * t;
}

Rgb LutAt(const PipelineState& s, const Rgb& in) {
    const std::size_t n = s.lutPoints;
    std::size_t lo[3], hi[3];
    double t[3];
    for (int c = 0; c < 3; ++c) {
        const double position = Clamp01(in[c]) * static_cast<double>(n - 1);
        lo[c] = std::min(static_cast<std::size_t>(std::floor(position)), n - 2);
        hi[c] = lo[c] + 1;
        t[c] = position - static_cast<double>(lo[c]);
    }
    Rgb out{};
    for (int corner = 0; corner < 8; ++corner) {
        const std::size_t i = corner & 4 ? hi[0] : lo[0];
        const std::size_t j = corner & 2 ? hi[1] : lo[1];
        const std::size_t k = corner & 1 ? hi[2] : lo[2];
        const double w = (corner & 4 ? t[0] : 1.0 - t[0]) * (corner & 2 ? t[1] : 1.0 - t[1]) *
                         (corner & 1 ? t[2] : 1.0 - t[2]);
        const double* point = s.lut.data() + 3 * ((i * n + j) * n + k);
        for (int c = 0; c < 3; ++c) {
            out[c] += w * point[c];
        }
    }
    return out;
}

} // namespace

bool PipelineUsable(const PipelineState& state) {
    return (state.ramp.empty() || RampUsable(state)) && (state.lut.empty() || LutUsable(state));
}

Rgb ApplyPipeline(const PipelineState& s, const Rgb& in) {
    Rgb v{Clamp01(in[0]), Clamp01(in[1]), Clamp01(in[2])};
    if (RampUsable(s)) {
        v = {Clamp01(RampAt(s, 0, v[0])), Clamp01(RampAt(s, 1, v[1])), Clamp01(RampAt(s, 2, v[2]))};
    }
    const Matrix3& m = s.matrix;
    v = {Clamp01(m[0] * v[0] + m[1] * v[1] + m[2] * v[2]),
         Clamp01(m[3] * v[0] + m[4] * v[1] + m[5] * v[2]),
         Clamp01(m[6] * v[0] + m[7] * v[1] + m[8] * v[2])};
    if (LutUsable(s)) {
        const Rgb l = LutAt(s, v);
        v = {Clamp01(l[0]), Clamp01(l[1]), Clamp01(l[2])};
    }
    return v;
}

} // namespace varnet::colour
