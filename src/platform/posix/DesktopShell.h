#pragma once

#include "platform/Shell.h"

namespace qln::posix {

// The desktop's "open": programs start directly with their arguments; documents, folders and addresses go to
// xdg-open, which hands them to the user's chosen application.  Failures are silent: the macro goes on.
class DesktopShell : public IShell {
public:
    void open(std::string_view target, std::string_view arguments) override;
};

}  // namespace qln::posix
