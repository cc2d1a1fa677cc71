// The ruby proposal's speed with the installed dictionary: creating the
// analyser (the dictionary is memory-mapped) and proposing for one caption
// line, as the program and `Qucapcmd ruby` do.
#include <benchmark/benchmark.h>

#include <array>
#include <string_view>

#include "app/ruby/mecab_analyser.h"
#include "app/ruby/ruby_proposal.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr std::array<std::u16string_view, 4> kLines{u"雨が降り続いている", u"字幕を付けて見てください",
                                                    u"三本の木と一人の男", u"東京都の天気は晴れのち曇りでしょう"};

std::unique_ptr<MecabAnalyser> analyser(benchmark::State& state) {
    std::u16string error;
    std::unique_ptr<MecabAnalyser> opened = MecabAnalyser::open(fromUtf8(QUCAP_TEST_IPADIC), u"dic\\ipadic", error);
    if (!opened) state.SkipWithError(toUtf8(error).c_str());
    return opened;
}

void BM_OpenAnalyser(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(analyser(state));
}
BENCHMARK(BM_OpenAnalyser)->Unit(benchmark::kMillisecond);

// What the first ルビ候補 of a program start costs: the analyser opened, one line proposed.
void BM_FirstProposal(benchmark::State& state) {
    for (auto _ : state) {
        const std::unique_ptr<MecabAnalyser> opened = analyser(state);
        if (!opened) return;
        benchmark::DoNotOptimize(proposeRuby(kLines[0], *opened, RubyWordList{}));
    }
}
BENCHMARK(BM_FirstProposal)->Unit(benchmark::kMillisecond);

void BM_ProposeLine(benchmark::State& state) {
    const std::unique_ptr<MecabAnalyser> opened = analyser(state);
    if (!opened) return;
    const RubyWordList words;
    std::size_t line = 0;
    for (auto _ : state) benchmark::DoNotOptimize(proposeRuby(kLines[line++ % kLines.size()], *opened, words));
}
BENCHMARK(BM_ProposeLine)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qucap

BENCHMARK_MAIN();
