#pragma once

#include <cstdint>

namespace qln {

// A top-level window of the desktop; 0 means none.
using WindowHandle = std::uint32_t;

struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    bool operator==(const Rect&) const = default;
};

struct ScreenSize {
    int width = 0;
    int height = 0;
};

}  // namespace qln
