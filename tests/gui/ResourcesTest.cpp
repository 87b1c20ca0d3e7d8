// The program's pictures are built in and draw at the tray's and the tool bar's smallest size.
#include <gtest/gtest.h>

#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <QString>

// The pictures are compiled into the gui library, a static one: the linker takes them in only when something
// names them, so the program (and this test) asks for them by name.  The macro must stand outside any namespace.
static void loadQuillonResources() {
    Q_INIT_RESOURCE(quillon);
}

namespace qln {
namespace {

bool drawsSomething(const QPixmap& pixmap) {
    const QImage image = pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) != 0) return true;
    return false;
}

TEST(Resources, EveryIconLoadsAndDrawsAtSixteenPixels) {
    loadQuillonResources();
    const char* names[] = {"quillon",          "recording",          "menu",           "toolbar/add",
                           "toolbar/script",   "toolbar/copy",       "toolbar/delete", "toolbar/print",
                           "toolbar/import",   "toolbar/export",     "toolbar/help",   "toolbar/open",
                           "toolbar/new",      "toolbar/appearance", "toolbar/modify", "toolbar/recapture",
                           "toolbar/activate", "toolbar/sort",       "toolbar/rename"};
    for (const char* name : names) {
        const QString path = QString(":/icons/%1.svg").arg(QString::fromLatin1(name));
        const QIcon icon(path);
        ASSERT_FALSE(icon.isNull()) << name;
        const QPixmap pixmap = icon.pixmap(16, 16);
        ASSERT_FALSE(pixmap.isNull()) << name;
        EXPECT_EQ(pixmap.size(), QSize(16, 16)) << name;
        EXPECT_TRUE(drawsSomething(pixmap)) << name << " draws nothing";
    }
}

TEST(Resources, AMissingIconIsEmptyNotAnError) {
    loadQuillonResources();
    EXPECT_TRUE(QIcon(":/icons/toolbar/no-such-picture.svg").pixmap(16, 16).isNull());
}

}  // namespace
}  // namespace qln
