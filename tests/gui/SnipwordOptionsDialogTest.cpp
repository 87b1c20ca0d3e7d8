// The Snipword Options form on the offscreen platform: the prefix field's enabling, its refusals, OK and Cancel.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "gui/triggers/SnipwordOptionsDialog.h"

namespace qln::gui {
namespace {

struct Collected : INotices {
    void notice(std::string_view caption, std::string_view text) override {
        seen.push_back(std::string(caption) + ": " + std::string(text));
    }
    std::vector<std::string> seen;
};

const std::string Refused =
    "Error: The Prefix Keys has invalid characters in it.  Valid characters are A - Z, a - z, 0 - 9 and ' ! @ # $ % "
    "^ & _ = < > ? . ; , * - / +";

template <typename W>
W* child(const QWidget& form, const char* name) {
    W* w = form.findChild<W*>(name);
    EXPECT_NE(w, nullptr) << name;
    return w;
}

TEST(SnipwordOptionsDialog, PrefixKeysFollowUsePrefix) {
    Settings s;
    s.snipwordUseSuffix = true;
    Collected notices;
    SnipwordOptionsDialog dialog(s, &notices);
    dialog.show();
    EXPECT_EQ(dialog.windowTitle(), "Snipword Options");
    auto* use = child<QCheckBox>(dialog, "UsePrefix");
    auto* prefix = child<QLineEdit>(dialog, "PrefixKeys");
    EXPECT_EQ(use->text(), "Use &Prefix Keys");
    EXPECT_FALSE(use->isChecked());
    EXPECT_FALSE(prefix->isEnabled());
    use->click();
    EXPECT_TRUE(prefix->isEnabled());
    EXPECT_EQ(prefix->maxLength(), 2);
}

TEST(SnipwordOptionsDialog, RefusesAnInvalidCharacterAsItIsTyped) {
    Settings s;
    Collected notices;
    SnipwordOptionsDialog dialog(s, &notices);
    dialog.show();
    auto* prefix = child<QLineEdit>(dialog, "PrefixKeys");
    prefix->setFocus();
    QTest::keyClicks(prefix, "#");
    EXPECT_TRUE(notices.seen.empty());
    QTest::keyClicks(prefix, "'");
    ASSERT_EQ(notices.seen.size(), 1u);
    EXPECT_EQ(notices.seen[0], Refused);
    EXPECT_EQ(prefix->text(), "#");
    prefix->insert(QString::fromUtf8("\u00e9"));
    EXPECT_EQ(notices.seen.size(), 2u);
    EXPECT_EQ(prefix->text(), "#");
}

TEST(SnipwordOptionsDialog, ADamagedPrefixIsRefusedOnLeavingAndAtOk) {
    Settings s;
    s.snipwordPrefixKeys = "a ";
    Collected notices;
    SnipwordOptionsDialog dialog(s, &notices);
    dialog.show();
    QTest::mouseClick(child<QPushButton>(dialog, "OkButton"), Qt::LeftButton);
    ASSERT_EQ(notices.seen.size(), 1u);
    EXPECT_EQ(notices.seen[0], Refused);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(s.snipwordPrefixKeys, "a ");
}

TEST(SnipwordOptionsDialog, OkStoresCancelDiscards) {
    Settings s;
    {
        SnipwordOptionsDialog dialog(s);
        dialog.show();
        child<QCheckBox>(dialog, "SolitaryUsage")->click();
        child<QLineEdit>(dialog, "PrefixKeys")->setText(";;");
        QTest::mouseClick(child<QPushButton>(dialog, "CancelButton"), Qt::LeftButton);
        EXPECT_EQ(dialog.result(), QDialog::Rejected);
    }
    EXPECT_EQ(s, Settings{});
    SnipwordOptionsDialog dialog(s);
    dialog.show();
    child<QCheckBox>(dialog, "SolitaryUsage")->click();
    child<QCheckBox>(dialog, "CaseSensitive")->click();
    child<QLineEdit>(dialog, "PrefixKeys")->setText(";;");
    QTest::mouseClick(child<QPushButton>(dialog, "OkButton"), Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(s.snipwordSolitaryUsage);
    EXPECT_FALSE(s.snipwordCaseSensitive);
    EXPECT_FALSE(s.snipwordUseSuffix);
    EXPECT_EQ(s.snipwordPrefixKeys, ";;");
}

}  // namespace
}  // namespace qln::gui
