#include "hook/HotKeyGrabs.h"

#include <X11/Xlib.h>
#include <X11/Xproto.h>

#include <map>
#include <string>

#include "store/HotKeyNames.h"

namespace qln::hook {

namespace {
// The failed requests of one batch of grabs, by serial number.  Xlib reports errors to one handler for the whole
// process; the batch installs its own for as long as it waits for the server's answer.
Display* gDisplay = nullptr;
std::set<unsigned long>* gFailed = nullptr;
int (*gPrevious)(Display*, XErrorEvent*) = nullptr;

int noteError(Display* d, XErrorEvent* e) {
    if (d == gDisplay && gFailed != nullptr &&
        (e->request_code == X_GrabKey || e->request_code == X_GrabButton) && e->error_code == BadAccess) {
        gFailed->insert(e->serial);
        return 0;
    }
    return gPrevious != nullptr ? gPrevious(d, e) : 0;
}
}  // namespace

std::string HotKeyGrabs::refusalMessage(const std::vector<int>& codes) {
    if (codes.size() == 1)
        return "The hot key " + hotKeyName(codes.front()) + " cannot be used: another program has taken it.  Please "
               "close that program or choose another hot key.";
    std::string names;
    for (std::size_t i = 0; i < codes.size(); ++i)
        names += (i == 0 ? "" : i + 1 == codes.size() ? " and " : ", ") + hotKeyName(codes[i]);
    return "The hot keys " + names + " cannot be used: other programs have taken them.  Please close those "
           "programs or choose other hot keys.";
}

void HotKeyGrabs::apply(const std::vector<std::pair<int, Grab>>& wanted) {
    Display* d = display_.get();
    const Window root = DefaultRootWindow(d);
    std::set<Grab> want;
    for (const auto& [code, g] : wanted) want.insert(g);
    for (auto it = held_.begin(); it != held_.end();) {
        if (want.count(*it) != 0) {
            ++it;
            continue;
        }
        if (it->keycode != 0)
            XUngrabKey(d, it->keycode, it->modifiers, root);
        else
            XUngrabButton(d, it->button, it->modifiers, root);
        it = held_.erase(it);
    }
    std::set<unsigned long> failed;
    std::map<unsigned long, std::pair<int, Grab>> sent;
    gDisplay = d;
    gFailed = &failed;
    gPrevious = XSetErrorHandler(noteError);
    for (const auto& [code, g] : wanted) {
        if (held_.count(g) != 0) continue;
        sent.emplace(NextRequest(d), std::pair{code, g});
        if (g.keycode != 0)
            XGrabKey(d, g.keycode, g.modifiers, root, False, GrabModeAsync, GrabModeAsync);
        else
            XGrabButton(d, g.button, g.modifiers, root, False, ButtonPressMask | ButtonReleaseMask, GrabModeAsync,
                        GrabModeAsync, None, None);
    }
    XSync(d, False);
    XSetErrorHandler(gPrevious);
    gDisplay = nullptr;
    gFailed = nullptr;

    std::set<int> refusedNow;
    for (const auto& [serial, entry] : sent) {
        if (failed.count(serial) != 0)
            refusedNow.insert(entry.first);
        else
            held_.insert(entry.second);
    }
    // Refused grabs are never held, so they are asked again each time (the other program may have gone); a hot key
    // is reported when it becomes refused, not every time.
    std::vector<int> news;
    for (const int code : refusedNow)
        if (refused_.count(code) == 0) news.push_back(code);
    refused_ = std::move(refusedNow);
    if (!news.empty() && warn_) warn_(refusalMessage(news));
}

}  // namespace qln::hook
