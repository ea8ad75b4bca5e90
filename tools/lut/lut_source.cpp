#include "lut_source.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <vector>

namespace varnet::lut {

namespace OCIO = OCIO_NAMESPACE;

namespace {

constexpr std::size_t kMaxReasonLength = 240;
constexpr std::size_t kBinaryProbeBytes = 4096;

// OpenColorIO's reasons run over several lines and quote the offending line, bytes and all.
std::string OneLine(const std::string& text) {
    std::string line;
    bool blank = false;
    for (const char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if (u <= ' ' || u >= 0x7F) {
            blank = u <= ' ';
            if (!blank) {
                line += '?';
            }
            continue;
        }
        if (blank && !line.empty()) {
            line += ' ';
        }
        blank = false;
        line += c;
    }
    if (line.size() > kMaxReasonLength) {
        line.resize(kMaxReasonLength - 3);
        line += "...";
    }
    return line;
}

// When every reader refused the file, OpenColorIO lists each one's reason; the first is the
// reader for the file's own extension, and the one that says what is wrong.
std::string Reason(const std::string& message) {
    const std::string marker = "failed with: ";
    const std::size_t start = message.find(marker);
    if (start == std::string::npos) {
        return OneLine(message);
    }
    const std::size_t from = start + marker.size();
    const std::size_t next = message.find(" failed with: ", from);
    std::string first = message.substr(from, next == std::string::npos ? next : next - from);
    // A piece followed by another ends with the next reader's quoted name.
    if (next != std::string::npos && first.size() >= 2) {
        const std::size_t open = first.rfind('\'', first.size() - 2);
        first.resize(open == std::string::npos ? first.size() : open);
    }
    return OneLine(first);
}

// A text format never holds control bytes other than white space.
bool LooksBinary(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<char> bytes(kBinaryProbeBytes);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return std::any_of(bytes.begin(), bytes.end(), [](char c) {
        const auto u = static_cast<unsigned char>(c);
        return u < 0x20 && u != '\t' && u != '\n' && u != '\r' && u != '\f' && u != '\v';
    });
}

// x -> scale x + offset before the first table gives the domain [-offset / scale,
// (1 - offset) / scale]. Only diagonal matrices and ranges are followed; anything else ends the
// walk with the domain found so far.
struct Affine {
    std::array<double, 3> scale = {1.0, 1.0, 1.0};
    std::array<double, 3> offset = {0.0, 0.0, 0.0};
    void Then(int c, double s, double o) {
        scale[c] *= s;
        offset[c] = offset[c] * s + o;
    }
};

bool FollowPreStep(const OCIO::ConstTransformRcPtr& step, Affine& affine) {
    if (auto m = OCIO::DynamicPtrCast<const OCIO::MatrixTransform>(step)) {
        double matrix[16];
        double offset[4];
        m->getMatrix(matrix);
        m->getOffset(offset);
        for (int c = 0; c < 3; ++c) {
            affine.Then(c, matrix[c * 5], offset[c]);
        }
        return true;
    }
    if (auto r = OCIO::DynamicPtrCast<const OCIO::RangeTransform>(step)) {
        if (!r->hasMinInValue() || !r->hasMaxInValue() || !r->hasMinOutValue() ||
            !r->hasMaxOutValue() || r->getMaxInValue() == r->getMinInValue()) {
            return false;
        }
        const double s =
            (r->getMaxOutValue() - r->getMinOutValue()) / (r->getMaxInValue() - r->getMinInValue());
        for (int c = 0; c < 3; ++c) {
            affine.Then(c, s, r->getMinOutValue() - s * r->getMinInValue());
        }
        return true;
    }
    return false;
}

void Describe(const OCIO::ConstProcessorRcPtr& processor, LutSource& source) {
    const OCIO::GroupTransformRcPtr group = processor->createGroupTransform();
    Affine affine;
    bool beforeTable = true;
    for (int i = 0; i < group->getNumTransforms(); ++i) {
        const OCIO::ConstTransformRcPtr step = group->getTransform(i);
        std::string table;
        if (auto l3 = OCIO::DynamicPtrCast<const OCIO::Lut3DTransform>(step)) {
            table = "3D LUT of " + std::to_string(l3->getGridSize()) + " points per axis";
        } else if (auto l1 = OCIO::DynamicPtrCast<const OCIO::Lut1DTransform>(step)) {
            table = "1D LUT of " + std::to_string(l1->getLength()) + " entries";
        } else if (beforeTable && !FollowPreStep(step, affine)) {
            beforeTable = false;
        }
        if (!table.empty()) {
            source.description += (source.description.empty() ? "" : ", then ") + table;
            beforeTable = false;
        }
    }
    if (source.description.empty()) {
        source.description =
            "no table: " + std::to_string(group->getNumTransforms()) + " transform step(s) only";
    }
    for (int c = 0; c < 3; ++c) {
        if (affine.scale[c] != 0.0) {
            // + 0.0: an offset of 0 must not read back as a domain of -0.
            source.domainMin[c] = -affine.offset[c] / affine.scale[c] + 0.0;
            source.domainMax[c] = (1.0 - affine.offset[c]) / affine.scale[c];
        }
    }
}

} // namespace

void Apply(const LutSource& source, float* rgb, std::size_t count) {
    OCIO::PackedImageDesc image(rgb, static_cast<long>(count), 1, 3);
    source.processor->apply(image);
}

bool OpenLutSource(const std::string& path, LutSource& source, std::string& error) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        error = std::filesystem::exists(path, ec) ? "not a file" : "no such file";
        return false;
    }
    // The tool says what went wrong in one line of its own.
    OCIO::SetLoggingLevel(OCIO::LOGGING_LEVEL_NONE);
    // A file read earlier in this process would otherwise be served from the cache.
    OCIO::ClearAllCaches();
    try {
        const OCIO::ConstConfigRcPtr config = OCIO::Config::CreateRaw();
        const OCIO::FileTransformRcPtr file = OCIO::FileTransform::Create();
        file->setSrc(std::filesystem::absolute(path, ec).string().c_str());
        const OCIO::ConstProcessorRcPtr processor = config->getProcessor(file);
        LutSource opened;
        Describe(processor, opened);
        // Lossless: the table is sampled as the file gives it, with no approximations.
        opened.processor = processor->getOptimizedCPUProcessor(
            OCIO::BIT_DEPTH_F32, OCIO::BIT_DEPTH_F32, OCIO::OPTIMIZATION_LOSSLESS);
        source = std::move(opened);
        return true;
    } catch (const std::exception& e) {
        error = LooksBinary(path) ? "a binary file, not a LUT" : Reason(e.what());
        return false;
    }
}

} // namespace varnet::lut
