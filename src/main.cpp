// The Quillon desktop program.
#ifdef QLN_WITHOUT_GUI
#include <cstdio>

int main() {
    std::puts("Quillon: this build has no desktop program (configured without the GUI or without X11).\n"
              "qlntool plays macros; see README.md.");
    return 1;
}
#else
#include "gui/QuillonMain.h"

int main(int argc, char** argv) { return qln::gui::quillonMain(argc, argv); }
#endif
