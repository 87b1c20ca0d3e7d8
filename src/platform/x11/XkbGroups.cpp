#include "platform/x11/XkbGroups.h"

#include <X11/XKBlib.h>

namespace qln::x11 {

int effectiveGroup(const _XkbDesc* xkb, int key, int group) {
    const int groups = XkbKeyNumGroups(xkb, key);
    if (groups == 0) return -1;
    if (group < groups) return group;
    const unsigned info = XkbKeyGroupInfo(xkb, key);
    switch (XkbOutOfRangeGroupAction(info)) {
        case XkbRedirectIntoRange: {
            const int g = XkbOutOfRangeGroupNumber(info);
            return g < groups ? g : 0;
        }
        case XkbClampIntoRange:
            return groups - 1;
        default:
            return group % groups;
    }
}

}  // namespace qln::x11
