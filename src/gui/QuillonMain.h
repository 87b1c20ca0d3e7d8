#pragma once

namespace qln::gui {

// The program: start-up, the event loop, shutdown.  Returns the exit code.
int quillonMain(int argc, char** argv);

}  // namespace qln::gui
