#pragma once

#include "platform/Prompts.h"
#include "platform/sim/EventTrace.h"

namespace qln::sim {

// Quillon's own main window and taskbar button on the simulated desktop.
class SimAppWindow : public IAppWindow {
public:
    explicit SimAppWindow(EventTrace& trace) : trace_(trace) {}

    bool isMinimised() const override { return minimised_; }
    void restore() override { set(minimised_, false, "app restore"); }
    void minimise() override { set(minimised_, true, "app minimise"); }
    void showMainWindow() override { set(mainVisible_, true, "app main-window show"); }
    void hideMainWindow() override { set(mainVisible_, false, "app main-window hide"); }
    void showTaskbarWindow() override { set(taskbarVisible_, true, "app taskbar show"); }
    void hideTaskbarWindow() override { set(taskbarVisible_, false, "app taskbar hide"); }

    bool mainWindowVisible() const { return mainVisible_; }
    bool taskbarVisible() const { return taskbarVisible_; }
    // Set-up for tests, not traced.
    void setMinimised(bool m) { minimised_ = m; }

private:
    void set(bool& field, bool value, const char* event) {
        field = value;
        trace_.add(event);
    }
    EventTrace& trace_;
    bool minimised_ = false;
    bool mainVisible_ = true;
    bool taskbarVisible_ = false;
};

}  // namespace qln::sim
