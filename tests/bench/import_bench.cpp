// The import of a 10,000-cue file of each format: decoding (the SRT export
// is UTF-16, the others UTF-8), the reader and
// the row rules, as `Qucapcmd import` runs them. The files are the exports'
// own (WebVTT, TTML, SRT) and an ASS file written here, each cue with two
// lines, colours, an effect and, where the format has it, ruby.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include "app/export/subtitles.h"
#include "app/export/ttml.h"
#include "app/export/webvtt.h"
#include "app/import/caption_import.h"
#include "app/import/caption_rows.h"
#include "captiondata/markup/markup.h"
#include "captiondata/text/decode.h"
#include "captiondata/text/u16.h"
#include "tests/support/platform_shiftjis.h"

namespace qucap {
namespace {

constexpr int kCues = 10'000;

std::vector<SubtitleRow> rows() {
    std::vector<SubtitleRow> rows;
    for (int i = 0; i < kCues; ++i) {
        SubtitleRow row;
        row.start = i * 2000;
        row.duration = 1500;
        row.line1Markup = u"$W$k$Y字幕$Wの見本" + toDecimal(i) + u"です";
        row.line1Ruby = u"字幕(じまく)見本(みほん)";
        row.line2Markup = u"$W$k$Hカブレン$h$C字幕付加$Wシステム";
        row.line2Ruby = u"付加(ふか)";
        row.vertical = i % 10 == 0;
        row.line1Plain = plainText(row.line1Markup);  // what the SRT export writes
        row.line2Plain = plainText(row.line2Markup);
        rows.push_back(row);
    }
    return rows;
}

std::string assBytes() {
    std::u16string file =
        u"[Script Info]\nScriptType: v4.00+\n\n[V4+ Styles]\n"
        u"Format: Name, Fontname, Fontsize, PrimaryColour, SecondaryColour, OutlineColour, BackColour, Bold, Italic, "
        u"Underline, StrikeOut, ScaleX, ScaleY, Spacing, Angle, BorderStyle, Outline, Shadow, Alignment, MarginL, "
        u"MarginR, MarginV, Encoding\n"
        u"Style: Default,IPAGothic,48,&H00FFFFFF,&H000000FF,&H00000000,&H00000000,0,0,0,0,100,100,0,0,1,2,0,2,10,10,"
        u"10,1\n\n[Events]\nFormat: Layer, Start, End, Style, Name, MarginL, MarginR, MarginV, Effect, Text\n";
    for (int i = 0; i < kCues; ++i) {
        const auto time = [](int ms) {
            const std::u16string cs = toDecimal(100 + ms / 10 % 100).substr(1);
            const std::u16string s = toDecimal(100 + ms / 1000 % 60).substr(1), m = toDecimal(100 + ms / 60000 % 60).substr(1);
            return toDecimal(ms / 3'600'000) + u":" + m + u":" + s + u"." + cs;
        };
        file += u"Dialogue: 0," + time(i * 2000) + u"," + time(i * 2000 + 1500) +
                u",Default,,0,0,0,,{\\c&H00FFFF&}字幕{\\c&HFFFFFF&}の見本" + toDecimal(i) +
                u"です\\N{\\b1}カブレン{\\b0}字幕付加システム\n";
    }
    return toUtf8(file);
}

void importFile(benchmark::State& state, ImportFormat format, const std::string& bytes) {
    for (auto _ : state) {
        const std::u16string text = decodeText(bytes, test::platformShiftJis()).text;
        const ImportedCaptions captions = formatInfo(format).read(text);
        const ImportedRows imported = importedRows(captions, defaultColourTable());
        benchmark::DoNotOptimize(imported.rows.data());
        if (imported.importedCount != std::size_t(kCues)) state.SkipWithError("not every cue became a row");
    }
    state.counters["MB"] = double(bytes.size()) / 1e6;
}

void BM_ImportWebVtt(benchmark::State& state) {
    static const std::string bytes = webVttBytes(rows(), defaultColourTable());
    importFile(state, ImportFormat::WebVtt, bytes);
}
void BM_ImportTtml(benchmark::State& state) {
    static const std::string bytes = ttmlBytes(rows(), CueStyle{});
    importFile(state, ImportFormat::Ttml, bytes);
}
void BM_ImportSrt(benchmark::State& state) {
    static const std::string bytes = srtBytes(rows());
    importFile(state, ImportFormat::Srt, bytes);
}
void BM_ImportAss(benchmark::State& state) {
    static const std::string bytes = assBytes();
    importFile(state, ImportFormat::Ass, bytes);
}

BENCHMARK(BM_ImportWebVtt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportTtml)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportSrt)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ImportAss)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace qucap

BENCHMARK_MAIN();
