#include "ui/Appearance.h"

#include <limits>

namespace qln {

void AppearanceChoice::storeIn(Settings& settings) const {
    settings.col1Width = col1Width;
    settings.col2Width = col2Width;
    settings.col3Width = col3Width;
    settings.useSpeed = useSpeed;
    settings.gridFont = gridFont;
    settings.gridTitleFont = gridTitleFont;
}

Appearance::Appearance(const Settings& settings)
    : shown_{std::to_string(settings.col1Width), std::to_string(settings.col2Width), std::to_string(settings.col3Width),
             settings.useSpeed},
      gridFont_(settings.gridFont),
      gridTitleFont_(settings.gridTitleFont) {}

Appearance::Fields Appearance::FormShow() const {
    return shown_;
}

std::int32_t Appearance::readWidth(std::string_view text) {
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return 0;
    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return 0;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<std::int32_t>::max()) return 0;
    }
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::variant<AppearanceChoice, AppearanceRefusal> Appearance::OkButtonClick(const Fields& fields) const {
    using Field = AppearanceRefusal::Field;
    const std::pair<const std::string&, Field> order[] = {
        {fields.Col1Wid, Field::Col1Wid}, {fields.Col2Wid, Field::Col2Wid}, {fields.Col3Wid, Field::Col3Wid}};
    std::int32_t widths[3];
    for (int i = 0; i < 3; ++i) {
        widths[i] = readWidth(order[i].first);
        if (widths[i] <= 0) return AppearanceRefusal{order[i].second, "Error", "Invalid width specified."};
    }
    return AppearanceChoice{widths[0], widths[1], widths[2], fields.SpeedButtons, gridFont_, gridTitleFont_};
}

}  // namespace qln
