// An INI file as the library's profile-string reader sees it, with the line of every section and
// key, so that the checker can point at them. One pass over the text: large files stay quick.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace varnet::check {

struct IniKey {
    std::string_view name;  // trimmed
    std::string_view value; // trimmed, matching quotes removed, never cut to a read limit
    std::size_t line = 0;
};

struct IniSection {
    std::string_view name; // empty for the lines before the first header
    std::size_t line = 0;
    std::vector<IniKey> keys;
    // Upper-case name of each key to its first occurrence: later ones are never read.
    std::unordered_map<std::string, std::size_t> firstKey;

    // The first key of that name (compared without regard to case), or null.
    const IniKey* Find(std::string_view key) const;
};

struct IniDuplicate {
    std::string_view section;
    std::string_view key; // empty: the section itself appears again
    std::size_t line = 0;
    std::size_t firstLine = 0;
};

class IniFile {
public:
    // Takes the file's bytes; the views above point into them.
    explicit IniFile(std::string text);

    const std::vector<IniSection>& Sections() const { return m_sections; }
    // The first section of that name, or null; later ones of the same name are never read.
    const IniSection* Find(std::string_view section) const;
    // Sections and keys that repeat an earlier one and so are never read.
    const std::vector<IniDuplicate>& Duplicates() const { return m_duplicates; }

private:
    std::string m_text;
    std::vector<IniSection> m_sections;
    std::unordered_map<std::string, std::size_t> m_firstSection;
    std::vector<IniDuplicate> m_duplicates;
};

std::string UpperCase(std::string_view text);

} // namespace varnet::check
