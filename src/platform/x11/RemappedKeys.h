#pragma once

#include <bitset>
#include <cstdint>
#include <vector>

#include "platform/x11/X11Display.h"

namespace qln::x11 {

// The keys our keyboard remapper has changed, on a property of the root window: the typing side stays off them
// (remapping is for the user's keys; a macro types the characters its text says, through spare keycodes where
// the layout's key now types something else).  Every program of ours on the display reads the same list.
void publishRemappedKeys(X11Display& display, const std::vector<std::uint8_t>& keycodes);
std::bitset<256> readRemappedKeys(X11Display& display);
// The property's atom, to notice its changes.
unsigned long remappedKeysAtom(X11Display& display);

}  // namespace qln::x11
