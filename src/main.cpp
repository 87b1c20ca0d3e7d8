// The Quillon desktop program.  Its window, tray icon and hot key hooks are not built yet; until they are,
// this says so and points at what does work.
#include <cstdio>

int main() {
    std::puts(
        "Quillon: the desktop program (main window, tray icon, hot keys) is not built yet.\n"
        "What works today is macro playback on the simulated desktop, for example:\n"
        "  build/qlntool play --text 'Hello<ENTER><DELAY:00.50>World'\n"
        "See README.md for the status.");
    return 0;
}
