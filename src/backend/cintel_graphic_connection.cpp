// Connecting the CUI back-end: the SDK object, the monitor UIDs, the driver version and with it
// the gamma range, the panel ID, and the fixed answers of the operations this driver lacks.
#include <cstdio>
#include <new>
#include <string>

#include "backend/cintel_graphic.h"
#include "backend/cui_guarded_calls.h"
#include "backend/driver_version.h"
#include "backend/edid_rules.h"
#include "config/diagnostic_log.h"
#include "platform/platform.h"

namespace varnet {

namespace {

constexpr std::size_t kTextSize = 260;

constexpr const char16_t* kDisplayNames[] = {u"\\\\.\\DISPLAY1", u"\\\\.\\DISPLAY2",
                                             u"\\\\.\\DISPLAY3"};
constexpr int32_t kEnumIndexCount = 4;
// Devices the SDK reports in this state are passed over.
constexpr int32_t kSkippedDeviceState = 1;

const char* ClsidFailureText(long result) {
    switch (result) {
    case platform::kCoEClassString:
        return "CLSIDFromProgID Fail : CO_E_CLASSSTRING\r\n";
    case platform::kRegDbEWriteRegDb:
        return "CLSIDFromProgID Fail : REGDB_E_WRITEREGDB\r\n";
    default:
        return "CLSIDFromProgID Fail : UNKNOWN\r\n";
    }
}

int32_t DeviceTypeCode(MonitorType type) {
    switch (type) {
    case 0:
        return 2;
    case 1:
        return 1;
    case 2:
        return 4;
    case 3:
        return 3;
    case 4:
        return 5;
    case 6:
        return 7;
    default:
        return 0;
    }
}

bool ValidMonitorType(MonitorType type) {
    return type >= 0 && type < kMonitorTypeCount;
}

// Frees the display name however the enumeration loop is left.
class ScopedComString {
public:
    explicit ScopedComString(const char16_t* text) : text_(platform::AllocComString(text)) {
        if (text_ == nullptr) {
            throw std::bad_alloc();
        }
    }
    ScopedComString(const ScopedComString&) = delete;
    ScopedComString& operator=(const ScopedComString&) = delete;
    ~ScopedComString() { platform::FreeComString(text_); }
    platform::ComString get() const { return text_; }

private:
    platform::ComString text_;
};

// The "DriverVersion" text of the first display adapter, or "" when any step fails.
void ReadDriverVersionText(char (&text)[kTextSize]) {
    text[0] = '\0';
    std::string adapterKey;
    if (!platform::FirstDisplayAdapterKey(adapterKey)) {
        return;
    }
    // The adapter key is a kernel path ("\Registry\Machine\System\..."); from "System" on it is
    // a path below HKEY_LOCAL_MACHINE.
    const std::size_t at = adapterKey.find("System");
    if (at == std::string::npos) {
        return;
    }
    platform::RegKey key = nullptr;
    if (platform::RegOpenKey(platform::RegRoot::LocalMachine, adapterKey.c_str() + at, &key) !=
        platform::kErrorSuccess) {
        return;
    }
    uint8_t data[kTextSize] = {};
    uint32_t type = platform::kRegNone;
    uint32_t size = sizeof data;
    if (platform::RegQueryValueEx(key, "DriverVersion", &type, data, &size) ==
            platform::kErrorSuccess &&
        (type == platform::kRegSz || type == platform::kRegExpandSz ||
         type == platform::kRegMultiSz)) {
        // The stored text need not be terminated: never read past what the query returned.
        const int length = static_cast<int>(size < sizeof data ? size : sizeof data);
        std::snprintf(text, sizeof text, "%.*s", length, reinterpret_cast<const char*>(data));
    }
    platform::RegCloseKey(key);
}

} // namespace

CIntelGraphic::~CIntelGraphic() {
    if (m_pCUIExternal8 != nullptr) {
        m_pCUIExternal8->Release();
        m_pCUIExternal8 = nullptr;
    }
}

uint32_t CIntelGraphic::MonitorUid(MonitorType type) const {
    return ValidMonitorType(type) ? m_adwMonUID[type] : 0;
}

uint32_t CIntelGraphic::CurrentUid() const {
    return MonitorUid(m_ReqMonType);
}

Bool CIntelGraphic::InitLib() {
    // Operations called from inside InitLib call InitLib again; this keeps that cheap.
    if (m_pCUIExternal8 != nullptr) {
        return 1;
    }

    platform::Guid clsid;
    const long found = platform::ClsidFromProgId(cui::kProgId, &clsid);
    if (found != platform::kSOk) {
        platform::OutputDebugString(ClsidFailureText(found));
        return 0;
    }
    void* object = nullptr;
    if (platform::CreateComInstance(clsid, platform::kClsCtxServer, cui::kIidCuiExternal8,
                                    &object) != platform::kSOk) {
        platform::OutputDebugString("CoCreateInstance Fail");
        return 0;
    }
    m_pCUIExternal8 = static_cast<cui::ICUIExternal8*>(object);

    try {
        GetMonitorUid(0);
        GetMonitorUid(3);
        GetMonitorUid(4);
        m_ReqMonType = m_adwMonUID[0] != 0 ? 0 : 3;

        char versionText[kTextSize] = {};
        ReadDriverVersionText(versionText);
        m_dwDriverVersion = ParseDriverVersion(versionText);

        // Older drivers, and panels without LACE, take 256 steps of 256 instead of 257.
        const bool fullRange = IsLACESupport() != 0 && m_dwDriverVersion >= kFullGammaDriverVersion;
        GammaScale = fullRange ? kGammaScaleDefault : kGammaScaleReduced;
        GammaMax = fullRange ? kGammaMaxDefault : kGammaMaxReduced;

        m_bInitialized = 1;
        return 1;
    } catch (...) {
        // The object stays connected, so the next InitLib returns 1 without starting over.
        m_bInitialized = 0;
        WriteLog("exception: InitLib()");
        return 0;
    }
}

Bool CIntelGraphic::GetMonitorUid(MonitorType type) {
    if (m_bInitialized == 0 && InitLib() == 0) {
        return 0;
    }
    if (m_pCUIExternal8 == nullptr) {
        platform::OutputDebugString("GetMonitorUid : NULL == m_pCUIExternal8\r\n");
        return 0;
    }
    const int32_t wanted = DeviceTypeCode(type);
    const auto store = [&](uint32_t uid) {
        if (ValidMonitorType(type)) {
            m_adwMonUID[type] = uid;
        }
    };

    uint32_t uid = 0;
    int32_t deviceType = 0;
    int32_t state = 0;
    uint32_t foundUid = 0;
    bool found = false;
    try {
        for (const char16_t* displayName : kDisplayNames) {
            const ScopedComString name(displayName);
            for (int32_t index = 0; index < kEnumIndexCount; ++index) {
                // The method's result says nothing reliable; the outputs do.
                m_pCUIExternal8->EnumAttachableDevices(name.get(), index, &uid, &deviceType,
                                                       &state);
                if (deviceType == wanted && state != kSkippedDeviceState) {
                    foundUid = uid;
                    found = true;
                    break;
                }
            }
            // A match with UID 0 is no answer: the next display name is tried.
            if (foundUid != 0) {
                store(foundUid);
                return 1;
            }
        }
    } catch (...) {
        WriteLog("GetDeviceTypeFormMonType");
        return found ? 1 : 0;
    }
    platform::OutputDebugString("Requested Device Not Attached\r\n");
    return 0;
}

const char* CIntelGraphic::GetPannelModelName() {
    if (m_pCUIExternal8 == nullptr && InitLib() == 0) {
        platform::OutputDebugString("GetPannelModelName : NULL == m_pCUIExternal8\r\n");
        return "";
    }
    const uint32_t uid = CurrentUid();
    if (uid == 0) {
        platform::OutputDebugString("GetPannelModelName : 0 == m_adwMonUID[m_ReqMonType]\r\n");
        return "";
    }
    cui::EdidBlock block;
    block.uid = uid;
    int32_t error = 0;
    if (CuiGetDeviceData(m_pCUIExternal8, cui::kEdidGuid, sizeof block, &block, &error) != 0) {
        platform::OutputDebugString("GetDeviceData (IGFX_EDID_GUID_1_0) Error ");
        return "";
    }
    BuildPanelId(std::span(block.edid).first<kEdidBaseBlockSize>(), m_szPanelId);
    return m_szPanelId;
}

Bool CIntelGraphic::ReservedQuery1() {
    return 1;
}

Bool CIntelGraphic::ReservedQuery2() {
    return 1;
}

// The SDK offers no display sharpness or colour-space conversion: these answer "not done".
Bool CIntelGraphic::GetSharpness(uint32_t* /*enable*/, uint32_t* /*intensity*/) {
    return 0;
}

Bool CIntelGraphic::SetSharpness(uint32_t /*enable*/, uint32_t /*intensity*/) {
    return 0;
}

Bool CIntelGraphic::SetCscMatrix(uint32_t /*flag*/, const double* /*matrix*/) {
    return 0;
}

Bool CIntelGraphic::GetCscMatrix(uint32_t* /*onOff*/, double* /*matrix*/) {
    return 0;
}

} // namespace varnet
