// The public Control Library API as far as Varnet uses it: result codes, handles, the records the
// library fills or reads (byte for byte, checked below) and the enumerations it sets; the 83
// entry points are declared in ctl_exports.h. Records the library only passes through stay
// incomplete.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" {

// ---- Results -----------------------------------------------------------------------------------

typedef uint32_t ctl_result_t;
enum : ctl_result_t {
    CTL_RESULT_SUCCESS = 0x00000000,
    CTL_RESULT_SUCCESS_STILL_OPEN_BY_ANOTHER_CALLER = 0x00000001,
    CTL_RESULT_ERROR_NOT_INITIALIZED = 0x40000001,
    CTL_RESULT_ERROR_UNSUPPORTED_VERSION = 0x40000009,
    CTL_RESULT_ERROR_UNSUPPORTED_FEATURE = 0x4000000a,
    CTL_RESULT_ERROR_INVALID_ARGUMENT = 0x4000000b,
    CTL_RESULT_ERROR_INVALID_API_HANDLE = 0x4000000c,
    CTL_RESULT_ERROR_INVALID_NULL_HANDLE = 0x4000000d,
    CTL_RESULT_ERROR_INVALID_NULL_POINTER = 0x4000000e,
    CTL_RESULT_ERROR_INVALID_SIZE = 0x4000000f,
    CTL_RESULT_ERROR_DATA_READ = 0x40000012,
    CTL_RESULT_ERROR_DATA_WRITE = 0x40000013,
    CTL_RESULT_ERROR_NOT_IMPLEMENTED = 0x40000015,
    CTL_RESULT_ERROR_INVALID_OPERATION_TYPE = 0x4000001a,
    CTL_RESULT_ERROR_LOAD = 0x40000026,
    CTL_RESULT_ERROR_UNKNOWN = 0x4000ffff,
};

// ---- Handles (opaque pointers) -----------------------------------------------------------------

typedef struct _ctl_api_handle_t* ctl_api_handle_t;
typedef struct _ctl_device_adapter_handle_t* ctl_device_adapter_handle_t;
typedef struct _ctl_temp_handle_t* ctl_temp_handle_t;
typedef struct _ctl_freq_handle_t* ctl_freq_handle_t;
typedef struct _ctl_pwr_handle_t* ctl_pwr_handle_t;
typedef struct _ctl_fan_handle_t* ctl_fan_handle_t;
typedef struct _ctl_mem_handle_t* ctl_mem_handle_t;
typedef struct _ctl_engine_handle_t* ctl_engine_handle_t;
typedef struct _ctl_display_output_handle_t* ctl_display_output_handle_t;

typedef uint32_t ctl_version_info_t;
typedef uint32_t ctl_init_flags_t;
#define CTL_MAKE_VERSION(major, minor) ((((uint32_t)(major)) << 16) | ((minor)&0x0000ffff))
#define CTL_MAJOR_VERSION(v) ((v) >> 16)

// ---- Enumerations (4 bytes each) ---------------------------------------------------------------

typedef uint32_t ctl_pixtx_config_query_type_t;
enum : uint32_t {
    CTL_PIXTX_CONFIG_QUERY_TYPE_CAPABILITY = 0,
    CTL_PIXTX_CONFIG_QUERY_TYPE_CURRENT = 1
};
typedef uint32_t ctl_pixtx_config_opertaion_type_t;
enum : uint32_t {
    CTL_PIXTX_CONFIG_OPERTAION_TYPE_RESTORE_DEFAULT = 1,
    CTL_PIXTX_CONFIG_OPERTAION_TYPE_SET_CUSTOM = 2
};
typedef uint32_t ctl_pixtx_block_type_t;
enum : uint32_t {
    CTL_PIXTX_BLOCK_TYPE_1D_LUT = 1,
    CTL_PIXTX_BLOCK_TYPE_3D_LUT = 2,
    CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX = 3,
    CTL_PIXTX_BLOCK_TYPE_3X3_MATRIX_AND_OFFSETS = 4
};
typedef uint32_t ctl_pixtx_pipe_set_config_flags_t;
enum : uint32_t { CTL_PIXTX_PIPE_SET_CONFIG_FLAG_PERSIST_ACROSS_POWER_EVENTS = 0x1 };
typedef uint32_t ctl_pixtx_lut_sampling_type_t;
enum : uint32_t {
    CTL_PIXTX_LUT_SAMPLING_TYPE_UNIFORM = 0,
    CTL_PIXTX_LUT_SAMPLING_TYPE_NONUNIFORM = 1
};
typedef uint32_t ctl_pixtx_gamma_encoding_type_t;
typedef uint32_t ctl_pixtx_color_space_t;
typedef uint32_t ctl_pixtx_color_model_t;
typedef uint32_t ctl_operation_type_t;
enum : uint32_t { CTL_OPERATION_TYPE_READ = 1, CTL_OPERATION_TYPE_WRITE = 2 };
typedef uint32_t ctl_power_optimization_flags_t;
enum : uint32_t {
    CTL_POWER_OPTIMIZATION_FLAG_FBC = 0x1,
    CTL_POWER_OPTIMIZATION_FLAG_PSR = 0x2,
    CTL_POWER_OPTIMIZATION_FLAG_DPST = 0x4,
    CTL_POWER_OPTIMIZATION_FLAG_LRR = 0x8,
    CTL_POWER_OPTIMIZATION_FLAG_LACE = 0x10
};
typedef uint32_t ctl_power_optimization_plan_t;
typedef uint32_t ctl_power_source_t;
typedef uint32_t ctl_power_optimization_dpst_flags_t;
typedef uint32_t ctl_power_optimization_lrr_flags_t;
typedef uint32_t ctl_video_processing_feature_t;
enum : uint32_t {
    CTL_VIDEO_PROCESSING_FEATURE_SHARPNESS = 2,
    CTL_VIDEO_PROCESSING_FEATURE_ADAPTIVE_CONTRAST_ENHANCEMENT = 3,
    CTL_VIDEO_PROCESSING_FEATURE_STANDARD_COLOR_CORRECTION = 5,
    CTL_VIDEO_PROCESSING_FEATURE_TOTAL_COLOR_CORRECTION = 6,
    CTL_VIDEO_PROCESSING_FEATURE_SKIN_TONE_ENHANCEMENT = 7
};
typedef uint32_t ctl_property_value_type_t;
enum : uint32_t { CTL_PROPERTY_VALUE_TYPE_UINT32 = 3, CTL_PROPERTY_VALUE_TYPE_CUSTOM = 5 };
typedef uint32_t ctl_get_operation_flags_t;
enum : uint32_t { CTL_GET_OPERATION_FLAG_CURRENT = 1 };
typedef uint32_t ctl_set_operation_t;
enum : uint32_t { CTL_SET_OPERATION_RESTORE_DEFAULT = 0, CTL_SET_OPERATION_CUSTOM = 1 };
typedef uint32_t ctl_lace_trigger_flags_t;
enum : uint32_t {
    CTL_LACE_TRIGGER_FLAG_AMBIENT_LIGHT = 1,
    CTL_LACE_TRIGGER_FLAG_FIXED_AGGRESSIVENESS = 2
};
typedef uint32_t ctl_aux_flags_t;
enum : uint32_t { CTL_AUX_FLAG_NATIVE_AUX = 1 };
typedef uint32_t ctl_sharpness_filter_type_flags_t;
typedef uint32_t ctl_display_output_types_t;
typedef uint32_t ctl_attached_display_mux_type_t;
typedef uint32_t ctl_output_bpc_flags_t;
typedef uint32_t ctl_protocol_converter_location_flags_t;
typedef uint32_t ctl_display_config_flags_t;
typedef uint32_t ctl_std_display_feature_flags_t;
typedef uint32_t ctl_intel_display_feature_flags_t;
typedef uint32_t ctl_signal_standard_type_t;
typedef uint32_t ctl_fan_speed_units_t;

#define CTL_AUX_MAX_DATA_SIZE 132

// ---- Records -----------------------------------------------------------------------------------

typedef struct _ctl_application_id_t {
    uint32_t Data1;
    uint16_t Data2;
    uint16_t Data3;
    uint8_t Data4[8];
} ctl_application_id_t;

typedef struct _ctl_init_args_t {
    uint32_t Size;
    uint8_t Version;
    ctl_version_info_t AppVersion;
    ctl_init_flags_t flags;
    ctl_version_info_t SupportedVersion;
    ctl_application_id_t ApplicationUID;
} ctl_init_args_t;

typedef struct _ctl_runtime_path_args_t {
    uint32_t Size;
    uint8_t Version;
    ctl_application_id_t UnlockID;
    wchar_t* pRuntimePath;
    uint16_t DeviceID;
    uint8_t RevID;
} ctl_runtime_path_args_t;

typedef struct _ctl_generic_void_datatype_t {
    void* pData;
    uint32_t size;
} ctl_generic_void_datatype_t;

typedef union _ctl_os_display_encoder_identifier_t {
    uint32_t WindowsDisplayEncoderID;
    ctl_generic_void_datatype_t DisplayEncoderID;
} ctl_os_display_encoder_identifier_t;

typedef struct _ctl_revision_datatype_t {
    uint8_t major_version;
    uint8_t minor_version;
    uint8_t revision_version;
} ctl_revision_datatype_t;

typedef struct _ctl_display_timing_t {
    uint32_t Size;
    uint8_t Version;
    uint64_t PixelClock;
    uint32_t HActive;
    uint32_t VActive;
    uint32_t HTotal;
    uint32_t VTotal;
    uint32_t HBlank;
    uint32_t VBlank;
    uint32_t HSync;
    uint32_t VSync;
    float RefreshRate;
    ctl_signal_standard_type_t SignalStandard;
    uint8_t VicId;
} ctl_display_timing_t;

typedef struct _ctl_display_properties_t {
    uint32_t Size;
    uint8_t Version;
    ctl_os_display_encoder_identifier_t Os_display_encoder_handle;
    ctl_display_output_types_t Type;
    ctl_attached_display_mux_type_t AttachedDisplayMuxType;
    ctl_display_output_types_t ProtocolConverterOutput;
    ctl_revision_datatype_t SupportedSpec;
    ctl_output_bpc_flags_t SupportedOutputBPCFlags;
    ctl_protocol_converter_location_flags_t ProtocolConverterType;
    ctl_display_config_flags_t DisplayConfigFlags;
    ctl_std_display_feature_flags_t FeatureEnabledFlags;
    ctl_std_display_feature_flags_t FeatureSupportedFlags;
    ctl_intel_display_feature_flags_t AdvancedFeatureEnabledFlags;
    ctl_intel_display_feature_flags_t AdvancedFeatureSupportedFlags;
    ctl_display_timing_t Display_Timing_Info;
    uint32_t ReservedFields[16];
} ctl_display_properties_t;

typedef struct _ctl_pixtx_color_primaries_t {
    uint32_t Size;
    uint8_t Version;
    double xR, yR, xG, yG, xB, yB, xW, yW;
} ctl_pixtx_color_primaries_t;

typedef struct _ctl_pixtx_pixel_format_t {
    uint32_t Size;
    uint8_t Version;
    uint32_t BitsPerColor;
    bool IsFloat;
    ctl_pixtx_gamma_encoding_type_t EncodingType;
    ctl_pixtx_color_space_t ColorSpace;
    ctl_pixtx_color_model_t ColorModel;
    ctl_pixtx_color_primaries_t ColorPrimaries;
    double MaxBrightness;
    double MinBrightness;
} ctl_pixtx_pixel_format_t;

typedef struct _ctl_pixtx_1dlut_config_t {
    uint32_t Size;
    uint8_t Version;
    ctl_pixtx_lut_sampling_type_t SamplingType;
    uint32_t NumSamplesPerChannel;
    uint32_t NumChannels;
    double* pSampleValues;
    double* pSamplePositions;
} ctl_pixtx_1dlut_config_t;

typedef struct _ctl_pixtx_3dlut_sample_t {
    double Red;
    double Green;
    double Blue;
} ctl_pixtx_3dlut_sample_t;

typedef struct _ctl_pixtx_3dlut_config_t {
    uint32_t Size;
    uint8_t Version;
    uint32_t NumSamplesPerChannel;
    ctl_pixtx_3dlut_sample_t* pSampleValues;
} ctl_pixtx_3dlut_config_t;

typedef struct _ctl_pixtx_matrix_config_t {
    uint32_t Size;
    uint8_t Version;
    double PreOffsets[3];
    double PostOffsets[3];
    double Matrix[3][3];
} ctl_pixtx_matrix_config_t;

typedef union _ctl_pixtx_config_t {
    ctl_pixtx_1dlut_config_t OneDLutConfig;
    ctl_pixtx_3dlut_config_t ThreeDLutConfig;
    ctl_pixtx_matrix_config_t MatrixConfig;
} ctl_pixtx_config_t;

typedef struct _ctl_pixtx_block_config_t {
    uint32_t Size;
    uint8_t Version;
    uint32_t BlockId;
    ctl_pixtx_block_type_t BlockType;
    ctl_pixtx_config_t Config;
} ctl_pixtx_block_config_t;

typedef struct _ctl_pixtx_pipe_get_config_t {
    uint32_t Size;
    uint8_t Version;
    ctl_pixtx_config_query_type_t QueryType;
    ctl_pixtx_pixel_format_t InputPixelFormat;
    ctl_pixtx_pixel_format_t OutputPixelFormat;
    uint32_t NumBlocks;
    ctl_pixtx_block_config_t* pBlockConfigs;
} ctl_pixtx_pipe_get_config_t;

typedef struct _ctl_pixtx_pipe_set_config_t {
    uint32_t Size;
    uint8_t Version;
    ctl_pixtx_config_opertaion_type_t OpertaionType;
    ctl_pixtx_pipe_set_config_flags_t Flags;
    uint32_t NumBlocks;
    ctl_pixtx_block_config_t* pBlockConfigs;
} ctl_pixtx_pipe_set_config_t;

typedef struct _ctl_panel_descriptor_access_args_t {
    uint32_t Size;
    uint8_t Version;
    ctl_operation_type_t OpType;
    uint32_t BlockNumber;
    uint32_t DescriptorDataSize;
    uint8_t* pDescriptorData;
} ctl_panel_descriptor_access_args_t;

typedef struct _ctl_lace_lux_aggr_map_entry_t {
    uint32_t Lux;
    uint8_t AggressivenessPercent;
} ctl_lace_lux_aggr_map_entry_t;

typedef struct _ctl_lace_lux_aggr_map_t {
    uint32_t MaxNumEntries;
    uint32_t NumEntries;
    ctl_lace_lux_aggr_map_entry_t* pLuxToAggrMappingTable;
} ctl_lace_lux_aggr_map_t;

typedef union _ctl_lace_aggr_config_t {
    uint8_t FixedAggressivenessLevelPercent;
    ctl_lace_lux_aggr_map_t AggrLevelMap;
} ctl_lace_aggr_config_t;

typedef struct _ctl_lace_config_t {
    uint32_t Size;
    uint8_t Version;
    bool Enabled;
    ctl_get_operation_flags_t OpTypeGet;
    ctl_set_operation_t OpTypeSet;
    ctl_lace_trigger_flags_t Trigger;
    ctl_lace_aggr_config_t LaceConfig;
} ctl_lace_config_t;

typedef struct _ctl_sharpness_settings_t {
    uint32_t Size;
    uint8_t Version;
    bool Enable;
    ctl_sharpness_filter_type_flags_t FilterType;
    float Intensity;
} ctl_sharpness_settings_t;

typedef struct _ctl_power_optimization_caps_t {
    uint32_t Size;
    uint8_t Version;
    ctl_power_optimization_flags_t SupportedFeatures;
} ctl_power_optimization_caps_t;

typedef struct _ctl_power_optimization_lrr_t {
    uint32_t Size;
    uint8_t Version;
    ctl_power_optimization_lrr_flags_t SupportedLRRTypes;
    ctl_power_optimization_lrr_flags_t CurrentLRRTypes;
    bool bRequirePSRDisable;
    uint16_t LowRR;
} ctl_power_optimization_lrr_t;

typedef struct _ctl_power_optimization_psr_t {
    uint32_t Size;
    uint8_t Version;
    uint8_t PSRVersion;
    bool FullFetchUpdate;
} ctl_power_optimization_psr_t;

typedef struct _ctl_power_optimization_dpst_t {
    uint32_t Size;
    uint8_t Version;
    uint8_t MinLevel;
    uint8_t MaxLevel;
    uint8_t Level;
    ctl_power_optimization_dpst_flags_t SupportedFeatures;
    ctl_power_optimization_dpst_flags_t EnabledFeatures;
} ctl_power_optimization_dpst_t;

typedef union _ctl_power_optimization_feature_specific_info_t {
    ctl_power_optimization_lrr_t LRRInfo;
    ctl_power_optimization_psr_t PSRInfo;
    ctl_power_optimization_dpst_t DPSTInfo;
} ctl_power_optimization_feature_specific_info_t;

typedef struct _ctl_power_optimization_settings_t {
    uint32_t Size;
    uint8_t Version;
    ctl_power_optimization_plan_t PowerOptimizationPlan;
    ctl_power_optimization_flags_t PowerOptimizationFeature;
    bool Enable;
    ctl_power_optimization_feature_specific_info_t FeatureSpecificData;
    ctl_power_source_t PowerSource;
} ctl_power_optimization_settings_t;

typedef struct _ctl_aux_access_args_t {
    uint32_t Size;
    uint8_t Version;
    ctl_operation_type_t OpType;
    ctl_aux_flags_t Flags;
    uint32_t Address;
    uint64_t RAD;
    uint32_t PortID;
    uint32_t DataSize;
    uint8_t Data[CTL_AUX_MAX_DATA_SIZE];
} ctl_aux_access_args_t;

typedef struct _ctl_property_boolean_t {
    bool Enable;
} ctl_property_boolean_t;
typedef struct _ctl_property_float_t {
    bool Enable;
    float Value;
} ctl_property_float_t;
typedef struct _ctl_property_int_t {
    bool Enable;
    int32_t Value;
} ctl_property_int_t;
typedef struct _ctl_property_enum_t {
    uint32_t EnableType;
} ctl_property_enum_t;
typedef struct _ctl_property_uint_t {
    bool Enable;
    uint32_t Value;
} ctl_property_uint_t;
typedef union _ctl_property_t {
    ctl_property_boolean_t BoolType;
    ctl_property_float_t FloatType;
    ctl_property_int_t IntType;
    ctl_property_enum_t EnumType;
    ctl_property_uint_t UIntType;
} ctl_property_t;

typedef struct _ctl_video_processing_feature_getset_t {
    uint32_t Size;
    uint8_t Version;
    ctl_video_processing_feature_t FeatureType;
    char* ApplicationName;
    int8_t ApplicationNameLength;
    bool bSet;
    ctl_property_value_type_t ValueType;
    ctl_property_t Value;
    int32_t CustomValueSize;
    void* pCustomValue;
    uint32_t ReservedFields[16];
} ctl_video_processing_feature_getset_t;

typedef struct _ctl_oc_vf_pair_t {
    uint32_t Size;
    uint8_t Version;
    double Voltage;
    double Frequency;
} ctl_oc_vf_pair_t;

// Records the library only hands through to the run time.
struct _ctl_wait_property_change_args_t;
struct _ctl_reserved_args_t;
struct _ctl_3d_feature_caps_t;
struct _ctl_3d_feature_getset_t;
struct _ctl_device_adapter_properties_t;
struct _ctl_adapter_display_encoder_properties_t;
struct _ctl_sharpness_caps_t;
struct _ctl_i2c_access_args_t;
struct _ctl_retro_scaling_caps_t;
struct _ctl_retro_scaling_settings_t;
struct _ctl_scaling_caps_t;
struct _ctl_scaling_settings_t;
struct _ctl_sw_psr_settings_t;
struct _ctl_engine_properties_t;
struct _ctl_engine_stats_t;
struct _ctl_fan_properties_t;
struct _ctl_fan_config_t;
struct _ctl_fan_speed_t;
struct _ctl_fan_speed_table_t;
struct _ctl_freq_properties_t;
struct _ctl_freq_range_t;
struct _ctl_freq_state_t;
struct _ctl_freq_throttle_time_t;
struct _ctl_video_processing_feature_caps_t;
struct _ctl_mem_properties_t;
struct _ctl_mem_state_t;
struct _ctl_mem_bandwidth_t;
struct _ctl_oc_properties_t;
struct _ctl_power_telemetry_t;
struct _ctl_pci_properties_t;
struct _ctl_pci_state_t;
struct _ctl_power_properties_t;
struct _ctl_power_energy_counter_t;
struct _ctl_power_limits_t;
struct _ctl_temp_properties_t;
typedef struct _ctl_wait_property_change_args_t ctl_wait_property_change_args_t;
typedef struct _ctl_reserved_args_t ctl_reserved_args_t;
typedef struct _ctl_3d_feature_caps_t ctl_3d_feature_caps_t;
typedef struct _ctl_3d_feature_getset_t ctl_3d_feature_getset_t;
typedef struct _ctl_device_adapter_properties_t ctl_device_adapter_properties_t;
typedef struct _ctl_adapter_display_encoder_properties_t ctl_adapter_display_encoder_properties_t;
typedef struct _ctl_sharpness_caps_t ctl_sharpness_caps_t;
typedef struct _ctl_i2c_access_args_t ctl_i2c_access_args_t;
typedef struct _ctl_retro_scaling_caps_t ctl_retro_scaling_caps_t;
typedef struct _ctl_retro_scaling_settings_t ctl_retro_scaling_settings_t;
typedef struct _ctl_scaling_caps_t ctl_scaling_caps_t;
typedef struct _ctl_scaling_settings_t ctl_scaling_settings_t;
typedef struct _ctl_sw_psr_settings_t ctl_sw_psr_settings_t;
typedef struct _ctl_engine_properties_t ctl_engine_properties_t;
typedef struct _ctl_engine_stats_t ctl_engine_stats_t;
typedef struct _ctl_fan_properties_t ctl_fan_properties_t;
typedef struct _ctl_fan_config_t ctl_fan_config_t;
typedef struct _ctl_fan_speed_t ctl_fan_speed_t;
typedef struct _ctl_fan_speed_table_t ctl_fan_speed_table_t;
typedef struct _ctl_freq_properties_t ctl_freq_properties_t;
typedef struct _ctl_freq_range_t ctl_freq_range_t;
typedef struct _ctl_freq_state_t ctl_freq_state_t;
typedef struct _ctl_freq_throttle_time_t ctl_freq_throttle_time_t;
typedef struct _ctl_video_processing_feature_caps_t ctl_video_processing_feature_caps_t;
typedef struct _ctl_mem_properties_t ctl_mem_properties_t;
typedef struct _ctl_mem_state_t ctl_mem_state_t;
typedef struct _ctl_mem_bandwidth_t ctl_mem_bandwidth_t;
typedef struct _ctl_oc_properties_t ctl_oc_properties_t;
typedef struct _ctl_power_telemetry_t ctl_power_telemetry_t;
typedef struct _ctl_pci_properties_t ctl_pci_properties_t;
typedef struct _ctl_pci_state_t ctl_pci_state_t;
typedef struct _ctl_power_properties_t ctl_power_properties_t;
typedef struct _ctl_power_energy_counter_t ctl_power_energy_counter_t;
typedef struct _ctl_power_limits_t ctl_power_limits_t;
typedef struct _ctl_temp_properties_t ctl_temp_properties_t;

} // extern "C"

// ---- Layout checks (Windows x64 and Linux x86_64 agree) ----------------------------------------

#define VARNET_CHECK_FIELD(record, field, offset)                                                  \
    static_assert(offsetof(record, field) == (offset), #record "." #field)

static_assert(sizeof(ctl_application_id_t) == 16);
static_assert(sizeof(ctl_init_args_t) == 36);
VARNET_CHECK_FIELD(ctl_init_args_t, AppVersion, 8);
VARNET_CHECK_FIELD(ctl_init_args_t, flags, 12);
VARNET_CHECK_FIELD(ctl_init_args_t, SupportedVersion, 16);
VARNET_CHECK_FIELD(ctl_init_args_t, ApplicationUID, 20);
static_assert(sizeof(ctl_runtime_path_args_t) == 40);
VARNET_CHECK_FIELD(ctl_runtime_path_args_t, UnlockID, 8);
VARNET_CHECK_FIELD(ctl_runtime_path_args_t, pRuntimePath, 24);
VARNET_CHECK_FIELD(ctl_runtime_path_args_t, DeviceID, 32);
VARNET_CHECK_FIELD(ctl_runtime_path_args_t, RevID, 34);
static_assert(sizeof(ctl_display_timing_t) == 64);
static_assert(sizeof(ctl_display_properties_t) == 200);
VARNET_CHECK_FIELD(ctl_display_properties_t, Os_display_encoder_handle.WindowsDisplayEncoderID, 8);
VARNET_CHECK_FIELD(ctl_display_properties_t, Type, 24);
VARNET_CHECK_FIELD(ctl_display_properties_t, SupportedSpec, 36);
VARNET_CHECK_FIELD(ctl_display_properties_t, SupportedOutputBPCFlags, 40);
VARNET_CHECK_FIELD(ctl_display_properties_t, AdvancedFeatureSupportedFlags, 64);
VARNET_CHECK_FIELD(ctl_display_properties_t, Display_Timing_Info, 72);
VARNET_CHECK_FIELD(ctl_display_properties_t, Display_Timing_Info.HActive, 88);
VARNET_CHECK_FIELD(ctl_display_properties_t, Display_Timing_Info.VicId, 128);
VARNET_CHECK_FIELD(ctl_display_properties_t, ReservedFields, 136);
static_assert(sizeof(ctl_pixtx_pixel_format_t) == 120);
static_assert(sizeof(ctl_pixtx_color_primaries_t) == 72);
static_assert(sizeof(ctl_pixtx_pipe_get_config_t) == 272);
VARNET_CHECK_FIELD(ctl_pixtx_pipe_get_config_t, QueryType, 8);
VARNET_CHECK_FIELD(ctl_pixtx_pipe_get_config_t, InputPixelFormat, 16);
VARNET_CHECK_FIELD(ctl_pixtx_pipe_get_config_t, OutputPixelFormat, 136);
VARNET_CHECK_FIELD(ctl_pixtx_pipe_get_config_t, NumBlocks, 256);
VARNET_CHECK_FIELD(ctl_pixtx_pipe_get_config_t, pBlockConfigs, 264);
static_assert(sizeof(ctl_pixtx_pipe_set_config_t) == 32);
VARNET_CHECK_FIELD(ctl_pixtx_pipe_set_config_t, OpertaionType, 8);
VARNET_CHECK_FIELD(ctl_pixtx_pipe_set_config_t, Flags, 12);
VARNET_CHECK_FIELD(ctl_pixtx_pipe_set_config_t, NumBlocks, 16);
VARNET_CHECK_FIELD(ctl_pixtx_pipe_set_config_t, pBlockConfigs, 24);
static_assert(sizeof(ctl_pixtx_block_config_t) == 144);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, BlockId, 8);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, BlockType, 12);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config, 16);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config.OneDLutConfig.SamplingType, 24);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config.OneDLutConfig.NumSamplesPerChannel, 28);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config.OneDLutConfig.NumChannels, 32);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config.OneDLutConfig.pSampleValues, 40);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config.OneDLutConfig.pSamplePositions, 48);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config.ThreeDLutConfig.NumSamplesPerChannel, 24);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config.ThreeDLutConfig.pSampleValues, 32);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config.MatrixConfig.PreOffsets, 24);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config.MatrixConfig.PostOffsets, 48);
VARNET_CHECK_FIELD(ctl_pixtx_block_config_t, Config.MatrixConfig.Matrix, 72);
static_assert(sizeof(ctl_pixtx_config_t) == 128);
static_assert(sizeof(ctl_pixtx_1dlut_config_t) == 40);
static_assert(sizeof(ctl_pixtx_3dlut_config_t) == 24);
static_assert(sizeof(ctl_pixtx_3dlut_sample_t) == 24);
static_assert(sizeof(ctl_pixtx_matrix_config_t) == 128);
static_assert(sizeof(ctl_panel_descriptor_access_args_t) == 32);
VARNET_CHECK_FIELD(ctl_panel_descriptor_access_args_t, OpType, 8);
VARNET_CHECK_FIELD(ctl_panel_descriptor_access_args_t, BlockNumber, 12);
VARNET_CHECK_FIELD(ctl_panel_descriptor_access_args_t, DescriptorDataSize, 16);
VARNET_CHECK_FIELD(ctl_panel_descriptor_access_args_t, pDescriptorData, 24);
static_assert(sizeof(ctl_lace_config_t) == 40);
VARNET_CHECK_FIELD(ctl_lace_config_t, Enabled, 5);
VARNET_CHECK_FIELD(ctl_lace_config_t, OpTypeGet, 8);
VARNET_CHECK_FIELD(ctl_lace_config_t, OpTypeSet, 12);
VARNET_CHECK_FIELD(ctl_lace_config_t, Trigger, 16);
VARNET_CHECK_FIELD(ctl_lace_config_t, LaceConfig, 24);
VARNET_CHECK_FIELD(ctl_lace_config_t, LaceConfig.AggrLevelMap.pLuxToAggrMappingTable, 32);
static_assert(sizeof(ctl_lace_lux_aggr_map_entry_t) == 8);
static_assert(sizeof(ctl_sharpness_settings_t) == 16);
VARNET_CHECK_FIELD(ctl_sharpness_settings_t, Enable, 5);
VARNET_CHECK_FIELD(ctl_sharpness_settings_t, FilterType, 8);
VARNET_CHECK_FIELD(ctl_sharpness_settings_t, Intensity, 12);
static_assert(sizeof(ctl_power_optimization_caps_t) == 12);
VARNET_CHECK_FIELD(ctl_power_optimization_caps_t, SupportedFeatures, 8);
static_assert(sizeof(ctl_power_optimization_settings_t) == 44);
VARNET_CHECK_FIELD(ctl_power_optimization_settings_t, PowerOptimizationPlan, 8);
VARNET_CHECK_FIELD(ctl_power_optimization_settings_t, PowerOptimizationFeature, 12);
VARNET_CHECK_FIELD(ctl_power_optimization_settings_t, Enable, 16);
VARNET_CHECK_FIELD(ctl_power_optimization_settings_t, FeatureSpecificData, 20);
VARNET_CHECK_FIELD(ctl_power_optimization_settings_t, FeatureSpecificData.DPSTInfo.Level, 27);
VARNET_CHECK_FIELD(ctl_power_optimization_settings_t, FeatureSpecificData.DPSTInfo.EnabledFeatures,
                   32);
VARNET_CHECK_FIELD(ctl_power_optimization_settings_t, PowerSource, 40);
static_assert(sizeof(ctl_aux_access_args_t) == 176);
VARNET_CHECK_FIELD(ctl_aux_access_args_t, OpType, 8);
VARNET_CHECK_FIELD(ctl_aux_access_args_t, Flags, 12);
VARNET_CHECK_FIELD(ctl_aux_access_args_t, Address, 16);
VARNET_CHECK_FIELD(ctl_aux_access_args_t, RAD, 24);
VARNET_CHECK_FIELD(ctl_aux_access_args_t, PortID, 32);
VARNET_CHECK_FIELD(ctl_aux_access_args_t, DataSize, 36);
VARNET_CHECK_FIELD(ctl_aux_access_args_t, Data, 40);
static_assert(sizeof(ctl_property_t) == 8);
static_assert(sizeof(ctl_video_processing_feature_getset_t) == 120);
VARNET_CHECK_FIELD(ctl_video_processing_feature_getset_t, FeatureType, 8);
VARNET_CHECK_FIELD(ctl_video_processing_feature_getset_t, ApplicationName, 16);
VARNET_CHECK_FIELD(ctl_video_processing_feature_getset_t, ApplicationNameLength, 24);
VARNET_CHECK_FIELD(ctl_video_processing_feature_getset_t, bSet, 25);
VARNET_CHECK_FIELD(ctl_video_processing_feature_getset_t, ValueType, 28);
VARNET_CHECK_FIELD(ctl_video_processing_feature_getset_t, Value, 32);
VARNET_CHECK_FIELD(ctl_video_processing_feature_getset_t, Value.UIntType.Value, 36);
VARNET_CHECK_FIELD(ctl_video_processing_feature_getset_t, CustomValueSize, 40);
VARNET_CHECK_FIELD(ctl_video_processing_feature_getset_t, pCustomValue, 48);
VARNET_CHECK_FIELD(ctl_video_processing_feature_getset_t, ReservedFields, 56);
static_assert(sizeof(ctl_oc_vf_pair_t) == 24);
VARNET_CHECK_FIELD(ctl_oc_vf_pair_t, Voltage, 8);
VARNET_CHECK_FIELD(ctl_oc_vf_pair_t, Frequency, 16);

#undef VARNET_CHECK_FIELD
