#pragma once

// Xlib's keyboard description; the header stays free of X11's own headers.
struct _XkbDesc;

namespace qln::x11 {

// The group a key shows for the layout's group `group`, when the key has fewer groups (its out-of-range rule:
// redirect, clamp or wrap); -1 for a key without groups.
int effectiveGroup(const _XkbDesc* xkb, int key, int group);

}  // namespace qln::x11
