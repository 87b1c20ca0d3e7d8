#include "Scenario.h"

#include <algorithm>
#include <charconv>
#include <stdexcept>

#include "core/TextCase.h"
#include "core/Win1252.h"
#include "store/HotKeyNames.h"
#include "store/PopupItems.h"

namespace qln::tool {

namespace {

using Kind = ScenarioEvent::Kind;

std::string_view trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return s;
}

// Words separated by blanks; "double quotes" keep blanks inside one word.
std::vector<std::string> words(std::string_view s) {
    std::vector<std::string> out;
    std::size_t i = 0;
    while (i < s.size()) {
        if (s[i] == ' ' || s[i] == '\t') {
            ++i;
            continue;
        }
        std::string w;
        if (s[i] == '"') {
            const std::size_t end = s.find('"', i + 1);
            if (end == std::string_view::npos) throw std::invalid_argument("a quote is not closed");
            w = s.substr(i + 1, end - i - 1);
            i = end + 1;
        } else {
            while (i < s.size() && s[i] != ' ' && s[i] != '\t') w += s[i++];
        }
        out.push_back(utf8ToWin1252(w));
    }
    return out;
}

std::uint64_t number(std::string_view s) {
    std::uint64_t v = 0;
    const auto [p, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (ec != std::errc() || p != s.data() + s.size())
        throw std::invalid_argument("'" + std::string(s) + "' is not a number");
    return v;
}

std::uint16_t codeOf(std::string_view name) {
    const int code = hotKeyCodeOf(name);
    if (code < 0) throw std::invalid_argument("no hot key is named '" + std::string(name) + "'");
    return static_cast<std::uint16_t>(code);
}

// "NICK | ACTIVATION | SCOPE | TEXT".
MacroRecord readMacro(std::string_view rest) {
    std::vector<std::string_view> f;
    for (int i = 0; i < 3; ++i) {
        const std::size_t bar = rest.find('|');
        if (bar == std::string_view::npos) throw std::invalid_argument("a macro has four fields separated by '|'");
        f.push_back(trim(rest.substr(0, bar)));
        rest.remove_prefix(bar + 1);
    }
    MacroRecord r;
    r.nickname = utf8ToWin1252(f[0]);
    r.setText(utf8ToWin1252(trim(rest)));
    const auto activation = words(f[1]);
    if (activation.size() == 2 && activation[0] == "snip") {
        r.hotKeyCode = HotKeySnipword;
        r.snipword = activation[1];
    } else if (activation.size() == 1 && activation[0] == "timed") {
        r.hotKeyCode = HotKeyTimed;
    } else {
        r.hotKeyCode = codeOf(trim(f[1]));
    }
    const auto scope = words(f[2]);
    if (scope.empty()) throw std::invalid_argument("a macro needs a scope");
    std::size_t next = 1;
    const std::string& kind = scope[0];
    if (kind == "global") {
        r.scope = ScopeGlobal;
    } else if (kind == "window" || kind == "program" || kind == "system") {
        if (scope.size() < 2) throw std::invalid_argument("'" + kind + "' needs a name");
        r.scope = kind == "window" ? ScopeWindow : kind == "program" ? ScopeProgram : ScopeSystem;
        r.windowName = scope[next++];
    } else if (kind == "popup") {
        if (scope.size() < 2) throw std::invalid_argument("'popup' needs its macro numbers, as 1,2,3");
        r.scope = ScopePopupMenu;
        std::vector<std::uint16_t> items;
        std::string_view list = scope[next++];
        while (!list.empty()) {
            const std::size_t comma = std::min(list.find(','), list.size());
            items.push_back(static_cast<std::uint16_t>(number(list.substr(0, comma))));
            list.remove_prefix(std::min(comma + 1, list.size()));
        }
        writePopupItems(r, items);
    } else {
        throw std::invalid_argument("unknown scope '" + kind + "'");
    }
    for (; next < scope.size(); ++next) {
        if (scope[next] == "top") {
            r.topMostOnly = 1;
        } else if (scope[next] == "inactive") {
            r.active = 0;
        } else if (scope[next] == "options" && next + 1 < scope.size()) {
            r.snipword = scope[++next];
        } else {
            throw std::invalid_argument("unknown word '" + scope[next] + "' in the scope");
        }
    }
    return r;
}

// Typed text with the keys that have no character of their own: {space} {enter} {bs} {tab}.
std::string typedKeys(std::string_view s) {
    static constexpr std::pair<std::string_view, char> kKeys[] = {{"{space}", ' '}, {"{enter}", '\r'}, {"{bs}", '\b'},
                                                                  {"{tab}", '\t'}};
    std::string out;
    for (std::size_t i = 0; i < s.size();) {
        bool named = false;
        for (const auto& [name, c] : kKeys) {
            if (s.substr(i).starts_with(name)) {
                out += c;
                i += name.size();
                named = true;
                break;
            }
        }
        if (!named) out += s[i++];
    }
    return out;
}

ScenarioEvent readEvent(std::string_view verb, std::string_view rest) {
    ScenarioEvent e;
    if (rest.ends_with("&")) {
        e.background = true;
        rest = trim(rest.substr(0, rest.size() - 1));
    }
    const auto w = words(rest);
    auto need = [&](std::size_t n) {
        if (w.size() < n) throw std::invalid_argument("'" + std::string(verb) + "' needs more");
    };
    if (verb == "window") {
        const std::size_t bar = rest.find('|');
        if (bar == std::string_view::npos) throw std::invalid_argument("a window is TITLE | PROGRAM [front]");
        e.kind = Kind::Window;
        e.text = utf8ToWin1252(trim(rest.substr(0, bar)));
        auto p = words(rest.substr(bar + 1));
        need(1);
        if (p.empty()) throw std::invalid_argument("a window needs its program");
        e.program = p[0];
        e.flag = p.size() > 1 && p[1] == "front";
    } else if (verb == "program") {
        need(1);
        e.kind = Kind::Program;
        e.text = w[0];
        e.flag = !(w.size() > 1 && w[1] == "system");
    } else if (verb == "front") {
        e.kind = Kind::Front;
        e.text = utf8ToWin1252(rest);
    } else if (verb == "press" || verb == "pause-press") {
        need(1);
        e.kind = Kind::Press;
        e.duringPause = verb == "pause-press";
        e.capsLock = w.size() > 1 && w.back() == "caps";
        e.code = codeOf(e.capsLock ? trim(rest.substr(0, rest.rfind("caps"))) : rest);
    } else if (verb == "type" || verb == "pause-type") {
        e.kind = Kind::Type;
        e.duringPause = verb == "pause-type";
        e.text = typedKeys(utf8ToWin1252(rest));
    } else if (verb == "reset") {
        e.kind = Kind::Reset;
    } else if (verb == "hold" || verb == "wait") {
        need(1);
        e.kind = verb == "hold" ? Kind::Hold : Kind::Wait;
        e.ms = number(w[0]);
    } else if (verb == "answer") {
        need(1);
        e.kind = Kind::Answer;
        e.text = w[0];
    } else if (verb == "menu") {
        need(1);
        e.kind = Kind::Menu;
        const char c = w[0].size() == 1 ? static_cast<char>(std::toupper(static_cast<unsigned char>(w[0][0]))) : 0;
        if (w[0] == "cancel") e.choice = -1;
        else if (c >= '0' && c <= '9') e.choice = c - '0';
        else if (c >= 'A' && c <= 'Z') e.choice = c - 'A' + 10;
        else throw std::invalid_argument("a menu choice is 0-9, A-Z or cancel");
    } else if (verb == "network-change") {
        e.kind = Kind::NetworkChange;
    } else if (verb == "capture") {
        need(1);
        e.kind = Kind::Capture;
        e.flag = w[0] == "on";
    } else {
        throw std::invalid_argument("unknown step '" + std::string(verb) + "'");
    }
    return e;
}

}  // namespace

int hotKeyCodeOf(std::string_view name) {
    const std::string wanted = upperWin1252(name);
    for (int c = 0; c < HotKeyCount; ++c)
        if (upperWin1252(hotKeyName(c)) == wanted) return c;
    return -1;
}

std::string parseScenario(std::string_view text, Scenario& out) {
    int line = 0;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find('\n'), text.size());
        const std::string_view raw = trim(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
        ++line;
        if (raw.empty() || raw.front() == '#') continue;
        const std::size_t space = std::min(raw.find(' '), raw.size());
        const std::string_view verb = raw.substr(0, space);
        const std::string_view rest = trim(raw.substr(space));
        try {
            if (verb == "macro") {
                out.macros.push_back(readMacro(rest));
            } else if (verb == "set") {
                const std::size_t eq = rest.find('=');
                if (eq == std::string_view::npos) throw std::invalid_argument("a setting is KEY = VALUE");
                out.settings.emplace_back(trim(rest.substr(0, eq)), utf8ToWin1252(trim(rest.substr(eq + 1))));
            } else {
                ScenarioEvent e = readEvent(verb, rest);
                e.line = line;
                out.events.push_back(std::move(e));
            }
        } catch (const std::invalid_argument& e) {
            return "line " + std::to_string(line) + ": " + e.what();
        }
    }
    return {};
}

}  // namespace qln::tool
