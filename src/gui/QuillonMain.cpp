#include "gui/QuillonMain.h"

#include <QApplication>

namespace qln::gui {

int quillonMain(int argc, char** argv) {
    QApplication app(argc, argv);
    return 0;
}

}  // namespace qln::gui
