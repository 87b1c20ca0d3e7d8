#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

#include "core/Settings.h"

namespace qln {

// What the Appearance dialog's OK hands to the main window: store it in the settings (storeIn), apply the widths
// to list columns 1 to 3, show the tool bar or the lettered buttons, take the fonts for the list, recompute the
// row heights and column 0, lay the window out again and write the settings file.
struct AppearanceChoice {
    std::int32_t col1Width = 0;
    std::int32_t col2Width = 0;
    std::int32_t col3Width = 0;
    bool useSpeed = false;
    FontSetting gridFont;
    FontSetting gridTitleFont;

    void storeIn(Settings& settings) const;
    bool operator==(const AppearanceChoice&) const = default;
};

// A refused OK: the message to show; the dialog stays open with the focus in the field.
struct AppearanceRefusal {
    enum class Field { Col1Wid, Col2Wid, Col3Wid };
    Field field = Field::Col1Wid;
    std::string caption;
    std::string message;
    bool operator==(const AppearanceRefusal&) const = default;
};

// The Appearance dialog's logic: the three column widths, the button style and working copies of the list's two
// fonts.  Cancel needs nothing: the settings are only touched through an accepted choice.
class Appearance {
public:
    struct Fields {
        std::string Col1Wid;
        std::string Col2Wid;
        std::string Col3Wid;
        bool SpeedButtons = false;  // "&Speed Buttons"; otherwise "&Lettered Buttons"
    };

    explicit Appearance(const Settings& settings);

    Fields FormShow() const;
    // The working copies the font buttons edit.
    FontSetting& gridFont() { return gridFont_; }
    FontSetting& gridTitleFont() { return gridTitleFont_; }

    // The choice to store, or why not (the widths are checked in the order 1, 2, 3).
    std::variant<AppearanceChoice, AppearanceRefusal> OkButtonClick(const Fields& fields) const;

    // A width field as a whole number: surrounding blanks allowed, a sign allowed; anything else, and a number
    // beyond 32 bits, reads as 0.
    static std::int32_t readWidth(std::string_view text);

private:
    Fields shown_;
    FontSetting gridFont_;
    FontSetting gridTitleFont_;
};

}  // namespace qln
