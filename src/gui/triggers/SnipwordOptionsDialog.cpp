#include "gui/triggers/SnipwordOptionsDialog.h"

#include <QCheckBox>
#include <QEvent>
#include <QFormLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QVBoxLayout>

#include "gui/DialogButtons.h"
#include "gui/Text.h"

namespace qln::gui {

namespace {

// Every valid prefix character is ASCII: anything else is passed on as a byte the check refuses, never as the
// '?' a conversion would make of it.
std::string prefixBytes(const QString& text) {
    std::string bytes;
    for (QChar c : text) bytes += c.unicode() < 0x80 ? static_cast<char>(c.unicode()) : '\x7F';
    return bytes;
}

}  // namespace

SnipwordOptionsDialog::SnipwordOptionsDialog(Settings& settings, INotices* notices, ShowHelp help, QWidget* parent)
    : CentredDialog(parent), settings_(settings), logic_(settings), notices_(notices), help_(std::move(help)) {
    setObjectName("TSnipwordOptions");
    setWindowTitle("Snipword Options");
    setModal(true);
    const SnipwordOptions::Fields shown = logic_.FormShow();

    usePrefix_ = new QCheckBox("Use &Prefix Keys", this);
    usePrefix_->setObjectName("UsePrefix");
    usePrefix_->setChecked(shown.UsePrefix);
    prefixKeys_ = new QLineEdit(toQString(shown.PrefixKeys), this);
    prefixKeys_->setObjectName("PrefixKeys");
    prefixKeys_->setMaxLength(SnipwordOptions::PrefixKeysLength);
    prefixKeys_->setEnabled(SnipwordOptions::prefixKeysEnabled(shown));
    prefixKeys_->installEventFilter(this);
    caseSensitive_ = new QCheckBox("Case &Sensitive", this);
    caseSensitive_->setObjectName("CaseSensitive");
    caseSensitive_->setChecked(shown.CaseSensitive);
    solitary_ = new QCheckBox("Solitary &Usage", this);
    solitary_->setObjectName("SolitaryUsage");
    solitary_->setChecked(shown.SolitaryUsage);

    connect(usePrefix_, &QCheckBox::toggled, this,
            [this] { prefixKeys_->setEnabled(SnipwordOptions::prefixKeysEnabled(fields())); });
    connect(prefixKeys_, &QLineEdit::textChanged, this, [this] { checkPrefix(); });

    const DialogButtons buttons = okCancelHelpRow(
        this, [this] { OkButtonClick(); },
        [this] {
            if (help_) help_("tsnipwordoptions.html");
        });

    auto* prefixRow = new QFormLayout;
    prefixRow->addRow(usePrefix_, prefixKeys_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(prefixRow);
    layout->addWidget(caseSensitive_);
    layout->addWidget(solitary_);
    layout->addLayout(buttons.row);
}

SnipwordOptions::Fields SnipwordOptionsDialog::fields() const {
    return {usePrefix_->isChecked(), caseSensitive_->isChecked(), solitary_->isChecked(),
            prefixBytes(prefixKeys_->text())};
}

void SnipwordOptionsDialog::refuse(const SnipwordOptionsRefusal& refusal) {
    refusing_ = true;
    if (notices_)
        notices_->notice(refusal.caption, refusal.message);
    else
        QMessageBox::critical(this, toQString(refusal.caption), toQString(refusal.message));
    prefixKeys_->setFocus();
    refusing_ = false;
}

bool SnipwordOptionsDialog::checkPrefix() {
    if (refusing_ || !prefixKeys_->isEnabled()) return true;
    const std::string bytes = prefixBytes(prefixKeys_->text());
    const auto refusal = SnipwordOptions::checkPrefixKeys(bytes);
    if (!refusal) return true;
    {
        const QSignalBlocker quiet(prefixKeys_);
        prefixKeys_->setText(toQString(SnipwordOptions::validPart(bytes)));
    }
    refuse(*refusal);
    return false;
}

bool SnipwordOptionsDialog::eventFilter(QObject* watched, QEvent* event) {
    // Leaving the field checks it too (a damaged prefix read from the settings file has seen no change).
    if (watched == prefixKeys_ && event->type() == QEvent::FocusOut) checkPrefix();
    return CentredDialog::eventFilter(watched, event);
}

void SnipwordOptionsDialog::OkButtonClick() {
    if (const auto refusal = logic_.OkButtonClick(fields(), settings_)) {
        refuse(*refusal);
        return;
    }
    accept();
}

}  // namespace qln::gui
