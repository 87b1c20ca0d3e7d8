#pragma once

#include <QDialog>
#include <QString>

#include <string>
#include <string_view>

namespace qln::gui {

// A prompt that a playing macro raises while the user works in another program: fixed size, above every other
// window, and it takes the focus whenever it comes up or is activated.
class OnTopDialog : public QDialog {
    Q_OBJECT
public:
    // `name`: the form's class name, also its objectName.
    explicit OnTopDialog(const QString& name);

protected:
    // The client size is the given one, larger only where the user's fonts need more room.
    void fixClientSize(QSize client);
    // Centres the form on the screen (frame included, as far as the window manager has told us its size).
    void moveCentred();

    bool event(QEvent* e) override;
    void showEvent(QShowEvent* e) override;

    // Macro texts are Windows-1252 bytes; Qt's are Unicode.
    static QString qtText(std::string_view bytes);
    static std::string macroText(const QString& text);
};

}  // namespace qln::gui
