#include "store/HotKeyNames.h"

#include <array>
#include <span>

namespace qln {

namespace {

struct Entry {
    std::string name;
    DecipheredKey key;
};

// Modifier orders shared by several groups.  Constants, not vectors: a name looked up from another file's static
// objects (before this file's dynamic initialisation) must find the whole table.
constexpr std::string_view kM7[] = {"Ctrl", "Alt", "Shift", "Ctrl+Shift", "Alt+Shift", "Ctrl+Alt", "Ctrl+Alt+Shift"};
constexpr std::string_view kM6[] = {"Ctrl", "Alt", "Ctrl+Shift", "Alt+Shift", "Ctrl+Alt", "Ctrl+Alt+Shift"};
constexpr std::string_view kM5[] = {"Ctrl", "Alt", "Shift", "Ctrl+Shift", "Alt+Shift"};

struct Key {
    std::string name;
    std::uint16_t vk;
};

std::vector<Key> fortyEightKeys() {
    std::vector<Key> keys;
    for (char c = 'A'; c <= 'Z'; ++c) keys.push_back({std::string(1, c), static_cast<std::uint16_t>(c)});
    for (char c = '0'; c <= '9'; ++c) keys.push_back({std::string(1, c), static_cast<std::uint16_t>(c)});
    for (int f = 1; f <= 12; ++f) keys.push_back({"F" + std::to_string(f), static_cast<std::uint16_t>(111 + f)});
    return keys;
}

class Table {
public:
    Table() {
        const auto keys = fortyEightKeys();
        for (std::string_view mods : {"Ctrl", "Alt", "Ctrl+Shift", "Ctrl+Alt", "Alt+Shift", "Ctrl+Alt+Shift"})
            for (const Key& k : keys) add(std::string(mods) + "+" + k.name, k.vk);
        for (int f = 1; f <= 12; ++f) add("F" + std::to_string(f), static_cast<std::uint16_t>(111 + f));
        for (int f = 1; f <= 12; ++f) add("Shift+F" + std::to_string(f), static_cast<std::uint16_t>(111 + f));
        withModifiers(kM7, "Enter", 13);
        for (std::string_view mods : {"Ctrl", "Shift", "Ctrl+Shift", "Ctrl+Alt", "Ctrl+Alt+Shift"})
            add(std::string(mods) + "+Tab", 9);
        withModifiers(kM7, "Backspace", 8);
        withModifiers(kM7, "Space", 32);
        withModifiers(kM7, "Insert", 45);
        withModifiers(kM5, "Delete", 46);
        withModifiers(kM7, "Home", 36);
        withModifiers(kM7, "End", 35);
        const std::array<Key, 11> punctuation = {{{".", 190}, {",", 188}, {"/", 191}, {";", 186}, {"'", 222},
                                                  {"\\", 220}, {"[", 219}, {"]", 221}, {"-", 189}, {"=", 187},
                                                  {"`", 192}}};
        for (const Key& k : punctuation) withModifiers(kM6, k.name, k.vk);
        const std::array<Key, 4> keypad = {{{"/", 111}, {"*", 106}, {"-", 109}, {"+", 107}}};
        for (const Key& k : keypad) {
            add("KeyPad " + k.name, k.vk);
            add("Ctrl+Keypad " + k.name, k.vk);
            add("Alt+Keypad " + k.name, k.vk);
            add("Shift+KeyPad " + k.name, k.vk);
            add("Ctrl+Shift+Keypad " + k.name, k.vk);
            add("Alt+Shift+Keypad " + k.name, k.vk);
            add("Ctrl+Alt+Keypad " + k.name, k.vk);
            add("Ctrl+Alt+Shift+Keypad " + k.name, k.vk);
        }
        const std::array<Key, 10> navigation = {{{"Insert", 45}, {"Delete", 46}, {"Home", 36}, {"End", 35},
                                                 {"Page Up", 33}, {"Page Down", 34}, {"Left Arrow", 37},
                                                 {"Right Arrow", 39}, {"Up Arrow", 38}, {"Down Arrow", 40}}};
        for (const Key& k : navigation) add(k.name, k.vk);
        for (std::size_t i = 4; i < navigation.size(); ++i) withModifiers(kM7, navigation[i].name, navigation[i].vk);
        for (int d = 0; d <= 9; ++d) {
            const auto vk = static_cast<std::uint16_t>(96 + d);
            const std::string digit = std::to_string(d);
            add("KeyPad " + digit, vk);
            add("Ctrl+Keypad " + digit, vk);
            add("Alt+Keypad " + digit, vk);
            add("Ctrl+Alt+Keypad " + digit, vk);
        }
        for (std::string_view mods : {"Win", "Win+Ctrl", "Win+Alt"})
            for (const Key& k : keys) add(std::string(mods) + "+" + k.name, k.vk);
        add("ESC", 27);
        for (std::string_view button : {"LMouse", "RMouse", "MMouse"})
            for (std::string_view mods : {"", "Shift+", "Ctrl+", "Alt+", "Ctrl+Shift+", "Ctrl+Alt+", "Shift+Alt+"})
                add(std::string(mods) + std::string(button), 0);
    }

    const std::vector<Entry>& entries() const { return entries_; }

private:
    void withModifiers(std::span<const std::string_view> mods, const std::string& key, std::uint16_t vk) {
        for (std::string_view m : mods) add(std::string(m) + "+" + key, vk);
    }

    void add(std::string name, std::uint16_t vk) {
        Entry e;
        // The flags follow the words of the full name, before it is cut to fit the table.
        e.key.vk = vk;
        e.key.ctrl = name.find("Ctrl") != std::string::npos;
        e.key.alt = name.find("Alt") != std::string::npos;
        e.key.shift = name.find("Shift") != std::string::npos;
        e.key.win = name.find("Win") != std::string::npos;
        if (name.ends_with("Mouse")) e.key.mouseButton = name.ends_with("LMouse") ? 1 : name.ends_with("RMouse") ? 2 : 3;
        if (name.size() > 24) name.resize(24);
        e.name = std::move(name);
        entries_.push_back(std::move(e));
    }

    std::vector<Entry> entries_;
};

const Table& table() {
    static const Table t;
    return t;
}

}  // namespace

const std::string& hotKeyName(int code) {
    static const std::string none;
    const auto& e = table().entries();
    return code >= 0 && code < static_cast<int>(e.size()) ? e[static_cast<std::size_t>(code)].name : none;
}

std::vector<std::uint8_t> hotKeyNameSlots() {
    std::vector<std::uint8_t> slots(static_cast<std::size_t>(HotKeyCount) * 25, 0);
    for (int code = 0; code < HotKeyCount; ++code) {
        const std::string& n = hotKeyName(code);
        auto* slot = &slots[static_cast<std::size_t>(code) * 25];
        slot[0] = static_cast<std::uint8_t>(n.size());
        for (std::size_t i = 0; i < n.size(); ++i) slot[i + 1] = static_cast<std::uint8_t>(n[i]);
    }
    return slots;
}

DecipheredKey DecipherKey(int code) {
    const auto& e = table().entries();
    return code >= 0 && code < static_cast<int>(e.size()) ? e[static_cast<std::size_t>(code)].key : DecipheredKey{};
}

}  // namespace qln
