#include "platform/x11/ProcessNotes.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <random>
#include <sstream>

namespace qln::x11 {

std::string processStartTime(long pid) {
    std::ifstream in("/proc/" + std::to_string(pid) + "/stat");
    std::string stat((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    const auto close = stat.rfind(')');
    if (close == std::string::npos) return {};
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    for (int i = 3; i <= 22 && fields >> field; ++i) {
        if (i == 22) return field;
    }
    return {};
}

bool processRunning(long pid, const std::string& started) {
    if (pid <= 0) return false;
    if (::kill(static_cast<pid_t>(pid), 0) != 0 && errno == ESRCH) return false;
    return processStartTime(pid) == started;
}

std::string noteName(std::string displayName) {
    for (char& c : displayName)
        if (c == '/' || c == ':' || c == ' ') c = '_';
    return displayName;
}

std::string serverToken(X11Display& display) {
    Display* d = display.get();
    const Atom property = XInternAtom(d, "_QUILLON_SERVER", False);
    // Grabbed, so that two of our programs starting at once agree on one token.
    XGrabServer(d);
    Atom type = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    std::string token;
    if (XGetWindowProperty(d, DefaultRootWindow(d), property, 0, 16, False, XA_STRING, &type, &format, &count, &after,
                           &data) == Success &&
        data != nullptr && type == XA_STRING && format == 8)
        token.assign(reinterpret_cast<const char*>(data), count);
    if (data != nullptr) XFree(data);
    if (token.empty()) {
        std::random_device random;
        char hex[33];
        std::snprintf(hex, sizeof hex, "%08x%08x%08x%08x", random(), random(), random(), random());
        token = hex;
        XChangeProperty(d, DefaultRootWindow(d), property, XA_STRING, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(token.data()), static_cast<int>(token.size()));
    }
    XUngrabServer(d);
    XSync(d, False);
    return token;
}

NoteWriter NoteWriter::self(X11Display& display) {
    const char* name = DisplayString(display.get());
    return {::getpid(), processStartTime(::getpid()), static_cast<long>(::geteuid()), name != nullptr ? name : "",
            serverToken(display)};
}

std::string NoteWriter::lines() const {
    return "pid " + std::to_string(pid) + ' ' + started + "\nuid " + std::to_string(uid) + "\ndisplay " + display +
           "\nserver " + server + '\n';
}

std::optional<NoteWriter> NoteWriter::read(std::istream& note) {
    NoteWriter w;
    std::string pid, uid, display, server;
    if (!(note >> pid >> w.pid >> w.started >> uid >> w.uid >> display >> w.display >> server >> w.server))
        return std::nullopt;
    if (pid != "pid" || uid != "uid" || display != "display" || server != "server") return std::nullopt;
    note.ignore(1);  // the rest of the line: what follows is the note's own
    return w;
}

NoteFate fateOf(const std::optional<NoteWriter>& writer, const NoteWriter& self) {
    if (!writer || writer->uid != self.uid || writer->display != self.display) return NoteFate::Remove;
    if (writer->pid == self.pid && writer->started == self.started) return NoteFate::Keep;
    if (processRunning(writer->pid, writer->started)) return NoteFate::Keep;
    return writer->server == self.server ? NoteFate::Undo : NoteFate::Remove;
}

}  // namespace qln::x11
