#include "gui/triggers/SystemKeysDialog.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QEvent>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMouseEvent>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/DialogButtons.h"
#include "gui/Text.h"

namespace qln::gui {

namespace {

// A key as the hot key table names it; nothing for a modifier alone.
std::optional<DecipheredKey> hotKeyOf(int key, Qt::KeyboardModifiers modifiers) {
    struct Named {
        int key;
        std::uint16_t vk;
    };
    static constexpr Named kNamed[] = {
        {Qt::Key_Return, 13},   {Qt::Key_Enter, 13}, {Qt::Key_Tab, 9},       {Qt::Key_Backtab, 9},
        {Qt::Key_Escape, 27},   {Qt::Key_Space, 32}, {Qt::Key_Backspace, 8}, {Qt::Key_Insert, 45},
        {Qt::Key_Delete, 46},   {Qt::Key_Home, 36},  {Qt::Key_End, 35},      {Qt::Key_PageUp, 33},
        {Qt::Key_PageDown, 34}, {Qt::Key_Left, 37},  {Qt::Key_Up, 38},       {Qt::Key_Right, 39},
        {Qt::Key_Down, 40},
    };
    if (key == Qt::Key_Control || key == Qt::Key_Alt || key == Qt::Key_Shift || key == Qt::Key_Meta ||
        key == Qt::Key_AltGr || key == Qt::Key_Super_L || key == Qt::Key_Super_R || key == 0 || key == Qt::Key_unknown)
        return std::nullopt;
    DecipheredKey k;
    if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9))
        k.vk = static_cast<std::uint16_t>(key);
    else if (key >= Qt::Key_F1 && key <= Qt::Key_F12)
        k.vk = static_cast<std::uint16_t>(112 + key - Qt::Key_F1);
    for (const Named& n : kNamed)
        if (n.key == key) k.vk = n.vk;
    k.ctrl = modifiers.testFlag(Qt::ControlModifier);
    k.alt = modifiers.testFlag(Qt::AltModifier);
    k.shift = modifiers.testFlag(Qt::ShiftModifier);
    k.win = modifiers.testFlag(Qt::MetaModifier);
    return k;
}

DecipheredKey clickOf(const QMouseEvent& e) {
    DecipheredKey k;
    k.mouseButton = e.button() == Qt::LeftButton ? 1 : e.button() == Qt::RightButton ? 2 : 3;
    k.ctrl = e.modifiers().testFlag(Qt::ControlModifier);
    k.alt = e.modifiers().testFlag(Qt::AltModifier);
    k.shift = e.modifiers().testFlag(Qt::ShiftModifier);
    k.win = e.modifiers().testFlag(Qt::MetaModifier);
    return k;
}

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
    : CentredDialog(parent),
      logic_(table, settings),
      settings_(settings),
      read_(std::move(read)),
      store_(store),
      capture_(std::move(capture)),
      notices_(notices),
      help_(std::move(help)),
      keys_(std::string()) {
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
        fields_[f]->setToolTip(
            "Press the hot key.  For one the dialog uses itself (Alt+O, Escape, Shift+Tab, a "
            "click), press Space first.");
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

    // The mnemonics of every control: while a field waits, they still work as in any dialog.
    std::string mnemonics;
    for (const QAbstractButton* b : findChildren<QAbstractButton*>()) {
        const QKeySequence m = QKeySequence::mnemonic(b->text());
        if (!m.isEmpty()) mnemonics += static_cast<char>(m[0].key());
    }
    for (const QLabel* l : findChildren<QLabel*>()) {
        const QKeySequence m = QKeySequence::mnemonic(l->text());
        if (!m.isEmpty() && l->buddy() != nullptr) mnemonics += static_cast<char>(m[0].key());
    }
    keys_ = HotKeyFieldKeys(mnemonics);
    // Clicks anywhere in the dialog reach the filter: an armed field takes a plain click as its hot key.
    for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
}

SystemKeysDialog::~SystemKeysDialog() { setCapturing(-1); }

void SystemKeysDialog::focusField(SystemKeys::Field field) { fields_[field]->setFocus(); }

void SystemKeysDialog::setCapturing(int field) {
    const bool was = capturing_ >= 0;
    if (field != capturing_) {
        keys_.reset();
        showArmed();
    }
    capturing_ = field;
    if (was != (field >= 0) && capture_) capture_(field >= 0);
}

bool SystemKeysDialog::fieldKeyEvent(QEvent* event) {
    switch (event->type()) {
        case QEvent::ShortcutOverride: {
            // Accepted: no shortcut (a mnemonic) acts on the key, the field gets it.
            const auto* e = static_cast<QKeyEvent*>(event);
            const auto key = hotKeyOf(e->key(), e->modifiers());
            if (!key || !keys_.keeps(*key)) return false;
            event->accept();
            return true;
        }
        case QEvent::KeyPress: {
            const auto* e = static_cast<QKeyEvent*>(event);
            const auto key = hotKeyOf(e->key(), e->modifiers());
            if (!key) return false;
            if (e->isAutoRepeat()) return keys_.keeps(*key);
            const bool kept = keys_.pressed(*key);
            showArmed();
            return kept;
        }
        case QEvent::KeyRelease: {
            const auto* e = static_cast<QKeyEvent*>(event);
            const auto key = hotKeyOf(e->key(), e->modifiers());
            return key && keys_.keeps(*key);
        }
        default:
            return false;
    }
}

void SystemKeysDialog::showArmed() {
    for (int f = 0; f < SystemKeys::FieldCount; ++f) {
        const bool armed = f == capturing_ && keys_.armed();
        fields_[f]->setText(armed ? QString() : toQString(logic_.fieldText(static_cast<SystemKeys::Field>(f))));
        fields_[f]->setPlaceholderText(armed ? "(Press the Hot Key: any key)" : QString());
    }
}

bool SystemKeysDialog::eventFilter(QObject* watched, QEvent* event) {
    if (capturing_ >= 0) {
        const bool inField = watched == fields_[capturing_];
        if (inField && fieldKeyEvent(event)) return true;
        // A click the field takes as its hot key (a Ctrl+click, or any click once armed) does nothing else,
        // wherever it lands in the dialog.
        if ((event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) &&
            keys_.pressed(clickOf(*static_cast<QMouseEvent*>(event)))) {
            showArmed();
            return true;
        }
    }
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
    // One of the dialog's own keys: the dialog acts on it.
    if (!keys_.takesCode(code)) return;
    showArmed();
    const int field = capturing_;
    if (const auto refusal = logic_.hotKeyPressed(static_cast<SystemKeys::Field>(field), code)) {
        refuse(*refusal);
        fields_[field]->setFocus();
        return;
    }
    showArmed();
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
