#include <gtest/gtest.h>

#include <cstdint>

#include "backend/driver_version.h"

namespace varnet {
namespace {

TEST(DriverVersionTest, BuildAndRevisionMakeTheNumber) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"30.0.15.1234", 151234},
        {"31.0.101.4502.9", 1014502},    // a fifth part is never looked at
        {"31.0.101.4502 beta", 1014502}, // numbers end where the digits do
        {"31.0.101.", 1010000},          // an empty fourth part reads as 0
        {"31.0.x.4502", 4502},           // so does a part that is not a number
        {"31", 0},
        {"", 0},
        {"...", 0},
        {"1.2.99999999999.0", 2147483647u * 10000u}, // saturates at INT_MAX, then wraps
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ParseDriverVersion(text), expected) << text;
    }
    EXPECT_EQ(ParseDriverVersion(nullptr), 0u);
}

} // namespace
} // namespace varnet
