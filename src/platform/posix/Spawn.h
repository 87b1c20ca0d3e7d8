#pragma once

#include <string>
#include <vector>

namespace qln::posix {

// Starts `file` (an absolute path) with the arguments, its standard input and output on /dev/null, in a session
// of its own.  It runs on independently: nothing waits for it, and no zombie is left when it ends.  false when
// it could not even be forked.
bool spawnDetached(const std::string& file, const std::vector<std::string>& arguments);

// Starts `file` as our own child, to be waited for.  pidfd becomes readable when the child has ended (-1 when the
// kernel cannot give one); the caller reaps the child with waitpid and closes the pidfd.
struct Child {
    int pid = -1;
    int pidfd = -1;
};
Child spawnChild(const std::string& file, const std::vector<std::string>& arguments);

}  // namespace qln::posix
