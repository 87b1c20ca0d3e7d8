#include "core/IniFile.h"

namespace qln {

namespace {

constexpr std::size_t npos = std::string::npos;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool blank(char c) {
    return c == ' ' || c == '\t' || c == '\r';
}
bool quote(char c) {
    return c == '"' || c == '\'';
}

// The reading removes blanks around a value and one pair of enclosing quotes: a value that would lose either is
// written in double quotes, and reads back as it was.
std::string written(std::string_view value) {
    const bool quoted = value.size() >= 2 && quote(value.front()) && value.back() == value.front();
    if (value.empty() || (!quoted && !blank(value.front()) && !blank(value.back()))) return std::string(value);
    return "\"" + std::string(value) + "\"";
}

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

bool equalNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; };
        if (lower(a[i]) != lower(b[i])) return false;
    }
    return true;
}

// The name of a "[section]" line, or nullopt.
std::optional<std::string_view> sectionName(std::string_view line) {
    line = trim(line);
    if (line.size() < 2 || line.front() != '[') return std::nullopt;
    const std::size_t close = line.find(']');
    if (close == npos) return std::nullopt;
    return trim(line.substr(1, close - 1));
}

}  // namespace

IniFile IniFile::parse(std::string_view bytes) {
    IniFile f;
    // Editors on other systems may start the file with a UTF-8 byte-order mark; left in, it would hide the first
    // section, and the next write would add that section again.  It is the user's, and is written back.
    f.byteOrderMark_ = bytes.starts_with(kByteOrderMark);
    if (f.byteOrderMark_) bytes.remove_prefix(kByteOrderMark.size());
    f.crlf_ = bytes.find("\r\n") != npos;
    while (!bytes.empty()) {
        const std::size_t nl = bytes.find('\n');
        std::string_view line = bytes.substr(0, nl);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        f.lines_.push_back({std::string(line)});
        if (nl == npos) break;
        bytes.remove_prefix(nl + 1);
    }
    return f;
}

std::string IniFile::serialize() const {
    std::string out(byteOrderMark_ ? kByteOrderMark : "");
    for (const Line& l : lines_) {
        out += l.text;
        out += crlf_ ? "\r\n" : "\n";
    }
    return out;
}

std::size_t IniFile::findSection(std::string_view section) const {
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        const auto name = sectionName(lines_[i].text);
        if (name && equalNoCase(*name, section)) return i;
    }
    return npos;
}

std::size_t IniFile::sectionEnd(std::size_t header) const {
    std::size_t i = header + 1;
    while (i < lines_.size() && !sectionName(lines_[i].text)) ++i;
    return i;
}

std::size_t IniFile::findKey(std::size_t header, std::string_view key) const {
    const std::size_t end = sectionEnd(header);
    for (std::size_t i = header + 1; i < end; ++i) {
        const std::string_view text = lines_[i].text;
        const std::size_t eq = text.find('=');
        if (eq == npos) continue;
        const std::string_view name = trim(text.substr(0, eq));
        if (!name.empty() && name.front() != ';' && equalNoCase(name, key)) return i;
    }
    return npos;
}

std::optional<std::string> IniFile::get(std::string_view section, std::string_view key) const {
    const std::size_t header = findSection(section);
    if (header == npos) return std::nullopt;
    const std::size_t at = findKey(header, key);
    if (at == npos) return std::nullopt;
    std::string_view value = trim(std::string_view(lines_[at].text).substr(lines_[at].text.find('=') + 1));
    if (value.size() >= 2 && quote(value.front()) && value.back() == value.front())
        value = value.substr(1, value.size() - 2);
    return std::string(value);
}

void IniFile::set(std::string_view section, std::string_view key, std::string_view value) {
    std::string line = std::string(key) + "=" + written(value);
    std::size_t header = findSection(section);
    if (header == npos) {
        if (!lines_.empty() && !trim(lines_.back().text).empty()) lines_.push_back({""});
        lines_.push_back({"[" + std::string(section) + "]"});
        lines_.push_back({std::move(line)});
        return;
    }
    if (const std::size_t at = findKey(header, key); at != npos) {
        lines_[at].text = std::move(line);
        return;
    }
    // After the section's last non-blank line, so a blank line before the next section stays in place.
    std::size_t insert = sectionEnd(header);
    while (insert > header + 1 && trim(lines_[insert - 1].text).empty()) --insert;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(insert), Line{std::move(line)});
}

}  // namespace qln
