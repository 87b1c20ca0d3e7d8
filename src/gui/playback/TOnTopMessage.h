#pragma once

#include <string_view>

#include "gui/playback/OnTopDialog.h"

class QLabel;
class QPushButton;

namespace qln::gui {

// The stay-on-top message window of the background work (the abort notice, refused triggers).
class TOnTopMessage : public OnTopDialog {
    Q_OBJECT
public:
    // Texts are Windows-1252 bytes; an empty caption reads "Message".
    TOnTopMessage(std::string_view caption, std::string_view text);

protected:
    void showEvent(QShowEvent* e) override;

private:
    QLabel* TheMessage;
    QPushButton* OkButton;
};

}  // namespace qln::gui
