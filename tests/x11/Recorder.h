#pragma once

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "XvfbSession.h"

namespace qln::test {

// A text for the shell, in single quotes.
inline std::string quoted(const std::string& s) {
    std::string q = "'";
    for (const char c : s) q += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return q + "'";
}

// Starts the recorder (a client that writes what it receives), plays the macro with qlntool followed by Escape,
// and returns what the recorder received.
inline std::string typeInto(const XvfbSession& x, const std::string& macro) {
    const std::string env = "DISPLAY=" + x.display() + " ";
    // A fresh server may turn the first client away for a moment: try the recorder a few times.
    FILE* recorder = nullptr;
    for (int attempt = 0; attempt < 5 && recorder == nullptr; ++attempt) {
        recorder = ::popen((env + QLN_X11_RECORDER).c_str(), "r");
        char line[64] = {};
        if (recorder != nullptr && (std::fgets(line, sizeof line, recorder) == nullptr || std::string(line) != "ready\n")) {
            ::pclose(recorder);
            recorder = nullptr;
            ::usleep(200000);
        }
    }
    if (recorder == nullptr) return "(recorder not ready)";
    const int rc = std::system((env + QLN_QLNTOOL + " play --x11 --text " + quoted(macro + "<ESC>")).c_str());
    std::string received;
    char buffer[256];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, recorder)) received.append(buffer, n);
    ::pclose(recorder);
    return rc == 0 ? received : "(qlntool failed)";
}

}  // namespace qln::test
