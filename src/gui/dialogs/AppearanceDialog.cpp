#include "gui/dialogs/AppearanceDialog.h"

#include <QFontDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>

#include "core/Win1252.h"
#include "gui/DialogButtons.h"
#include "gui/FontSetting.h"

namespace qln::gui {

AppearanceDialog::AppearanceDialog(const Settings& settings, INotices* notices, ShowHelp help, QWidget* parent)
    : CentredDialog(parent), logic_(settings), notices_(notices), help_(std::move(help)) {
    setObjectName("TDoAppear");
    setWindowTitle("Appearance");
    setModal(true);
    const Appearance::Fields shown = logic_.FormShow();

    auto* columns = new QGroupBox("Column Widths (pixels)", this);
    auto* widthForm = new QFormLayout(columns);
    const std::pair<const char*, const std::string*> fields[] = {
        {"Col1Wid", &shown.Col1Wid}, {"Col2Wid", &shown.Col2Wid}, {"Col3Wid", &shown.Col3Wid}};
    for (int i = 0; i < 3; ++i) {
        widths_[i] = new QLineEdit(QString::fromStdString(*fields[i].second), columns);
        widths_[i]->setObjectName(fields[i].first);
        widthForm->addRow(QString("Column &%1:").arg(i + 1), widths_[i]);
    }

    auto* fonts = new QGroupBox("Fonts", this);
    auto* fontRow = new QHBoxLayout(fonts);
    auto* gridFont = new QPushButton("List &Font...", fonts);
    gridFont->setObjectName("GridFont");
    gridFont->setAutoDefault(false);
    auto* titleFont = new QPushButton("Hea&ding Font...", fonts);
    titleFont->setObjectName("GridTitleFont");
    titleFont->setAutoDefault(false);
    fontRow->addWidget(gridFont);
    fontRow->addWidget(titleFont);
    connect(gridFont, &QPushButton::clicked, this, [this] { chooseFont(logic_.gridFont(), "List Font"); });
    connect(titleFont, &QPushButton::clicked, this, [this] { chooseFont(logic_.gridTitleFont(), "Heading Font"); });

    auto* style = new QGroupBox("Buttons", this);
    auto* styleRow = new QHBoxLayout(style);
    speed_ = new QRadioButton("&Speed Buttons", style);
    speed_->setObjectName("SpeedButtons");
    auto* lettered = new QRadioButton("&Lettered Buttons", style);
    lettered->setObjectName("LetteredButtons");
    (shown.SpeedButtons ? speed_ : lettered)->setChecked(true);
    styleRow->addWidget(speed_);
    styleRow->addWidget(lettered);

    const DialogButtons buttons = okCancelHelpRow(
        this, [this] { OkButtonClick(); },
        [this] {
            if (help_) help_("tdoappear.html");
        });

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(columns);
    layout->addWidget(fonts);
    layout->addWidget(style);
    layout->addLayout(buttons.row);
    widths_[0]->setFocus();
}

void AppearanceDialog::OkButtonClick() {
    const Appearance::Fields fields{utf8ToWin1252(widths_[0]->text().toStdString()),
                                    utf8ToWin1252(widths_[1]->text().toStdString()),
                                    utf8ToWin1252(widths_[2]->text().toStdString()), speed_->isChecked()};
    const auto answer = logic_.OkButtonClick(fields);
    if (const auto* refusal = std::get_if<AppearanceRefusal>(&answer)) {
        if (notices_)
            notices_->notice(refusal->caption, refusal->message);
        else
            QMessageBox::critical(this, QString::fromStdString(refusal->caption),
                                  QString::fromStdString(refusal->message));
        QLineEdit* field = widths_[static_cast<int>(refusal->field)];
        field->setFocus();
        field->selectAll();
        return;
    }
    choice_ = std::get<AppearanceChoice>(answer);
    accept();
}

void AppearanceDialog::chooseFont(FontSetting& font, const QString& title) {
    bool chosen = false;
    const QFont picked = QFontDialog::getFont(&chosen, toQFont(font), this, title);
    if (chosen) font = toFontSetting(picked, font.color);
}

}  // namespace qln::gui
