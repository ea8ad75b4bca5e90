#include "common/lut_summary.h"

#include <cmath>
#include <cstdio>

namespace varnet::sim {

namespace {

using nlohmann::json;

struct NamedPoint {
    const char* name;
    int r, g, b; // 0: first index, 2: last, 1: middle
};
constexpr NamedPoint kPoints[] = {
    {"black", 0, 0, 0},   {"red", 2, 0, 0},    {"green", 0, 2, 0},
    {"blue", 0, 0, 2},    {"yellow", 2, 2, 0}, {"cyan", 0, 2, 2},
    {"magenta", 2, 0, 2}, {"white", 2, 2, 2},  {"grey", 1, 1, 1},
};

std::size_t Index(int which, uint32_t n) {
    return which == 0 ? 0 : which == 2 ? n - 1 : n / 2;
}

} // namespace

json Number(double value) {
    return std::isfinite(value) ? json(value) : json(nullptr);
}

std::string Checksum(const void* bytes, std::size_t size) {
    uint64_t hash = 0xcbf29ce484222325ull;
    const auto* p = static_cast<const uint8_t*>(bytes);
    for (std::size_t i = 0; i < size; ++i) {
        hash ^= p[i];
        hash *= 0x100000001b3ull;
    }
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

json RampValues(const double* samples, std::size_t count) {
    json values = json::array();
    for (std::size_t k = 0; k < count; ++k) {
        const double scaled = samples[k] * 65535.0;
        values.push_back(std::isfinite(scaled) && std::fabs(scaled) < 1e15
                             ? json(std::llround(scaled))
                             : json(nullptr));
    }
    return values;
}

json Lut3dSummary(const double* triples, uint32_t n) {
    json summary = {{"pointsPerAxis", n}};
    if (n == 0)
        return summary;
    json points = json::object();
    for (const NamedPoint& p : kPoints) {
        const std::size_t at = (Index(p.r, n) * n + Index(p.g, n)) * n + Index(p.b, n);
        points[p.name] = {Number(triples[3 * at]), Number(triples[3 * at + 1]),
                          Number(triples[3 * at + 2])};
    }
    summary["points"] = points;
    const std::size_t count = std::size_t{n} * n * n;
    summary["checksum"] = Checksum(triples, 3 * count * sizeof(double));
    double deviation = 0.0;
    const double step = n > 1 ? 1.0 / (n - 1) : 0.0;
    for (std::size_t k = 0; k < count; ++k) {
        const std::size_t index[3] = {k / (std::size_t{n} * n), (k / n) % n, k % n};
        for (int c = 0; c < 3; ++c) {
            const double d = std::fabs(triples[3 * k + c] - index[c] * step);
            deviation = std::isfinite(d) ? std::max(deviation, d) : INFINITY;
        }
    }
    summary["maxIdentityDeviation"] = Number(deviation);
    return summary;
}

json PackedLutSummary(const uint32_t* words) {
    constexpr uint32_t n = 17;
    auto codes = [](uint32_t word) {
        return json::array({(word >> 20) & 0x3FF, (word >> 10) & 0x3FF, word & 0x3FF});
    };
    json points = json::object();
    for (const NamedPoint& p : kPoints)
        points[p.name] = codes(words[(Index(p.r, n) * n + Index(p.g, n)) * n + Index(p.b, n)]);
    int deviation = 0;
    for (uint32_t k = 0; k < n * n * n; ++k) {
        const uint32_t index[3] = {k / (n * n), (k / n) % n, k % n};
        const uint32_t shifts[3] = {20, 10, 0};
        for (int c = 0; c < 3; ++c) {
            const int code = static_cast<int>((words[k] >> shifts[c]) & 0x3FF);
            const int identity = static_cast<int>(index[c] * 1023 / 16);
            deviation = std::max(deviation, std::abs(code - identity));
        }
    }
    return {{"pointsPerAxis", n},
            {"points", points},
            {"checksum", Checksum(words, n * n * n * sizeof(uint32_t))},
            {"maxIdentityDeviation", deviation}};
}

} // namespace varnet::sim
