#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qln {

// A profile (INI) file kept line by line, so that rewriting it keeps what Quillon does not know: other keys and
// sections, comments, blank lines.  Section and key names compare without regard to case.  A leading UTF-8
// byte-order mark is skipped on reading and written back.  Every value set reads back as it was set: one with
// blanks at either end, or in quotes, is written in double quotes.
class IniFile {
public:
    static IniFile parse(std::string_view bytes);
    std::string serialize() const;

    // The value as the profile functions give it: blanks around it removed, and one pair of enclosing quotes.
    std::optional<std::string> get(std::string_view section, std::string_view key) const;
    // Replaces the key's value in place, or adds the key at the end of its section, or adds the section at the
    // end of the file.
    void set(std::string_view section, std::string_view key, std::string_view value);

private:
    struct Line {
        std::string text;
    };
    // Index of the section's header line, or npos.
    std::size_t findSection(std::string_view section) const;
    // Index of the key's line within the section starting after header, or npos.
    std::size_t findKey(std::size_t header, std::string_view key) const;
    std::size_t sectionEnd(std::size_t header) const;

    std::vector<Line> lines_;
    bool crlf_ = false;
    bool byteOrderMark_ = false;
};

}  // namespace qln
