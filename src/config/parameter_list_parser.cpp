#include "config/parameter_list_parser.h"

#include <algorithm>
#include <charconv>
#include <limits>

namespace varnet {

namespace {

bool IsSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

std::size_t SkipDigits(std::string_view text, std::size_t at) {
    while (at < text.size() && IsDigit(text[at])) {
        ++at;
    }
    return at;
}

// Past leading white space and one sign; sets negative.
std::size_t SkipSpaceAndSign(std::string_view text, bool& negative) {
    std::size_t at = 0;
    while (at < text.size() && IsSpace(text[at])) {
        ++at;
    }
    negative = false;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        negative = text[at] == '-';
        ++at;
    }
    return at;
}

// The end of atof's number from begin (past any sign): digits, a point, digits, an exponent.
// Counts the mantissa's digits; without any, the number stops at begin.
std::size_t RealEnd(std::string_view text, std::size_t begin, std::size_t& digits) {
    const std::size_t integerEnd = SkipDigits(text, begin);
    std::size_t end = integerEnd;
    digits = integerEnd - begin;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        digits += fractionEnd - (end + 1);
        end = fractionEnd;
    }
    if (digits == 0) {
        return begin;
    }
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-')) {
            ++exponent;
        }
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent) {
            end = exponentEnd; // "1e" and "1e+" stop before the e, as atof does
        }
    }
    return end;
}

void SetInt(int32_t& target, std::string_view field) {
    target = ParseLeadingInt(field);
}

// "N", "A" or "U", or a number: fields 12 and 13.
void ApplyVideoItem(std::string_view field, int32_t& valid, int32_t& automatic, int32_t& reset,
                    float& value) {
    if (field == "N") {
        valid = 0;
    } else if (field == "A") {
        automatic = 1;
    } else if (field == "U") {
        reset = 1;
    } else {
        value = ParseLeadingReal(field);
    }
}

// "N" clears the triple's flag; a number fills its element. The other elements stay.
void ApplyDesktopGamma(std::string_view field, int32_t& valid, int32_t& element) {
    if (field == "N") {
        valid = 0;
    } else {
        SetInt(element, field);
    }
}

// "N" clears valid; a number sets valid and the value: fields 18, 25 and 27.
void ApplyOptionalInt(std::string_view field, int32_t& valid, int32_t& value) {
    if (field == "N") {
        valid = 0;
    } else {
        valid = 1;
        SetInt(value, field);
    }
}

void ApplyField(std::size_t number, std::string_view field, ColorModeSetting& s) {
    switch (number) {
    case 1:
    case 2:
    case 3:
        ApplyDesktopGamma(field, s.desktopGamma1Valid, s.desktopGamma1[number - 1]);
        break;
    case 4:
    case 5:
    case 6:
        ApplyDesktopGamma(field, s.desktopGamma2Valid, s.desktopGamma2[number - 4]);
        break;
    case 7:
    case 8:
    case 9:
        ApplyDesktopGamma(field, s.desktopGamma3Valid, s.desktopGamma3[number - 7]);
        break;
    case 10:
        if (field == "N") {
            s.hueValid = 0;
        } else {
            s.hue = ParseLeadingReal(field);
        }
        break;
    case 11:
        if (field == "N") {
            s.saturationValid = 0;
        } else {
            s.saturation = ParseLeadingReal(field);
        }
        break;
    case 12:
        ApplyVideoItem(field, s.videoItem1Valid, s.videoItem1Auto, s.videoItem1Reset,
                       s.videoItem1Value);
        break;
    case 13:
        ApplyVideoItem(field, s.sharpnessValid, s.sharpnessAuto, s.sharpnessReset,
                       s.sharpnessValue);
        break;
    case 14:
        if (field == "N") {
            s.videoItem3Valid = 0;
        } else if (field == "D") {
            s.videoItem3Enable = 0;
        } else {
            s.videoItem3Enable = 1;
            s.videoItem3Value = ParseLeadingReal(field);
        }
        break;
    case 15:
        s.item15Auto = field == "A" ? 1 : 0;
        break;
    case 16:
        s.videoSwitch = field == "U"   ? kVideoSwitchU
                        : field == "C" ? kVideoSwitchC
                                       : kVideoSwitchOther;
        break;
    case 17:
        s.lutName.assign(field);
        if (field == "NOLUT") {
            s.noLut = 1;
        }
        break;
    case 18:
        ApplyOptionalInt(field, s.displayTccValid, s.displayTccEnable);
        if (field != "N") {
            s.displayTccPresent = 1;
        }
        break;
    case 19:
    case 20:
    case 21:
    case 22:
    case 23:
    case 24:
        SetInt(s.displayTcc[number - 19], field);
        break;
    case 25:
        ApplyOptionalInt(field, s.item25Valid, s.item25Value);
        break;
    case 26:
        SetInt(s.item26Value, field);
        break;
    case 27:
        ApplyOptionalInt(field, s.lut3dValid, s.lut3dMode);
        break;
    case 28:
    case 29:
    case 30:
    case 31:
    case 32:
    case 33:
    case 34:
    case 35:
    case 36:
        SetInt(s.lut3dParams[number - 28], field);
        if (number == 36) {
            s.lut3dParamsRead = 1;
        }
        break;
    case 37:
        s.iccProfile = field == "Y" ? 1 : 0;
        break;
    case 38:
        s.cubeName.assign(field);
        s.cubeNameValid = 1;
        break;
    default:
        break;
    }
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
        if (lower(a[i]) != lower(b[i])) {
            return false;
        }
    }
    return true;
}

// The words a field takes as themselves, and whether anything else is read as a number.
struct FieldForms {
    std::string_view words[3];
    enum { kInteger, kReal, kText } number;
};

FieldForms FormsOf(std::size_t field) {
    if (field <= 9 || field == 18 || field == 25 || field == 27) {
        return {{"N"}, FieldForms::kInteger};
    }
    switch (field) {
    case 10:
    case 11:
        return {{"N"}, FieldForms::kReal};
    case 12:
    case 13:
        return {{"N", "A", "U"}, FieldForms::kReal};
    case 14:
        return {{"N", "D"}, FieldForms::kReal};
    case 15:
        return {{"A"}, FieldForms::kText};
    case 16:
        return {{"U", "C"}, FieldForms::kText};
    case 17:
        return {{"NOLUT"}, FieldForms::kText};
    case 37:
        return {{"Y"}, FieldForms::kText};
    case 38:
        return {{}, FieldForms::kText};
    default:
        return {{}, FieldForms::kInteger};
    }
}

void InspectField(std::size_t number, std::string_view field, ValueObserver& observer) {
    ValueNote note;
    note.item = number;
    note.text = field;
    if (number > kParameterFieldCount) {
        note.issue = ValueIssue::kIgnored;
        observer.Note(note);
        return;
    }
    if (field.empty()) {
        note.issue = ValueIssue::kBlank;
        observer.Note(note);
        return;
    }
    const FieldForms forms = FormsOf(number);
    for (const std::string_view word : forms.words) {
        if (field == word) {
            return;
        }
        if (!word.empty() && EqualsIgnoringCase(field, word)) {
            note.issue = ValueIssue::kCaseMismatch;
            observer.Note(note);
            return;
        }
    }
    if (forms.number == FieldForms::kText) {
        return;
    }
    const bool integer = forms.number == FieldForms::kInteger;
    const NumberSpan span = integer ? LeadingIntSpan(field) : LeadingRealSpan(field);
    note.read = integer ? ParseLeadingInt(field) : ParseLeadingReal(field);
    if (span.digits == 0) {
        note.issue = ValueIssue::kNotANumber;
    } else if (span.end < field.size()) {
        note.issue = ValueIssue::kTrailingText;
    } else if (span.saturated) {
        note.issue = ValueIssue::kSaturated;
    } else {
        return;
    }
    observer.Note(note);
}

} // namespace

NumberSpan LeadingIntSpan(std::string_view text) {
    bool negative = false;
    const std::size_t begin = SkipSpaceAndSign(text, negative);
    NumberSpan span;
    span.end = SkipDigits(text, begin);
    span.digits = span.end - begin;
    if (span.digits == 0) {
        span.end = 0;
        return span;
    }
    const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    int64_t magnitude = 0;
    for (std::size_t at = begin; at < span.end && !span.saturated; ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        span.saturated = magnitude > limit;
    }
    return span;
}

NumberSpan LeadingRealSpan(std::string_view text) {
    bool negative = false;
    const std::size_t begin = SkipSpaceAndSign(text, negative);
    NumberSpan span;
    span.end = RealEnd(text, begin, span.digits);
    if (span.digits == 0) {
        span.end = 0;
        return span;
    }
    // Only a number beyond the float range reads as the largest float.
    const float value = ParseLeadingReal(text);
    span.saturated =
        value == std::numeric_limits<float>::max() || value == -std::numeric_limits<float>::max();
    return span;
}

std::string_view TrimSpace(std::string_view text) {
    while (!text.empty() && IsSpace(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsSpace(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

std::string_view CutComment(std::string_view text) {
    return text.substr(0, text.find(';'));
}

int32_t ParseLeadingInt(std::string_view text) {
    bool negative = false;
    std::size_t at = SkipSpaceAndSign(text, negative);
    // Accumulate towards the sign's own limit so that INT32_MIN itself is exact.
    const int64_t limit = negative ? -int64_t{std::numeric_limits<int32_t>::min()}
                                   : int64_t{std::numeric_limits<int32_t>::max()};
    int64_t magnitude = 0;
    for (; at < text.size() && IsDigit(text[at]); ++at) {
        magnitude = magnitude * 10 + (text[at] - '0');
        if (magnitude > limit) {
            magnitude = limit;
        }
    }
    return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

float ParseLeadingReal(std::string_view text) {
    bool negative = false;
    const std::size_t begin = SkipSpaceAndSign(text, negative);
    std::size_t digits = 0;
    const std::size_t end = RealEnd(text, begin, digits);
    if (digits == 0) {
        return 0.0f;
    }

    double magnitude = 0.0;
    const char* first = text.data() + begin;
    const char* last = text.data() + end;
    const auto [stop, error] = std::from_chars(first, last, magnitude, std::chars_format::general);
    if (error == std::errc::result_out_of_range) {
        // Beyond a double either way: the place of the first non-zero digit tells which way.
        const std::string_view number(first, static_cast<std::size_t>(last - first));
        const std::size_t mantissaEnd = std::min(number.find_first_of("eE"), number.size());
        const std::size_t point = std::min(number.find('.'), mantissaEnd);
        const std::size_t leading = number.find_first_of("123456789");
        const int64_t exponent =
            mantissaEnd < number.size() ? ParseLeadingInt(number.substr(mantissaEnd + 1)) : 0;
        const int64_t place = static_cast<int64_t>(point) - static_cast<int64_t>(leading);
        const bool huge = leading < mantissaEnd && place + exponent > 0;
        magnitude = huge ? std::numeric_limits<double>::infinity() : 0.0;
    } else if (error != std::errc() || stop != last) {
        magnitude = 0.0;
    }
    constexpr double kLargest = std::numeric_limits<float>::max();
    const float value =
        magnitude > kLargest ? std::numeric_limits<float>::max() : static_cast<float>(magnitude);
    return negative ? -value : value;
}

void ApplyParameterList(std::string_view value, ColorModeSetting& setting,
                        ValueObserver* observer) {
    std::size_t number = 0;
    ForEachPiece(CutComment(TrimSpace(value)), '/', [&](std::string_view piece) {
        ++number;
        const std::string_view field = TrimSpace(piece);
        if (observer != nullptr) {
            InspectField(number, field, *observer);
        }
        if (number <= kParameterFieldCount) {
            ApplyField(number, field, setting);
        }
        // Only an observer wants to hear of the fields past the last one read.
        return number < kParameterFieldCount || observer != nullptr;
    });
}

} // namespace varnet
