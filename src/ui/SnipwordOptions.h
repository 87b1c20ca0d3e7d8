#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "core/Settings.h"

namespace qln {

// The characters that may make up a Snipword's run of typing, and so a prefix.
bool validSnipwordCharacter(unsigned char c);

inline constexpr const char* InvalidPrefixKeysMessage =
    "The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % ^ & "
    "_ = < > ? . ; , * - / +";

// A refused prefix: shown with its caption, then the focus goes back into `PrefixKeys`.
struct SnipwordOptionsRefusal {
    std::string caption;
    std::string message;
    bool operator==(const SnipwordOptionsRefusal&) const = default;
};

// The Snipword Options dialog (TSnipwordOptions) without its widgets.
class SnipwordOptions {
public:
    static constexpr int PrefixKeysLength = 2;

    struct Fields {
        bool UsePrefix = true;  // "Use &Prefix Keys": the inverse of the stored "Use Suffix"
        bool CaseSensitive = true;
        bool SolitaryUsage = false;
        std::string PrefixKeys;  // Windows-1252
        bool operator==(const Fields&) const = default;
    };

    explicit SnipwordOptions(const Settings& settings);

    Fields FormShow() const { return shown_; }
    // The prefix field takes input only in prefix mode.
    static bool prefixKeysEnabled(const Fields& fields) { return fields.UsePrefix; }

    // Checked on every change of the prefix and on leaving it.  A refused prefix is cut back to its valid
    // characters (validPart), so the field never keeps a character that typing could never match.
    static std::optional<SnipwordOptionsRefusal> checkPrefixKeys(std::string_view prefix);
    static std::string validPart(std::string_view prefix);

    // "&Ok": stores the four values into the settings (the caller then writes the settings file), or refuses a
    // prefix in prefix mode that has invalid characters; the settings are then left as they were.
    std::optional<SnipwordOptionsRefusal> OkButtonClick(const Fields& fields, Settings& settings) const;

private:
    Fields shown_;
};

}  // namespace qln
