// 3D look-up tables of the CUI back-end: read from a .cube file, exchanged with the driver
// through the SDK's extended calls, built from a colour matrix, reset to the identity.
#include <cstdio>

#include "backend/cintel_graphic.h"
#include "backend/cube_file_parser.h"
#include "backend/packed_3d_lut.h"
#include "config/diagnostic_log.h"
#include "platform/platform.h"

namespace varnet {

namespace {

constexpr std::size_t kTextSize = 260;
constexpr char kCubePathFormat[] = "C:\\ProgramData\\ColorMode\\%s.cube";
constexpr std::size_t kCubeReadChunk = 4096;

constexpr uint32_t kHeaderVersion = 1;
constexpr cui::HResult kEFail = static_cast<cui::HResult>(0x80004005);

// Operations of the extended exchange. 1 reads or loads the table itself, 3 loads one built
// from a matrix; 0 asks nothing particular: the read-back after a matrix load, and the reset's
// second write that hands the pipe back to the driver's own table.
constexpr uint32_t kOpPlain = 0;
constexpr uint32_t kOpTable = 1;
constexpr uint32_t kOpTableFromMatrix = 3;
// What a read-back reports when the loaded table is what the display shows.
constexpr uint32_t kStatusInEffect = 1;

void LogSetDeviceDataExError(int32_t error) {
    char text[kTextSize];
    std::snprintf(text, sizeof text, "SetDeviceDataEx() error code = 0x%x",
                  static_cast<unsigned>(error));
    WriteLog(text);
}

// The SDK's failure value for an exception that left the error value at "no error": callers
// decide by that value, and a throw must never read as success.
void MarkThrown(int32_t& error) {
    if (error == 0) {
        error = cui::kIgfxFailure;
    }
}

} // namespace

Bool CIntelGraphic::LoadCubeFile(const char* name, Packed3DLut* table) {
    if (name == nullptr || table == nullptr) {
        return 0;
    }
    char path[kTextSize];
    const int length = std::snprintf(path, sizeof path, kCubePathFormat, name);
    // A cut path could name another file: a name too long for the buffer opens nothing.
    if (length < 0 || static_cast<std::size_t>(length) >= sizeof path) {
        platform::OutputDebugString("LoadCubeFile : name too long\r\n");
        return 0;
    }
    // Binary, so that Windows and the host read the same bytes (text mode would end the file at
    // a Ctrl-Z); carriage returns are white space to the parser.
    std::FILE* file = platform::OpenFile(path, "rb");
    if (file == nullptr) {
        return 0;
    }
    CubeFileParser parser;
    char chunk[kCubeReadChunk];
    std::size_t got = 0;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) {
        parser.Feed(std::string_view(chunk, got));
    }
    const bool readError = std::ferror(file) != 0;
    std::fclose(file);
    if (readError) {
        return 0;
    }
    const CubeStatus status = parser.Finish(*table);
    if (status != CubeStatus::kOk) {
        char text[kTextSize];
        std::snprintf(text, sizeof text, "LoadCubeFile : %s after %u numbers\r\n",
                      CubeStatusText(status), static_cast<unsigned>(parser.NumberCount()));
        platform::OutputDebugString(text);
        return 0;
    }
    return 1;
}

cui::HResult CIntelGraphic::Exchange3DLut(Lut3DCall call, Packed3DLut& table,
                                          cui::Lut3DHeader& header, int32_t& error) {
    header = cui::Lut3DHeader();
    header.version = kHeaderVersion;
    header.enable = call.enable;
    header.gridPoints = kLutGridPoints;
    header.dataSize = sizeof(Packed3DLut);
    header.operation = call.operation;
    header.uid = CurrentUid();
    header.bypass = call.bypass;
    error = 0;
    auto* headerBytes = reinterpret_cast<uint8_t*>(&header);
    auto* data = reinterpret_cast<uint8_t*>(table.words);
    try {
        return call.write
                   ? m_pCUIExternal8->SetDeviceDataEx(cui::kLut3DGuid, sizeof header, headerBytes,
                                                      sizeof table, data, &error)
                   : m_pCUIExternal8->GetDeviceDataEx(cui::kLut3DGuid, sizeof header, headerBytes,
                                                      sizeof table, data, &error);
    } catch (...) {
        MarkThrown(error);
        return kEFail;
    }
}

Bool CIntelGraphic::Get3DLut(uint32_t* enabled, Packed3DLut* table) {
    if (m_bInitialized == 0) {
        InitLib();
    }
    if (m_pCUIExternal8 == nullptr || table == nullptr) {
        return 0;
    }
    cui::Lut3DHeader header;
    int32_t error = 0;
    Exchange3DLut({false, 0, kOpTable, 0}, *table, header, error);
    if (enabled != nullptr) {
        *enabled = header.enable;
    }
    return error == 0 ? 1 : 0;
}

Bool CIntelGraphic::Set3DLut(Bool enable, const Packed3DLut* table) {
    if (m_bInitialized == 0) {
        InitLib();
    }
    if (m_pCUIExternal8 == nullptr || table == nullptr) {
        return 0;
    }
    // The SDK takes a writable buffer; the caller's table stays as it was given.
    Packed3DLut copy = *table;
    cui::Lut3DHeader header;
    int32_t error = 0;
    Exchange3DLut({true, 1, kOpTable, enable == 0 ? 1u : 0u}, copy, header, error);
    if (error != 0) {
        LogSetDeviceDataExError(error);
        return 0;
    }
    return 1;
}

void CIntelGraphic::Build3DLut(const float* matrix, Packed3DLut* table) {
    if (matrix == nullptr || table == nullptr) {
        return;
    }
    Build3DLutFromMatrix(matrix, *table);
}

Bool CIntelGraphic::Set3DLutParams(Bool enable, const float* matrix, int32_t fallbackSaturation) {
    if (m_bInitialized == 0) {
        InitLib();
    }
    // Without a matrix there is nothing to build; a disabling call does not read it.
    if (m_pCUIExternal8 == nullptr || (enable != 0 && matrix == nullptr)) {
        return 0;
    }
    Packed3DLut table;
    if (enable != 0) {
        Build3DLutFromMatrix(matrix, table);
    }
    cui::Lut3DHeader header;
    int32_t error = 0;
    Exchange3DLut({true, 1, kOpTableFromMatrix, enable == 0 ? 1u : 0u}, table, header, error);
    if (error != 0) {
        LogSetDeviceDataExError(error);
    }
    // Some displays accept the table and do not apply it: only the read-back tells.
    const cui::HResult read = Exchange3DLut({false, 0, kOpPlain, 0}, table, header, error);
    if (read != 0 || header.status != kStatusInEffect) {
        SetSaturation(static_cast<float>(fallbackSaturation));
    }
    return 1;
}

Bool CIntelGraphic::Reset3DLut() {
    if (m_bInitialized == 0) {
        InitLib();
    }
    if (m_pCUIExternal8 == nullptr) {
        return 0;
    }
    Packed3DLut table;
    for (std::size_t r = 0; r < kLutGridPoints; ++r) {
        for (std::size_t g = 0; g < kLutGridPoints; ++g) {
            for (std::size_t b = 0; b < kLutGridPoints; ++b) {
                table.words[LutIndex(r, g, b)] =
                    PackLutWord(0, {LutIdentityCode(r), LutIdentityCode(g), LutIdentityCode(b)});
            }
        }
    }
    cui::Lut3DHeader header;
    int32_t error = 0;
    Exchange3DLut({true, 1, kOpTable, 0}, table, header, error);
    Exchange3DLut({true, 0, kOpPlain, 0}, table, header, error);
    if (error != 0) {
        LogSetDeviceDataExError(error);
    }
    return 1;
}

} // namespace varnet
