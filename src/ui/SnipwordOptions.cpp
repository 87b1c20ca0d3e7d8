#include "ui/SnipwordOptions.h"

namespace qln {

bool validSnipwordCharacter(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) return true;
    return c != 0 && std::string_view("!#$%&*+,-./;<=>?@^_").find(static_cast<char>(c)) != std::string_view::npos;
}

SnipwordOptions::SnipwordOptions(const Settings& settings) {
    shown_.UsePrefix = !settings.snipwordUseSuffix;
    shown_.CaseSensitive = settings.snipwordCaseSensitive;
    shown_.SolitaryUsage = settings.snipwordSolitaryUsage;
    shown_.PrefixKeys = settings.snipwordPrefixKeys.substr(0, PrefixKeysLength);
}

std::string SnipwordOptions::validPart(std::string_view prefix) {
    std::string kept;
    for (char c : prefix)
        if (validSnipwordCharacter(static_cast<unsigned char>(c))) kept += c;
    return kept;
}

std::optional<SnipwordOptionsRefusal> SnipwordOptions::checkPrefixKeys(std::string_view prefix) {
    if (validPart(prefix).size() == prefix.size()) return std::nullopt;
    return SnipwordOptionsRefusal{"Error", InvalidPrefixKeysMessage};
}

std::optional<SnipwordOptionsRefusal> SnipwordOptions::OkButtonClick(const Fields& fields, Settings& settings) const {
    // A disabled prefix is not in use; a damaged one read from the settings file may stay until prefix mode
    // comes back.
    if (fields.UsePrefix) {
        if (auto refusal = checkPrefixKeys(fields.PrefixKeys)) return refusal;
    }
    settings.snipwordUseSuffix = !fields.UsePrefix;
    settings.snipwordCaseSensitive = fields.CaseSensitive;
    settings.snipwordSolitaryUsage = fields.SolitaryUsage;
    settings.snipwordPrefixKeys = fields.PrefixKeys.substr(0, PrefixKeysLength);
    return std::nullopt;
}

}  // namespace qln
