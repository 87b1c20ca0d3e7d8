// Loading a full macro file: 500 records, 2,582,500 bytes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "platform/sim/SimClock.h"
#include "platform/sim/SimHookLibrary.h"
#include "store/MacroFile.h"

namespace {

class Ignore : public qln::INotices {
public:
    void notice(std::string_view, std::string_view) override {}
};

std::string writeFullFile() {
    const std::string path =
        (std::filesystem::temp_directory_path() / ("quillon-bench-" + std::to_string(::getpid()) + ".QLN")).string();
    std::ofstream out(path, std::ios::binary);
    for (int n = 1; n <= 500; ++n) {
        qln::MacroRecord r = n <= 4 ? qln::systemMacro(static_cast<char>('0' + n), 46000) : qln::MacroRecord{};
        if (n > 4) {
            r.nickname = "Macro number " + std::to_string(n);
            r.hotKeyCode = static_cast<std::uint16_t>(n % 720);
            r.setText(std::string(4000, 'x'));
        }
        const qln::RecordBytes b = r.encode();
        out.write(reinterpret_cast<const char*>(b.data()), static_cast<std::streamsize>(b.size()));
    }
    return path;
}

void BM_LoadFiveHundredMacros(benchmark::State& state) {
    const std::string path = writeFullFile();
    qln::sim::SimClock clock({2026, 12, 9, 10, 0, 0, 0});
    qln::sim::SimHookLibrary hook;
    qln::TriggerTable table;
    qln::MacroNames names;
    qln::MacroTable macros(table, names, hook);
    Ignore ignore;
    qln::MacroFile file(macros, clock, ignore);
    for (auto _ : state) {
        file.load(path);
        hook.clearCalls();
        benchmark::DoNotOptimize(macros.count());
    }
    std::filesystem::remove(path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) * 500 * 5165);
}

}  // namespace

BENCHMARK(BM_LoadFiveHundredMacros)->Unit(benchmark::kMillisecond)->Repetitions(15)->ReportAggregatesOnly(true);
BENCHMARK_MAIN();
