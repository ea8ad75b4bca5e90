// The CUI SDK's device data blocks beyond the EDID and LACE ones: their data GUIDs and layouts,
// byte for byte as the driver exchanges them. Shared by the CUI back-end and the enhanced DPST
// exports.
#pragma once

#include <cstddef>
#include <cstdint>

#include "backend/cui_sdk.h"

namespace varnet::cui {

// {1CC2BB24-5D6F-4557-8BFB-830C4F4DA701} IGFX_GET_SET_HUESAT_INFO_GUID
inline constexpr Guid kHueSatGuid = {
    0x1CC2BB24, 0x5D6F, 0x4557, {0x8B, 0xFB, 0x83, 0x0C, 0x4F, 0x4D, 0xA7, 0x01}};
// {C8A17673-DD2D-4E98-9617-7764AF5009F7} IGFX_GET_SET_VIDEO_QUALITY_EX2_GUID
inline constexpr Guid kVideoQualityGuid = {
    0xC8A17673, 0xDD2D, 0x4E98, {0x96, 0x17, 0x77, 0x64, 0xAF, 0x50, 0x09, 0xF7}};
// {CCE852BF-E425-4728-A6FC-ACB2091FB236} IGFX_GET_SET_MEDIA_COLOR_EX2_GUID
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

// Fields not named are reserved: zero on the way in, sent back as the driver returned them.

struct HueSatBlock {
    uint32_t reserved0[2] = {};
    uint32_t uid = 0;
    float hue = 0;
    uint32_t reserved16[4] = {};
    float saturation = 0;
    uint32_t reserved36[5] = {};
};
static_assert(sizeof(HueSatBlock) == 56);
static_assert(offsetof(HueSatBlock, uid) == 8);
static_assert(offsetof(HueSatBlock, hue) == 12);
static_assert(offsetof(HueSatBlock, saturation) == 32);

inline constexpr uint32_t kVideoQualityVersion = 4;

// Four feature groups; the first one's meaning is the driver's.
struct VideoQualityBlock {
    uint32_t version = 0;
    uint32_t reserved4[4] = {};
    uint32_t firstEnable = 0;
    uint32_t reserved24 = 0;
    uint32_t sharpnessEnable = 0;
    uint32_t reserved32[2] = {};
    float sharpnessValue = 0;
    float sharpnessDefault = 0;
    uint32_t reserved48[5] = {};
    uint32_t sharpnessMode = 0;
    uint32_t reserved72 = 0;
    float firstValue = 0;
    float firstDefault = 0;
    uint32_t reserved84[4] = {};
    uint32_t firstMode = 0;
    uint32_t reserved104 = 0;
    uint32_t skinToneEnable = 0;
    uint32_t reserved112 = 0;
    uint32_t contrastEnable = 0;
    uint32_t reserved120 = 0;
    float skinToneValue = 0;
    uint32_t reserved128[13] = {};
    float contrastValue = 0;
    uint32_t reserved184[4] = {};
};
static_assert(sizeof(VideoQualityBlock) == 200);
static_assert(offsetof(VideoQualityBlock, firstEnable) == 20);
static_assert(offsetof(VideoQualityBlock, sharpnessEnable) == 28);
static_assert(offsetof(VideoQualityBlock, sharpnessValue) == 40);
static_assert(offsetof(VideoQualityBlock, sharpnessDefault) == 44);
static_assert(offsetof(VideoQualityBlock, sharpnessMode) == 68);
static_assert(offsetof(VideoQualityBlock, firstValue) == 76);
static_assert(offsetof(VideoQualityBlock, firstDefault) == 80);
static_assert(offsetof(VideoQualityBlock, firstMode) == 100);
static_assert(offsetof(VideoQualityBlock, skinToneEnable) == 108);
static_assert(offsetof(VideoQualityBlock, contrastEnable) == 116);
static_assert(offsetof(VideoQualityBlock, skinToneValue) == 124);
static_assert(offsetof(VideoQualityBlock, contrastValue) == 180);

inline constexpr uint32_t kMediaColorVersion = 2;
inline constexpr std::size_t kMediaTccValues = 6;

// Values at a stride of 20 bytes: the colour-correction group from 24, the total colour control
// group from 112.
struct MediaColorBlock {
    struct Value {
        float value = 0;
        uint32_t reserved[4] = {};
    };
    uint32_t version = 0;
    uint32_t reserved4[2] = {};
    uint32_t first = 0;
    uint32_t reserved16[2] = {};
    Value correction[4];
    uint32_t tccEnable = 0;
    uint32_t reserved108 = 0;
    Value tcc[kMediaTccValues];
    uint32_t reserved232[2] = {};
};
static_assert(sizeof(MediaColorBlock::Value) == 20);
static_assert(sizeof(MediaColorBlock) == 240);
static_assert(offsetof(MediaColorBlock, first) == 12);
static_assert(offsetof(MediaColorBlock, correction) == 24);
static_assert(offsetof(MediaColorBlock, tccEnable) == 104);
static_assert(offsetof(MediaColorBlock, tcc) == 112);
static_assert(offsetof(MediaColorBlock, tcc) + 5 * sizeof(MediaColorBlock::Value) == 212);

inline constexpr uint32_t kSixSectorVersion = 1;
inline constexpr uint32_t kSixSectorScale = 4096;
inline constexpr uint32_t kSixSectorWrite = 2;

struct SixSectorBlock {
    uint32_t version = 0;
    uint32_t reserved4[3] = {};
    uint32_t scale = 0;
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
    uint32_t cyan = 0;
    uint32_t magenta = 0;
    uint32_t yellow = 0;
    uint32_t operation = 0;
    uint32_t reserved48[2] = {};
};
static_assert(sizeof(SixSectorBlock) == 56);
static_assert(offsetof(SixSectorBlock, scale) == 16);
static_assert(offsetof(SixSectorBlock, red) == 20);
static_assert(offsetof(SixSectorBlock, cyan) == 32);
static_assert(offsetof(SixSectorBlock, yellow) == 40);
static_assert(offsetof(SixSectorBlock, operation) == 44);

inline constexpr uint32_t kDisplayTccVersion = 1;

struct DisplayTccBlock {
    uint32_t version = 0;
    uint32_t reserved4[4] = {};
    uint32_t enable = 0;
    uint32_t uid = 0;
    uint32_t red = 0;
    uint32_t green = 0;
    uint32_t blue = 0;
    uint32_t cyan = 0;
    uint32_t magenta = 0;
    uint32_t yellow = 0;
};
static_assert(sizeof(DisplayTccBlock) == 52);
static_assert(offsetof(DisplayTccBlock, enable) == 20);
static_assert(offsetof(DisplayTccBlock, uid) == 24);
static_assert(offsetof(DisplayTccBlock, red) == 28);
static_assert(offsetof(DisplayTccBlock, cyan) == 40);
static_assert(offsetof(DisplayTccBlock, yellow) == 48);

inline constexpr uint32_t kColorMatrixVersion = 1;
inline constexpr std::size_t kColorMatrixElements = 9;

struct ColorMatrixControlBlock {
    uint32_t version = 0;
    uint32_t reserved4 = 0;
    uint32_t uid = 0;
    uint32_t reserved12 = 0;
    uint32_t value = 0;
    uint32_t reserved20 = 0;
};
static_assert(sizeof(ColorMatrixControlBlock) == 24);
static_assert(offsetof(ColorMatrixControlBlock, uid) == 8);
static_assert(offsetof(ColorMatrixControlBlock, value) == 16);

// A 3 x 3 matrix in row order.
struct ColorMatrixBlock {
    uint32_t version = 0;
    uint32_t reserved4 = 0;
    uint32_t uid = 0;
    uint32_t enabled = 0;
    uint32_t third = 0;
    uint32_t matrixPresent = 0;
    float matrix[kColorMatrixElements] = {};
    uint32_t reserved60 = 0;
};
static_assert(sizeof(ColorMatrixBlock) == 64);
static_assert(offsetof(ColorMatrixBlock, enabled) == 12);
static_assert(offsetof(ColorMatrixBlock, third) == 16);
static_assert(offsetof(ColorMatrixBlock, matrixPresent) == 20);
static_assert(offsetof(ColorMatrixBlock, matrix) == 24);

// The DPST feature's bit in the supported, change and enabled masks.
inline constexpr uint32_t kDpstFeatureBit = 8;

// Display power saving; no UID. The header words 0, 4 and 160 are 1, 1 and 3 on the way in.
struct DpstBlock {
    uint32_t header0 = 0;
    uint32_t header4 = 0;
    uint32_t header8 = 0;
    uint32_t reserved12 = 0;
    uint32_t supported = 0;
    uint32_t changeMask = 0;
    uint32_t enabled = 0;
    uint32_t level = 0;
    uint32_t reserved32[32] = {};
    uint32_t header160 = 0;
    uint32_t reserved164 = 0;
    uint32_t enhancedOffered = 0;
    uint32_t enhancedValue = 0;
    uint32_t reserved176 = 0;
};
static_assert(sizeof(DpstBlock) == 180);
static_assert(offsetof(DpstBlock, supported) == 16);
static_assert(offsetof(DpstBlock, changeMask) == 20);
static_assert(offsetof(DpstBlock, enabled) == 24);
static_assert(offsetof(DpstBlock, level) == 28);
static_assert(offsetof(DpstBlock, header160) == 160);
static_assert(offsetof(DpstBlock, enhancedOffered) == 168);
static_assert(offsetof(DpstBlock, enhancedValue) == 172);

// A DPST block as both the back-end and the enhanced DPST exports send it to a read.
inline DpstBlock DpstReadRequest() {
    DpstBlock block;
    block.header0 = 1;
    block.header4 = 1;
    block.header8 = 0;
    block.header160 = 3;
    return block;
}

inline constexpr uint32_t kAuxWrite = 8;
inline constexpr uint32_t kAuxRead = 9;
inline constexpr std::size_t kAuxDataBytes = 132;

struct AuxBlock {
    uint32_t uid = 0;
    uint32_t operation = 0;
    uint32_t size = 0;
    uint32_t address = 0;
    uint8_t data[kAuxDataBytes] = {};
};
static_assert(sizeof(AuxBlock) == 148);
static_assert(offsetof(AuxBlock, operation) == 4);
static_assert(offsetof(AuxBlock, size) == 8);
static_assert(offsetof(AuxBlock, address) == 12);
static_assert(offsetof(AuxBlock, data) == 16);

// Two 64-byte records after one leading word; the UID goes into the first on the way in.
struct PanelSizeBlock {
    struct Record {
        uint32_t uid = 0;
        uint32_t width = 0;
        uint32_t height = 0;
        uint32_t reserved[13] = {};
    };
    uint32_t reserved0 = 0;
    Record first;
    Record second;
};
static_assert(sizeof(PanelSizeBlock::Record) == 64);
static_assert(sizeof(PanelSizeBlock) == 132);
static_assert(offsetof(PanelSizeBlock, first) + offsetof(PanelSizeBlock::Record, uid) == 4);
static_assert(offsetof(PanelSizeBlock, first) + offsetof(PanelSizeBlock::Record, width) == 8);
static_assert(offsetof(PanelSizeBlock, first) + offsetof(PanelSizeBlock::Record, height) == 12);
static_assert(offsetof(PanelSizeBlock, second) + offsetof(PanelSizeBlock::Record, uid) == 68);
static_assert(offsetof(PanelSizeBlock, second) + offsetof(PanelSizeBlock::Record, width) == 72);
static_assert(offsetof(PanelSizeBlock, second) + offsetof(PanelSizeBlock::Record, height) == 76);

} // namespace varnet::cui
