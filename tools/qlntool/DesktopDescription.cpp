#include "DesktopDescription.h"

#include <map>
#include <nlohmann/json.hpp>

#include "core/AtomicFile.h"
#include "core/FileError.h"
#include "core/Win1252.h"

namespace qln::tool {

namespace {

using nlohmann::json;

std::string text(const json& j) { return utf8ToWin1252(j.get<std::string>()); }

Rect rectOf(const json& j) {
    if (!j.is_array() || j.size() != 4) throw std::runtime_error("a rect is [left, top, right, bottom]");
    return {j[0].get<int>(), j[1].get<int>(), j[2].get<int>(), j[3].get<int>()};
}

json parse(const std::string& path) {
    return json::parse(readWholeFile(path));
}

std::string problem(const std::string& path, const std::string& what) { return path + ": " + what; }

}  // namespace

std::string readDesktopScreen(const std::string& path, ScreenSize& screen) {
    try {
        const json d = parse(path);
        if (!d.is_object()) return problem(path, "the description must be a JSON object");
        if (d.contains("screen")) {
            const json& s = d.at("screen");
            screen = {s.at("width").get<int>(), s.at("height").get<int>()};
            if (screen.width < 1 || screen.height < 1) return problem(path, "the screen must be at least 1x1");
        }
        return {};
    } catch (const FileError& e) {
        return e.what();
    } catch (const std::exception& e) {
        return problem(path, e.what());
    }
}

std::string loadDesktopDescription(const std::string& path, sim::SimDesktop& desktop) {
    try {
        const json d = parse(path);
        std::map<std::string, std::uint32_t> pids;
        auto pidOf = [&](const std::string& program) {
            auto it = pids.find(program);
            if (it == pids.end()) it = pids.emplace(program, desktop.processes().start(program)).first;
            return it->second;
        };
        for (const json& p : d.value("programs", json::array())) pidOf(text(p));
        std::map<std::string, WindowHandle> byTitle;
        WindowHandle firstVisible = 0;
        for (const json& w : d.value("windows", json::array())) {
            sim::SimDesktopWindows::Window win;
            win.title = text(w.at("title"));
            win.pid = pidOf(w.contains("program") ? text(w.at("program")) : std::string("PROGRAM.EXE"));
            win.rect = w.contains("rect") ? rectOf(w.at("rect")) : Rect{0, 0, 640, 480};
            const std::string state = w.value("state", "normal");
            if (state == "minimised") win.minimised = true;
            else if (state == "hidden") win.hidden = true;
            else if (state == "maximised") win.maximised = true;
            else if (state != "normal") return problem(path, "unknown window state \"" + state + "\"");
            if (w.contains("parent")) {
                const auto parent = byTitle.find(text(w.at("parent")));
                if (parent == byTitle.end()) return problem(path, "a parent must be listed before its child");
                win.parent = parent->second;
            }
            const WindowHandle h = desktop.windows().addWindow(win);
            byTitle.emplace(win.title, h);
            if (firstVisible == 0 && !win.hidden && win.parent == 0) firstVisible = h;
        }
        WindowHandle front = firstVisible;
        if (d.contains("foreground")) {
            const auto f = byTitle.find(text(d.at("foreground")));
            if (f == byTitle.end()) return problem(path, "the foreground window is not among the windows");
            front = f->second;
        }
        desktop.windows().setForeground(front);
        if (d.contains("clipboard")) desktop.clipboard().preset(text(d.at("clipboard")));
        for (const json& l : d.value("launch", json::array())) {
            sim::SimShell::Launchable launchable;
            launchable.program = text(l.at("program"));
            launchable.title = text(l.at("title"));
            const double after = l.value("after", 0.0);
            if (after < 0 || after > 86400) return problem(path, "\"after\" is seconds from 0 to 86400");
            launchable.afterMs = static_cast<std::uint32_t>(after * 1000);
            if (l.contains("rect")) launchable.rect = rectOf(l.at("rect"));
            desktop.shell().addLaunchable(launchable);
        }
        return {};
    } catch (const FileError& e) {
        return e.what();
    } catch (const std::exception& e) {
        return problem(path, e.what());
    }
}

std::string dumpDesktop(sim::SimDesktop& desktop) {
    const auto& windows = desktop.windows();
    std::string out = "desktop screen " + std::to_string(desktop.screen().primaryScreenSize().width) + "x" +
                      std::to_string(desktop.screen().primaryScreenSize().height) + "\n";
    const WindowHandle fg = windows.foregroundWindow();
    out += "desktop foreground " + std::to_string(fg) + " " + sim::EventTrace::quote(windows.windowTitle(fg)) + "\n";
    for (const auto& w : windows.windows()) {
        std::string program;
        for (const auto& p : desktop.processes().processes())
            if (p.pid == w.pid) program = p.programFile;
        const char* state = w.hidden ? "hidden" : w.minimised ? "minimised" : w.maximised ? "maximised" : "normal";
        out += "desktop window " + std::to_string(w.handle) + " " + sim::EventTrace::quote(w.title) +
               " program=" + sim::EventTrace::quote(program) + " rect=" + std::to_string(w.rect.left) + "," +
               std::to_string(w.rect.top) + "," + std::to_string(w.rect.right) + "," + std::to_string(w.rect.bottom) +
               " state=" + state + (w.parent ? " parent=" + std::to_string(w.parent) : std::string()) + "\n";
    }
    for (const auto& p : desktop.processes().processes())
        out += "desktop program " + std::to_string(p.pid) + " " + sim::EventTrace::quote(p.programFile) + "\n";
    out += "desktop clipboard " + sim::EventTrace::quote(desktop.clipboard().text()) + "\n";
    return out;
}

}  // namespace qln::tool
