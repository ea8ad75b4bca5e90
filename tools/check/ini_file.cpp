#include "ini_file.h"

#include "config/parameter_list_parser.h"

namespace varnet::check {

namespace {

// Matching single or double quotes around two or more characters go, as the reader drops them.
std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        return value.substr(1, value.size() - 2);
    }
    return value;
}

} // namespace

std::string UpperCase(std::string_view text) {
    std::string upper(text);
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

const IniKey* IniSection::Find(std::string_view key) const {
    const auto found = firstKey.find(UpperCase(key));
    return found == firstKey.end() ? nullptr : &keys[found->second];
}

const IniSection* IniFile::Find(std::string_view section) const {
    const auto found = m_firstSection.find(UpperCase(section));
    return found == m_firstSection.end() ? nullptr : &m_sections[found->second];
}

IniFile::IniFile(std::string text) : m_text(std::move(text)) {
    std::string_view all(m_text);
    if (all.starts_with("\xEF\xBB\xBF")) {
        all.remove_prefix(3);
    }
    m_sections.emplace_back(); // the unnamed one before the first header
    std::size_t lineNumber = 0;
    std::size_t at = 0;
    while (at < all.size()) {
        ++lineNumber;
        std::size_t end = all.find_first_of("\r\n", at);
        if (end == std::string_view::npos) {
            end = all.size();
        }
        const std::string_view line = TrimSpace(all.substr(at, end - at));
        at = end;
        if (at < all.size()) {
            at += all[at] == '\r' && at + 1 < all.size() && all[at + 1] == '\n' ? 2 : 1;
        }
        const std::size_t close = line.rfind(']');
        if (!line.empty() && line[0] == '[' && close != std::string_view::npos && close > 0) {
            IniSection section;
            section.name = TrimSpace(line.substr(1, close - 1));
            section.line = lineNumber;
            const auto [first, added] =
                m_firstSection.emplace(UpperCase(section.name), m_sections.size());
            if (!added) {
                m_duplicates.push_back(
                    {section.name, {}, lineNumber, m_sections[first->second].line});
            }
            m_sections.push_back(std::move(section));
            continue;
        }
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        IniSection& section = m_sections.back();
        const IniKey key{TrimSpace(line.substr(0, equals)),
                         Unquote(TrimSpace(line.substr(equals + 1))), lineNumber};
        const auto [first, added] =
            section.firstKey.emplace(UpperCase(key.name), section.keys.size());
        if (!added && !key.name.starts_with(';')) {
            m_duplicates.push_back(
                {section.name, key.name, lineNumber, section.keys[first->second].line});
        }
        section.keys.push_back(key);
    }
}

} // namespace varnet::check
