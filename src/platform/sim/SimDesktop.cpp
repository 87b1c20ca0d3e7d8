#include "platform/sim/SimDesktop.h"

namespace qln::sim {

SimDesktop::SimDesktop(const SimDesktopOptions& options)
    : clock_(options.start),
      trace_(clock_),
      input_(trace_, layout_),
      screen_(options.screen),
      pump_(clock_),
      hook_(&clock_),
      prompts_(trace_, pump_),
      app_(trace_),
      windows_(trace_) {
    layout_.setCapsLock(options.capsLock);
}

Platform SimDesktop::platform() {
    return Platform{input_, layout_, screen_, clock_, pump_, hook_, prompts_, app_, windows_, pump_};
}

}  // namespace qln::sim
