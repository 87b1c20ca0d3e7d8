#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

#include "platform/x11/X11Display.h"

namespace qln::x11 {

// Lists of keycodes our programs on a display keep on the root window for each other.
//
// The keys our keyboard remapper has changed: the typing side stays off them (remapping is for the user's keys; a
// macro types the characters its text says, through spare keycodes where the layout's key now types something
// else).
void publishRemappedKeys(X11Display& display, const std::vector<std::uint8_t>& keycodes);
std::bitset<256> readRemappedKeys(X11Display& display);
// The property's atom, to notice its changes.
unsigned long remappedKeysAtom(X11Display& display);

// The spare keycodes our typing borrows for characters the layout lacks (added to those another program of ours
// borrows): the remapper leaves them alone, or a character typed through one would come out remapped.
void addSpareKeycodes(X11Display& display, const std::vector<std::uint8_t>& keycodes);
std::bitset<256> readSpareKeycodes(X11Display& display);

}  // namespace qln::x11
