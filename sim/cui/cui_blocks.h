// The CUI SDK's data blocks beyond the EDID and LACE ones, as the driver lays them out, with the
// GUIDs they are exchanged under. All fields are little-endian 32-bit words.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/platform.h"

namespace varnet::sim::cui {

using platform::Guid;

// {1CC2BB24-5D6F-4557-8BFB-830C4F4DA701}
inline constexpr Guid kHueSatGuid = {
    0x1CC2BB24, 0x5D6F, 0x4557, {0x8B, 0xFB, 0x83, 0x0C, 0x4F, 0x4D, 0xA7, 0x01}};
// {C8A17673-DD2D-4E98-9617-7764AF5009F7}
inline constexpr Guid kVideoQualityGuid = {
    0xC8A17673, 0xDD2D, 0x4E98, {0x96, 0x17, 0x77, 0x64, 0xAF, 0x50, 0x09, 0xF7}};
// {CCE852BF-E425-4728-A6FC-ACB2091FB236}
inline constexpr Guid kMediaColorGuid = {
    0xCCE852BF, 0xE425, 0x4728, {0xA6, 0xFC, 0xAC, 0xB2, 0x09, 0x1F, 0xB2, 0x36}};
// {FF44D636-ABB6-414D-A7B2-067F7CB81817}
inline constexpr Guid kSixSectorGuid = {
    0xFF44D636, 0xABB6, 0x414D, {0xA7, 0xB2, 0x06, 0x7F, 0x7C, 0xB8, 0x18, 0x17}};
// {0125A496-0174-4BC2-AE9D-77C1D7724EF8}
inline constexpr Guid kDisplayTccGuid = {
    0x0125A496, 0x0174, 0x4BC2, {0xAE, 0x9D, 0x77, 0xC1, 0xD7, 0x72, 0x4E, 0xF8}};
// {808CDFEB-E04F-4214-ABD2-3E7BBE629599}
inline constexpr Guid kColorMatrixControlGuid = {
    0x808CDFEB, 0xE04F, 0x4214, {0xAB, 0xD2, 0x3E, 0x7B, 0xBE, 0x62, 0x95, 0x99}};
// {6B669A75-4BC3-4F92-9138-6F44E135B522}
inline constexpr Guid kColorMatrixGuid = {
    0x6B669A75, 0x4BC3, 0x4F92, {0x91, 0x38, 0x6F, 0x44, 0xE1, 0x35, 0xB5, 0x22}};
// {9EE756C6-4D97-4B5D-BB93-B854E727A674}
inline constexpr Guid kDpstGuid = {
    0x9EE756C6, 0x4D97, 0x4B5D, {0xBB, 0x93, 0xB8, 0x54, 0xE7, 0x27, 0xA6, 0x74}};
// {BFB9816C-AEB0-434B-99F3-0F94E6BEBF0D}
inline constexpr Guid kAuxGuid = {
    0xBFB9816C, 0xAEB0, 0x434B, {0x99, 0xF3, 0x0F, 0x94, 0xE6, 0xBE, 0xBF, 0x0D}};
// {BC51E8BC-3A25-402E-9D20-4C3FC4E68BF2}
inline constexpr Guid kPanelSizeGuid = {
    0xBC51E8BC, 0x3A25, 0x402E, {0x9D, 0x20, 0x4C, 0x3F, 0xC4, 0xE6, 0x8B, 0xF2}};
// {6E746EAA-BDDE-4B18-AB4C-B37353DFFCA0}
inline constexpr Guid kLut3dGuid = {
    0x6E746EAA, 0xBDDE, 0x4B18, {0xAB, 0x4C, 0xB3, 0x73, 0x53, 0xDF, 0xFC, 0xA0}};

#define VARNET_CHECK_BLOCK(block, field, offset)                                                   \
    static_assert(offsetof(block, field) == (offset), #block "." #field)

struct HueSatBlock {
    uint32_t reserved0[2] = {};
    uint32_t uid = 0;
    float hue = 0.0f;
    uint32_t reserved1[4] = {};
    float saturation = 0.0f;
    uint32_t reserved2[5] = {};
};
static_assert(sizeof(HueSatBlock) == 56);
VARNET_CHECK_BLOCK(HueSatBlock, uid, 8);
VARNET_CHECK_BLOCK(HueSatBlock, hue, 12);
VARNET_CHECK_BLOCK(HueSatBlock, saturation, 32);

// Four groups of enable, mode, value and default value; not every group has all four.
struct VideoQualityBlock {
    uint32_t version = 0;
    uint32_t reserved0[4] = {};
    uint32_t firstEnable = 0;
    uint32_t reserved1 = 0;
    uint32_t sharpnessEnable = 0;
    uint32_t reserved2[2] = {};
    float sharpnessValue = 0.0f;
    float sharpnessDefault = 0.0f;
    uint32_t reserved3[5] = {};
    uint32_t sharpnessMode = 0;
    uint32_t reserved4 = 0;
    float firstValue = 0.0f;
    float firstDefault = 0.0f;
    uint32_t reserved5[4] = {};
    uint32_t firstMode = 0;
    uint32_t reserved6 = 0;
    uint32_t skinToneEnable = 0;
    uint32_t reserved7 = 0;
    uint32_t contrastEnable = 0;
    uint32_t reserved8 = 0;
    float skinToneValue = 0.0f;
    uint32_t reserved9[13] = {};
    float contrastValue = 0.0f;
    uint32_t reserved10[4] = {};
};
static_assert(sizeof(VideoQualityBlock) == 200);
VARNET_CHECK_BLOCK(VideoQualityBlock, firstEnable, 20);
VARNET_CHECK_BLOCK(VideoQualityBlock, sharpnessEnable, 28);
VARNET_CHECK_BLOCK(VideoQualityBlock, sharpnessValue, 40);
VARNET_CHECK_BLOCK(VideoQualityBlock, sharpnessDefault, 44);
VARNET_CHECK_BLOCK(VideoQualityBlock, sharpnessMode, 68);
VARNET_CHECK_BLOCK(VideoQualityBlock, firstValue, 76);
VARNET_CHECK_BLOCK(VideoQualityBlock, firstDefault, 80);
VARNET_CHECK_BLOCK(VideoQualityBlock, firstMode, 100);
VARNET_CHECK_BLOCK(VideoQualityBlock, skinToneEnable, 108);
VARNET_CHECK_BLOCK(VideoQualityBlock, contrastEnable, 116);
VARNET_CHECK_BLOCK(VideoQualityBlock, skinToneValue, 124);
VARNET_CHECK_BLOCK(VideoQualityBlock, contrastValue, 180);

// One float every 20 bytes.
struct StridedFloat {
    float value = 0.0f;
    uint32_t reserved[4] = {};
};
static_assert(sizeof(StridedFloat) == 20);

struct MediaColorBlock {
    uint32_t version = 0;
    uint32_t reserved0[2] = {};
    uint32_t standardFirst = 0;
    uint32_t reserved1[2] = {};
    StridedFloat standard[4]; // in block order c, d, b, a of the colour correction's floats
    uint32_t totalEnable = 0;
    uint32_t reserved2 = 0;
    StridedFloat total[6];
    uint32_t reserved3[2] = {};
};
static_assert(sizeof(MediaColorBlock) == 240);
VARNET_CHECK_BLOCK(MediaColorBlock, standardFirst, 12);
VARNET_CHECK_BLOCK(MediaColorBlock, standard, 24);
VARNET_CHECK_BLOCK(MediaColorBlock, totalEnable, 104);
VARNET_CHECK_BLOCK(MediaColorBlock, total, 112);

struct SixSectorBlock {
    uint32_t version = 0;
    uint32_t reserved0[3] = {};
    uint32_t tag = 0; // 4096 on the way in
    uint32_t red = 0, green = 0, blue = 0, cyan = 0, magenta = 0, yellow = 0;
    uint32_t writeFlag = 0; // 2 on the way in of a write
    uint32_t reserved1[2] = {};
};
static_assert(sizeof(SixSectorBlock) == 56);
VARNET_CHECK_BLOCK(SixSectorBlock, tag, 16);
VARNET_CHECK_BLOCK(SixSectorBlock, red, 20);
VARNET_CHECK_BLOCK(SixSectorBlock, yellow, 40);
VARNET_CHECK_BLOCK(SixSectorBlock, writeFlag, 44);

struct DisplayTccBlock {
    uint32_t version = 0;
    uint32_t reserved0[4] = {};
    uint32_t enable = 0;
    uint32_t uid = 0;
    uint32_t red = 0, green = 0, blue = 0, cyan = 0, magenta = 0, yellow = 0;
};
static_assert(sizeof(DisplayTccBlock) == 52);
VARNET_CHECK_BLOCK(DisplayTccBlock, enable, 20);
VARNET_CHECK_BLOCK(DisplayTccBlock, uid, 24);
VARNET_CHECK_BLOCK(DisplayTccBlock, red, 28);
VARNET_CHECK_BLOCK(DisplayTccBlock, yellow, 48);

struct ColorMatrixControlBlock {
    uint32_t version = 0;
    uint32_t reserved0 = 0;
    uint32_t uid = 0;
    uint32_t reserved1 = 0;
    uint32_t value = 0;
    uint32_t reserved2 = 0;
};
static_assert(sizeof(ColorMatrixControlBlock) == 24);
VARNET_CHECK_BLOCK(ColorMatrixControlBlock, uid, 8);
VARNET_CHECK_BLOCK(ColorMatrixControlBlock, value, 16);

struct ColorMatrixBlock {
    uint32_t version = 0;
    uint32_t reserved0 = 0;
    uint32_t uid = 0;
    uint32_t enabled = 0;
    uint32_t third = 0;
    uint32_t present = 0;
    float matrix[9] = {};
    uint32_t reserved1 = 0;
};
static_assert(sizeof(ColorMatrixBlock) == 64);
VARNET_CHECK_BLOCK(ColorMatrixBlock, enabled, 12);
VARNET_CHECK_BLOCK(ColorMatrixBlock, third, 16);
VARNET_CHECK_BLOCK(ColorMatrixBlock, present, 20);
VARNET_CHECK_BLOCK(ColorMatrixBlock, matrix, 24);

struct DpstBlock {
    uint32_t header[2] = {}; // 1 and 1 on the way in
    uint32_t reserved0[2] = {};
    uint32_t supported = 0;  // bit value 8: DPST
    uint32_t changeMask = 0; // features the caller means to change
    uint32_t enabled = 0;    // bit value 8: DPST on
    uint32_t level = 0;
    uint32_t reserved1[32] = {};
    uint32_t tag = 0; // 3 on the way in
    uint32_t reserved2 = 0;
    uint32_t enhancedOffered = 0;
    uint32_t enhanced = 0;
    uint32_t reserved3 = 0;
};
static_assert(sizeof(DpstBlock) == 180);
VARNET_CHECK_BLOCK(DpstBlock, supported, 16);
VARNET_CHECK_BLOCK(DpstBlock, changeMask, 20);
VARNET_CHECK_BLOCK(DpstBlock, enabled, 24);
VARNET_CHECK_BLOCK(DpstBlock, level, 28);
VARNET_CHECK_BLOCK(DpstBlock, tag, 160);
VARNET_CHECK_BLOCK(DpstBlock, enhancedOffered, 168);
VARNET_CHECK_BLOCK(DpstBlock, enhanced, 172);

inline constexpr uint32_t kAuxWrite = 8;
inline constexpr uint32_t kAuxRead = 9;
inline constexpr uint32_t kAuxDataBytes = 132;

struct AuxBlock {
    uint32_t uid = 0;
    uint32_t operation = 0;
    uint32_t size = 0;
    uint32_t address = 0;
    uint8_t data[kAuxDataBytes] = {};
};
static_assert(sizeof(AuxBlock) == 148);
VARNET_CHECK_BLOCK(AuxBlock, operation, 4);
VARNET_CHECK_BLOCK(AuxBlock, size, 8);
VARNET_CHECK_BLOCK(AuxBlock, address, 12);
VARNET_CHECK_BLOCK(AuxBlock, data, 16);

struct PanelSizeRecord {
    uint32_t reserved0 = 0;
    uint32_t uid = 0;
    uint32_t width = 0;
    uint32_t height = 0;
    uint32_t reserved1[12] = {};
};
static_assert(sizeof(PanelSizeRecord) == 64);

struct PanelSizeBlock {
    PanelSizeRecord records[2];
    uint32_t reserved = 0;
};
static_assert(sizeof(PanelSizeBlock) == 132);
VARNET_CHECK_BLOCK(PanelSizeBlock, records[0].uid, 4);
VARNET_CHECK_BLOCK(PanelSizeBlock, records[1].uid, 68);
VARNET_CHECK_BLOCK(PanelSizeBlock, records[1].height, 76);

// The extended exchange of the packed 3D LUT: this header, then the table.
inline constexpr uint32_t kLut3dDataBytes = 19652; // 17^3 words
inline constexpr uint32_t kLut3dGridPoints = 17;

struct Lut3dHeader {
    uint32_t version = 0;
    uint32_t reserved[3] = {};
    uint32_t status = 0; // a read's answer: 1 while the table is in effect
    uint32_t enable = 0;
    uint32_t gridPoints = 0;
    uint32_t dataSize = 0;
    uint32_t operation = 0;
    uint32_t uid = 0;
    uint32_t bypass = 0;
};
static_assert(sizeof(Lut3dHeader) == 44);
VARNET_CHECK_BLOCK(Lut3dHeader, status, 16);
VARNET_CHECK_BLOCK(Lut3dHeader, enable, 20);
VARNET_CHECK_BLOCK(Lut3dHeader, gridPoints, 24);
VARNET_CHECK_BLOCK(Lut3dHeader, dataSize, 28);
VARNET_CHECK_BLOCK(Lut3dHeader, operation, 32);
VARNET_CHECK_BLOCK(Lut3dHeader, uid, 36);
VARNET_CHECK_BLOCK(Lut3dHeader, bypass, 40);

#undef VARNET_CHECK_BLOCK

} // namespace varnet::sim::cui
