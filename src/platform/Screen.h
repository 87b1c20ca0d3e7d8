#pragma once

#include "platform/Types.h"

namespace qln {

class IScreen {
public:
    virtual ~IScreen() = default;
    virtual ScreenSize primaryScreenSize() const = 0;
};

}  // namespace qln
