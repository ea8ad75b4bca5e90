#include "value_findings.h"

#include <cmath>
#include <cstdio>
#include <map>
#include <tuple>
#include <utility>

#include "config/parameter_list_parser.h"
#include "config/support_lookup.h"
#include "config/tone_curve_parser.h"
#include "config/zelmo_table_parser.h"

namespace varnet::check {

namespace {

// One kind of note about one value: the first occurrence and how many there were. A value with
// the same fault a hundred times is one finding, not a hundred.
struct NoteGroup {
    ValueIssue issue;
    bool address;
    std::size_t item;
    std::string text;
    double read;
    std::size_t count;
};

class NoteCollector : public ValueObserver {
public:
    void Note(const ValueNote& note) override {
        // An entry without a comma is a fault of its own, apart from an address that is wrong.
        const auto key = std::make_tuple(static_cast<int>(note.issue), note.address,
                                         note.address && note.text.empty());
        auto [group, added] =
            m_groups.try_emplace(key, NoteGroup{note.issue, note.address, note.item,
                                                std::string(note.text), note.read, 0});
        ++group->second.count;
    }
    // In the order of the first item each group reports.
    std::multimap<std::size_t, NoteGroup> ByItem() const {
        std::multimap<std::size_t, NoteGroup> ordered;
        for (const auto& [key, group] : m_groups) {
            ordered.emplace(group.item, group);
        }
        return ordered;
    }

private:
    std::map<std::tuple<int, bool, bool>, NoteGroup> m_groups;
};

std::string Number(double value) {
    char text[32];
    const bool whole = std::trunc(value) == value && std::fabs(value) < 1e15;
    std::snprintf(text, sizeof text, whole ? "%.0f" : "%.9g", value);
    return text;
}

std::string More(const NoteGroup& group, const char* what) {
    return group.count > 1 ? " (and " + std::to_string(group.count - 1) + " more " + what + ")"
                           : std::string();
}

void Add(CheckReport& report, const ValueSite& site, Severity severity, std::size_t field,
         std::string message) {
    report.Add({severity, site.file, site.line, site.section, site.key, field, std::move(message)});
}

const char* FieldForms(std::size_t field) {
    if (field <= 9 || field == 18 || field == 25 || field == 27) {
        return "N or an integer";
    }
    switch (field) {
    case 10:
    case 11:
        return "N or a number";
    case 12:
    case 13:
        return "N, A, U or a number";
    case 14:
        return "N, D or a number";
    default:
        return "an integer";
    }
}

} // namespace

std::string_view ReadLimited(const ValueSite& site, std::string_view value, uint32_t limit,
                             CheckReport& report) {
    const std::size_t kept = limit - 1;
    if (value.size() <= kept) {
        return value;
    }
    Add(report, site, Severity::kError, 0,
        "the value is " + std::to_string(value.size()) + " characters long; the library reads " +
            std::to_string(kept) + " and loses the rest (from \"" +
            std::string(value.substr(kept, 16)) + "...\")");
    return value.substr(0, kept);
}

void CheckParameterList(const ValueSite& site, std::string_view value, ColorModeSetting& setting,
                        CheckReport& report) {
    NoteCollector notes;
    ApplyParameterList(ReadLimited(site, value, kValueReadLimit, report), setting, &notes);
    for (const auto& [field, g] : notes.ByItem()) {
        const std::string quoted = "\"" + g.text + "\"";
        switch (g.issue) {
        case ValueIssue::kNotANumber:
            Add(report, site, Severity::kError, field,
                quoted + " is not " + FieldForms(field) + ": the library reads 0" +
                    More(g, "such fields"));
            break;
        case ValueIssue::kTrailingText:
            Add(report, site, Severity::kError, field,
                quoted + " is not a well-formed number: the library reads " + Number(g.read) +
                    " and ignores the rest" + More(g, "such fields"));
            break;
        case ValueIssue::kSaturated:
            Add(report, site, Severity::kError, field,
                quoted + " is beyond the field's range: the library reads " + Number(g.read) +
                    More(g, "such fields"));
            break;
        case ValueIssue::kBlank:
            Add(report, site, Severity::kWarning, field,
                "a field of blanks only reads as empty (0); write N, and no blank between a "
                "last \"/\" and \";\"" +
                    More(g, "such fields"));
            break;
        case ValueIssue::kCaseMismatch:
            Add(report, site, Severity::kWarning, field,
                quoted +
                    " is not upper case: words are compared exactly, so it counts as other "
                    "text" +
                    More(g, "such fields"));
            break;
        case ValueIssue::kIgnored:
            Add(report, site, Severity::kWarning, field,
                "the list has " + std::to_string(kParameterFieldCount + g.count) +
                    " fields; the library reads 38 and ignores the rest");
            break;
        case ValueIssue::kWrapped:
            break;
        }
    }
}

void CheckToneCurve(const ValueSite& site, std::string_view value, CheckReport& report) {
    NoteCollector notes;
    uint16_t curve[kToneCurveEntries] = {};
    const std::size_t count =
        ParseToneCurve(ReadLimited(site, value, kToneCurveReadLimit, report), 257, curve, &notes);
    for (const auto& [level, g] : notes.ByItem()) {
        const std::string quoted = "\"" + g.text + "\"";
        switch (g.issue) {
        case ValueIssue::kNotANumber:
            Add(report, site, Severity::kError, level,
                quoted + " is not a number: the level reads 0" + More(g, "such levels"));
            break;
        case ValueIssue::kTrailingText:
            Add(report, site, Severity::kError, level,
                quoted + " is not a well-formed number: the level reads " + Number(g.read) +
                    More(g, "such levels"));
            break;
        case ValueIssue::kWrapped:
            Add(report, site, Severity::kError, level,
                "level " + Number(g.read) + " is outside 0..255: scaled and cut to 16 bits it " +
                    "becomes " +
                    std::to_string(static_cast<uint16_t>(static_cast<uint32_t>(g.read) * 257u)) +
                    More(g, "such levels"));
            break;
        case ValueIssue::kBlank:
            Add(report, site, Severity::kWarning, level,
                "a level of blanks only reads as 0" + More(g, "such levels"));
            break;
        case ValueIssue::kIgnored:
            Add(report, site, Severity::kWarning, level,
                "the curve holds " + std::to_string(count) +
                    " numbers; the library reads 768 and ignores the rest");
            break;
        case ValueIssue::kSaturated:
        case ValueIssue::kCaseMismatch:
            break;
        }
    }
    if (count < kToneCurveEntries) {
        static const char* const kBlack[] = {"red, green and blue stay black",
                                             "green and blue stay black", "blue stays black"};
        const std::size_t full = count / kToneCurveChannelEntries;
        std::string message = "the curve holds " + std::to_string(count) +
                              " numbers, not 768: the entries past them are 0, so ";
        message += count % kToneCurveChannelEntries == 0 && full < 3
                       ? kBlack[full]
                       : std::string("part of a channel is black");
        Add(report, site, Severity::kError, count + 1, message);
    }
    static const char* const kChannel[] = {"red", "green", "blue"};
    for (std::size_t c = 0; c < 3 && (c + 1) * kToneCurveChannelEntries <= count; ++c) {
        const uint16_t* channel = curve + c * kToneCurveChannelEntries;
        for (std::size_t i = 1; i < kToneCurveChannelEntries; ++i) {
            if (channel[i] < channel[i - 1]) {
                Add(report, site, Severity::kWarning, c * kToneCurveChannelEntries + i + 1,
                    std::string("the ") + kChannel[c] + " channel falls at level " +
                        std::to_string(i) + " (" + std::to_string(channel[i - 1] / 257) + " then " +
                        std::to_string(channel[i] / 257) +
                        "): the CUI back-end refuses a ramp that is not monotonic");
                break;
            }
        }
    }
}

void CheckZelmoTable(const ValueSite& site, std::string_view value, CheckReport& report) {
    NoteCollector notes;
    ColorModeSetting setting;
    ApplyZelmoTable(ReadLimited(site, value, kValueReadLimit, report), setting, &notes);
    for (const auto& [entry, g] : notes.ByItem()) {
        const std::string part = g.address ? "address" : "value";
        const std::string quoted = "\"" + g.text + "\"";
        switch (g.issue) {
        case ValueIssue::kNotANumber:
            Add(report, site, Severity::kError, entry,
                g.address && g.text.empty()
                    ? "an entry without \",\" is all value: its address is 0" +
                          More(g, "such entries")
                    : part + " " + quoted + " does not convert (" +
                          (g.address ? "hexadecimal without 0x, no blank before it"
                                     : "decimal, or hexadecimal with 0x") +
                          "): it is stored as 0" + More(g, "such entries"));
            break;
        case ValueIssue::kTrailingText:
            Add(report, site, Severity::kError, entry,
                part + " " + quoted + " is not a well-formed number: the library takes " +
                    Number(g.read) + More(g, "such entries"));
            break;
        case ValueIssue::kWrapped:
            Add(report, site, Severity::kWarning, entry,
                part + " " + quoted + " does not fit in " + (g.address ? "16" : "8") +
                    " bits: only the low bits are kept" + More(g, "such entries"));
            break;
        case ValueIssue::kIgnored:
            Add(report, site, Severity::kWarning, entry,
                "the table has " + std::to_string(kZelmoTableEntries + g.count) +
                    " entries; the library keeps the first 260");
            break;
        case ValueIssue::kBlank:
        case ValueIssue::kSaturated:
        case ValueIssue::kCaseMismatch:
            break;
        }
    }
}

} // namespace varnet::check
