#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Shell.h"
#include "platform/x11/X11Display.h"
#include "platform/x11/X11Events.h"

namespace qln::x11 {

// The CLIPBOARD selection.  Putting text on it makes us its owner: a hidden window of ours answers every
// program that pastes (UTF-8, Latin-1 and the usual text targets; large texts in INCR pieces) until another
// program takes the clipboard over.  When we close while still owning it, a clipboard manager, if one runs, is
// asked to keep a copy.
class X11Clipboard : public IClipboard {
public:
    X11Clipboard(X11Events& events, const IClock& clock);
    ~X11Clipboard() override;
    X11Clipboard(const X11Clipboard&) = delete;
    X11Clipboard& operator=(const X11Clipboard&) = delete;

    void setText(std::string_view text) override;
    std::string text() const override;
    bool owned() const { return owned_; }

private:
    struct Transfer;  // one INCR transfer to a requestor
    bool handleEvent(void* event);
    void serve(void* request);
    // Puts the data on the requestor's property, in INCR pieces when it is large.  false: refused.
    bool answer(unsigned long requestor, unsigned long property, unsigned long type, const std::string& bytes);
    void sendNextPiece(Transfer& t);
    void dropStaleTransfers();
    unsigned long serverTime();
    void handOverToManager();
    // Events the hand-over waits for: the manager's answer, requests to us, transfers of ours going on.
    bool isOwnEvent(const void* event) const;
    unsigned long atom(const char* name) const;

    X11Events& events_;
    X11Display& display_;
    const IClock& clock_;
    unsigned long window_ = 0;
    int filter_ = 0;
    bool owned_ = false;
    unsigned long ownedSince_ = 0;
    std::string text_;   // Windows-1252
    std::string utf8_;
    std::string latin1_;
    std::size_t pieceBytes_ = 0;
    std::vector<Transfer> transfers_;
};

}  // namespace qln::x11
