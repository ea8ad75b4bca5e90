// What a value parser did with text that it could not take as written. The library passes no
// observer and computes the same either way; the configuration checker passes one to tell an
// engineer what the library skipped, cut or wrapped.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace varnet {

enum class ValueIssue {
    kNotANumber,   // no digits where a number belongs: read as 0
    kTrailingText, // a number followed by other text: only the leading number counts
    kSaturated,    // beyond the number type's range: its limit is taken
    kBlank,        // a field or level of blanks only: read as empty, a number 0
    kCaseMismatch, // a word of the field's own in the wrong case: taken as any other text
    kWrapped,      // outside the range the record keeps: only the low bits are stored
    kIgnored,      // past the parser's limit (fields, levels or entries): not read at all
};

struct ValueNote {
    ValueIssue issue = ValueIssue::kNotANumber;
    std::size_t item = 0;  // field, level or entry number, from 1
    std::string_view text; // the piece as the parser saw it (valid during the call only)
    double read = 0.0;     // what the parser made of it
    bool address = false;  // image-engine table: the note is about the entry's address
};

class ValueObserver {
public:
    virtual void Note(const ValueNote& note) = 0;

protected:
    virtual ~ValueObserver() = default;
};

} // namespace varnet
