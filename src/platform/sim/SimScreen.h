#pragma once

#include "platform/Screen.h"

namespace qln::sim {

class SimScreen : public IScreen {
public:
    explicit SimScreen(ScreenSize size = {1024, 768}) : size_(size) {}
    ScreenSize primaryScreenSize() const override { return size_; }
    void setSize(ScreenSize size) { size_ = size; }

private:
    ScreenSize size_;
};

}  // namespace qln::sim
