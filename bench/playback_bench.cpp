// Playback speed: characters of macro text per second into a sink that drops every event.
#include <benchmark/benchmark.h>

#include <string>

#include "platform/sim/SimDesktop.h"
#include "platform/sim/SimInputSink.h"
#include "playback/CommandEffects.h"
#include "playback/PlaybackSession.h"

namespace {

std::string repeatTo(std::string_view unit, std::size_t size) {
    std::string text;
    while (text.size() < size) text += unit;
    text.resize(size);
    return text;
}

std::string plainLetters() { return repeatTo("TheQuickBrownFoxJumpsOverTheLazyDog", 5000); }

// Keys, delays (free under speed 0), mouse tags and dates, with a little text between them.
std::string denseTags() {
    std::string text = "<SPEED:00000>";
    const std::string unit =
        "<TAB>ab<DELAY:01.00><ENTER><LCLK><MMS:00100,00200><MM/DD/YYYY{Y}><F5><SHIFT>x<WFW:003>"
        "<MSD:0250><hh:mm:ss{N}><RDCLK><KEYP7><DD Mmmmm YYYY{NP001}><CTLD>c<CTLU><ALT:065>";
    while (text.size() + unit.size() <= 5000) text += unit;
    return text + repeatTo("z", 5000 - text.size());
}

void play(benchmark::State& state, const std::string& text) {
    qln::sim::SimDesktop desktop({});
    qln::sim::NullInputSink sink;
    qln::Platform platform = desktop.platform();
    const qln::Platform fast{.input = sink,
                             .layout = platform.layout,
                             .screen = platform.screen,
                             .clock = platform.clock,
                             .pump = platform.pump,
                             .hook = platform.hook,
                             .prompts = platform.prompts,
                             .app = platform.app,
                             .windows = platform.windows,
                             .timers = platform.timers,
                             .processes = platform.processes,
                             .clipboard = platform.clipboard,
                             .shell = platform.shell,
                             .sound = platform.sound};
    qln::NullCommandEffects effects;
    qln::PlaybackSession session(fast, nullptr, &effects);
    qln::Player& player = session.player();
    const qln::PlaybackMacro macro{"bench", 0, text};
    for (auto _ : state) {
        player.IntoProgram(macro);
        benchmark::DoNotOptimize(sink.keyEvents());
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(text.size()));
    state.counters["chars"] = static_cast<double>(text.size());
}

void BM_PlainLetters(benchmark::State& state) { play(state, plainLetters()); }
void BM_DenseTags(benchmark::State& state) { play(state, denseTags()); }

}  // namespace

BENCHMARK(BM_PlainLetters);
BENCHMARK(BM_DenseTags);
BENCHMARK_MAIN();
