#include "colour_checker.h"

namespace varnet::colour {

const std::vector<Patch>& ColourCheckerPatches() {
    static const std::vector<Patch> patches = {
        {"dark skin", {115, 82, 68}},     {"light skin", {194, 150, 130}},
        {"blue sky", {98, 122, 157}},     {"foliage", {87, 108, 67}},
        {"blue flower", {133, 128, 177}}, {"bluish green", {103, 189, 170}},
        {"orange", {214, 126, 44}},       {"purplish blue", {80, 91, 166}},
        {"moderate red", {193, 90, 99}},  {"purple", {94, 60, 108}},
        {"yellow green", {157, 188, 64}}, {"orange yellow", {224, 163, 46}},
        {"blue", {56, 61, 150}},          {"green", {70, 148, 73}},
        {"red", {175, 54, 60}},           {"yellow", {231, 199, 31}},
        {"magenta", {187, 86, 149}},      {"cyan", {8, 133, 161}},
        {"white 9.5", {243, 243, 242}},   {"neutral 8", {200, 200, 200}},
        {"neutral 6.5", {160, 160, 160}}, {"neutral 5", {122, 122, 121}},
        {"neutral 3.5", {85, 85, 85}},    {"black 2", {52, 52, 52}},
    };
    return patches;
}

const std::vector<Patch>& GreyRampPatches() {
    static const std::vector<Patch> patches = [] {
        static const char* const names[] = {"grey 0%",  "grey 10%", "grey 20%", "grey 30%",
                                            "grey 40%", "grey 50%", "grey 60%", "grey 70%",
                                            "grey 80%", "grey 90%", "grey 100%"};
        std::vector<Patch> ramp;
        for (int step = 0; step <= 10; ++step) {
            const auto v = static_cast<uint8_t>((step * 255 + 5) / 10);
            ramp.push_back({names[step], {v, v, v}});
        }
        return ramp;
    }();
    return patches;
}

} // namespace varnet::colour
