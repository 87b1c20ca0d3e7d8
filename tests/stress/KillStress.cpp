// Kills writers of the macro file and of the settings file at random moments, many times over, and checks after
// each kill what a user would find: every macro record whole (old or new, never a mix), a settings file that is one
// version or the other, and no temporary files piling up.
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <thread>

#include "core/AtomicFile.h"
#include "platform/SystemClock.h"
#include "platform/sim/SimHookLibrary.h"
#include "store/MacroFile.h"

namespace {

namespace fs = std::filesystem;

class Quiet : public qln::INotices {
public:
    void notice(std::string_view, std::string_view) override {}
};

struct Set {
    qln::SystemClock clock;
    qln::sim::SimHookLibrary hook;
    qln::TriggerTable table;
    qln::MacroNames names;
    qln::MacroTable macros{table, names, hook};
    Quiet quiet;
    qln::MacroFile file{macros, clock, quiet};
};

qln::MacroRecord version(int k, int v) {
    qln::MacroRecord r;
    r.nickname = std::to_string(k) + "-" + std::to_string(v);
    r.hotKeyCode = 7;
    r.setText(std::string(4990, static_cast<char>('A' + v % 26)));
    return r;
}

std::string read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

template <typename Writer>
void killWhileWriting(std::mt19937& rng, Writer writer) {
    const pid_t child = ::fork();
    if (child == 0) {
        writer();
        ::_exit(0);
    }
    std::this_thread::sleep_for(std::chrono::microseconds(100 + rng() % 5000));
    ::kill(child, SIGKILL);
    ::waitpid(child, nullptr, 0);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: kill_stress FOLDER KILLS\n");
        return 2;
    }
    const std::string folder = argv[1];
    const int kills = std::atoi(argv[2]);
    fs::remove_all(folder);
    fs::create_directories(folder);
    const std::string macroFile = folder + "/SET.QLN", settings = folder + "/QUILN.INI";
    std::mt19937 rng(static_cast<unsigned>(::getpid()));
    int torn = 0, badSettings = 0;
    {
        Set set;
        set.file.load(macroFile);
    }
    qln::replaceFileContent(settings, std::string(100000, 'a'));
    for (int kill = 0; kill < kills; ++kill) {
        killWhileWriting(rng, [&] {
            Set set;
            set.file.load(macroFile);
            for (int v = kill;; ++v)
                for (int k = 1; k <= 8; ++k) set.file.store(std::min(k, set.macros.count() + 1), version(k, v));
        });
        Set check;
        check.file.load(macroFile);
        for (int n = 1; n <= check.macros.count(); ++n) {
            const auto r = check.file.read(n);
            if (!r || r->scope == qln::ScopeSystem) continue;
            const std::string text = r->text();
            const int v = std::atoi(r->nickname.substr(r->nickname.find('-') + 1).c_str());
            if (text != std::string(4990, static_cast<char>('A' + v % 26))) ++torn;
        }
        killWhileWriting(rng, [&] {
            for (int v = 0;; ++v) qln::replaceFileContent(settings, std::string(100000 + v % 7, static_cast<char>('a' + v % 26)));
        });
        const std::string s = read(settings);
        if (s.size() < 100000 || s != std::string(s.size(), s[0])) ++badSettings;
    }
    int leftovers = 0;
    std::string names;
    for (const auto& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (name == "SET.QLN" || name == "QUILN.INI") continue;
        ++leftovers;
        names += " " + name;
    }
    std::printf("%d kills of each writer: %d torn macro records, %d damaged settings files, %d files left beside them "
                "(temporary names live only between naming and renaming; the next write removes old ones)%s\n",
                kills, torn, badSettings, leftovers, names.c_str());
    fs::remove_all(folder);
    return torn == 0 && badSettings == 0 ? 0 : 1;
}
