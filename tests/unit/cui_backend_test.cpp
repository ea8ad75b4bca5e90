#include <gtest/gtest.h>

#include <cstdint>

#include "backend/cintel_graphic.h"

namespace varnet {
namespace {

// Nothing here needs a driver: a new object answers these without connecting.
TEST(CuiBackendTest, OperationsTheSdkLacksGiveFixedAnswersAndTouchNothing) {
    CIntelGraphic cui;
    CGraphics& backend = cui;
    EXPECT_EQ(backend.ReservedQuery1(), 1);
    EXPECT_EQ(backend.ReservedQuery2(), 1);

    constexpr uint32_t kGuard = 0xA5A5A5A5u;
    uint32_t enable = kGuard;
    uint32_t intensity = kGuard;
    EXPECT_EQ(backend.GetSharpness(&enable, &intensity), 0);
    EXPECT_EQ(enable, kGuard);
    EXPECT_EQ(intensity, kGuard);
    EXPECT_EQ(backend.SetSharpness(1, 50), 0);

    double matrix[9] = {9, 9, 9, 9, 9, 9, 9, 9, 9};
    uint32_t onOff = kGuard;
    EXPECT_EQ(backend.GetCscMatrix(&onOff, matrix), 0);
    EXPECT_EQ(onOff, kGuard);
    for (double m : matrix) {
        EXPECT_EQ(m, 9.0);
    }
    EXPECT_EQ(backend.SetCscMatrix(1, matrix), 0);
    EXPECT_FALSE(cui.Connected());
}

TEST(CuiBackendTest, NewObjectHasNoMonitorsAndNoDriverVersion) {
    const CIntelGraphic cui;
    EXPECT_EQ(cui.RequestedMonitorType(), 0);
    EXPECT_EQ(cui.DriverVersion(), 0u);
    for (MonitorType type = -1; type <= kMonitorTypeCount; ++type) {
        EXPECT_EQ(cui.MonitorUid(type), 0u) << type;
    }
}

} // namespace
} // namespace varnet
