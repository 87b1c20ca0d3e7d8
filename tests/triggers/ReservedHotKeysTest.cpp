#include "triggers/ReservedHotKeys.h"

#include <gtest/gtest.h>

#include "store/HotKeyNames.h"

namespace qln {
namespace {

// Exactly the twelve Ctrl+Alt function keys are kept by the server, found by their names.
TEST(ReservedHotKeys, OnlyCtrlAltFunctionKeys) {
    int reserved = 0;
    for (int code = 0; code < HotKeyCount; ++code) {
        const std::string& name = hotKeyName(code);
        const bool ctrlAltF = name.starts_with("Ctrl+Alt+F") && name.size() > 10;
        EXPECT_EQ(serverReservedHotKey(code), ctrlAltF) << code << " " << name;
        reserved += serverReservedHotKey(code) ? 1 : 0;
    }
    EXPECT_EQ(reserved, 12);
    EXPECT_FALSE(serverReservedHotKey(10000));
    EXPECT_FALSE(serverReservedHotKey(-1));
}

}  // namespace
}  // namespace qln
