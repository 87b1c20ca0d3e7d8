#include "gui/triggers/SystemKeysDialog.h"

#include <algorithm>

#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/DialogButtons.h"
#include "gui/Text.h"

namespace qln::gui {

namespace {
constexpr const char* FieldNames[] = {"ActProg", "StartCap", "Resume", "MenuTop"};
struct StyleButton {
    const char* name;
    const char* caption;
};
constexpr StyleButton StyleButtons[] = {
    {"ShowText", "&First Part of Macro"}, {"ShowIcon", "&Icons"}, {"ShowNick", "&Nickname and Scope"}};
}  // namespace

SystemKeysDialog::SystemKeysDialog(const MacroTable& table, Settings& settings, SystemKeys::MacroReader read,
                                   IMacroStore& store, CaptureWindow capture, INotices* notices, ShowHelp help,
                                   QWidget* parent)
    : CentredDialog(parent), logic_(table, settings), settings_(settings), read_(std::move(read)), store_(store),
      capture_(std::move(capture)), notices_(notices), help_(std::move(help)) {
    setObjectName("TSystemKeys");
    setWindowTitle("System Hot Keys");
    setModal(true);

    auto* grid = new QGridLayout;
    for (int f = 0; f < SystemKeys::FieldCount; ++f) {
        const auto field = static_cast<SystemKeys::Field>(f);
        fields_[f] = new QLineEdit(toQString(logic_.fieldText(field)), this);
        fields_[f]->setObjectName(FieldNames[f]);
        fields_[f]->setReadOnly(true);
        // Wide enough for the longest hot key name.
        fields_[f]->setMinimumWidth(fields_[f]->fontMetrics().horizontalAdvance("Ctrl+Alt+Shift+Scroll Lock") + 16);
        fields_[f]->setEnabled(logic_.macro(field) != 0);
        fields_[f]->installEventFilter(this);
        auto* label = new QLabel(SystemKeys::label(field), this);
        label->setBuddy(fields_[f]);
        grid->addWidget(label, f, 0);
        grid->addWidget(fields_[f], f, 1);
    }
    auto* press = new QLabel("(Press the Hot Key)", this);
    press->setObjectName("PressLabel");
    grid->addWidget(press, SystemKeys::FieldCount, 1);

    auto* styleBox = new QGroupBox("What To Show On Popup Menu", this);
    auto* styleRow = new QVBoxLayout(styleBox);
    for (int i = 0; i < 3; ++i) {
        styles_[i] = new QRadioButton(StyleButtons[i].caption, styleBox);
        styles_[i]->setObjectName(StyleButtons[i].name);
        styles_[i]->setChecked(logic_.style == i + 1);
        styleRow->addWidget(styles_[i]);
    }

    const DialogButtons buttons = okCancelHelpRow(
        this, [this] { OkButtonClick(); },
        [this] {
            if (help_) help_("tsystemkeys.html");
        });
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(styleBox);
    layout->addLayout(buttons.row);
}

SystemKeysDialog::~SystemKeysDialog() { setCapturing(-1); }

void SystemKeysDialog::focusField(SystemKeys::Field field) { fields_[field]->setFocus(); }

void SystemKeysDialog::setCapturing(int field) {
    const bool was = capturing_ >= 0;
    capturing_ = field;
    if (was != (field >= 0) && capture_) capture_(field >= 0);
}

bool SystemKeysDialog::eventFilter(QObject* watched, QEvent* event) {
    for (int f = 0; f < SystemKeys::FieldCount; ++f) {
        if (watched != fields_[f]) continue;
        if (event->type() == QEvent::FocusIn) setCapturing(f);
        // Moving from field to field keeps the capture: the hook library is told only when it really ends.
        if (event->type() == QEvent::FocusOut && capturing_ == f &&
            std::find(fields_.begin(), fields_.end(), QApplication::focusWidget()) == fields_.end())
            setCapturing(-1);
    }
    return CentredDialog::eventFilter(watched, event);
}

void SystemKeysDialog::hotKeyPressed(int code) {
    if (capturing_ < 0) return;
    const int field = capturing_;
    if (const auto refusal = logic_.hotKeyPressed(static_cast<SystemKeys::Field>(field), code)) {
        refuse(*refusal);
        fields_[field]->setFocus();
        return;
    }
    fields_[field]->setText(toQString(logic_.fieldText(static_cast<SystemKeys::Field>(field))));
}

void SystemKeysDialog::refuse(const SystemKeysRefusal& refusal) {
    if (refusal.message.empty()) return;
    if (notices_)
        notices_->notice(refusal.caption, refusal.message);
    else
        QMessageBox::critical(this, toQString(refusal.caption), toQString(refusal.message));
}

void SystemKeysDialog::OkButtonClick() {
    for (int i = 0; i < 3; ++i)
        if (styles_[i]->isChecked()) logic_.style = i + 1;
    if (const auto refusal = logic_.OkButtonClick(read_, store_, settings_)) {
        refuse(*refusal);
        return;
    }
    accept();
}

void SystemKeysDialog::done(int result) {
    setCapturing(-1);
    CentredDialog::done(result);
}

}  // namespace qln::gui
