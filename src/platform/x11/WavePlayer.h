#pragma once

#include <string>
#include <vector>

#include "platform/Clock.h"
#include "platform/Shell.h"
#include "platform/x11/X11Display.h"
#include "platform/DescriptorWatch.h"
#include "platform/MessagePump.h"

namespace qln::x11 {

// Sounds: the beep is the X server's bell; wave files go to a command-line player of the system (PipeWire's,
// PulseAudio's or ALSA's, whichever is installed).  While a macro waits for a sound to end, the program's event
// loop keeps running.
class WavePlayer : public ISound {
public:
    // An empty command picks the first player found in PATH; the file name is added after the command.
    WavePlayer(X11Display& display, IMessagePump& pump, IDescriptorWatch& watch, const IClock& clock,
               std::vector<std::string> command = {})
        : display_(display), pump_(pump), watch_(watch), clock_(clock), command_(std::move(command)) {}

    void beep() override;
    void playWave(std::string_view file, bool waitUntilDone) override;

private:
    // The player's program file and its arguments before the file name; empty when none is installed.
    std::vector<std::string> playerCommand() const;
    void waitFor(int pid, int pidfd, std::uint64_t longestMs);
    bool waitForExit(int pidfd, std::uint64_t longestMs);

    X11Display& display_;
    IMessagePump& pump_;
    IDescriptorWatch& watch_;
    const IClock& clock_;
    std::vector<std::string> command_;
};

}  // namespace qln::x11
