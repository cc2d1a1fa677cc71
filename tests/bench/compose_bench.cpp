// ComposeFrame benchmarks: YUY2 -> RGB32 at 720x480 and 1920x1080 with the
// sample caption row (two lines with ruby, border width 3), with no caption
// (conversion only), with each border type, with and without the layout
// cache; RGB32 with everything drawn over it (boxes, watermark, time
// display); and a plain copy of the output frame for comparison. Under Wine the
// real GDI rasteriser is used; on the host the deterministic fake.
#include <benchmark/benchmark.h>

#include <cstring>
#include <utility>
#include <memory>
#include <vector>

#include "captiondata/caption/caption_file.h"
#include "captiondata/colour/colour_info.h"
#include "filter/core/compose/compositor.h"
#include "tests/support/test_io.h"

#ifdef _WIN32
#include "filter/win/gdi_rasteriser.h"
#include "filter/win/gdi_surface.h"
using Rasteriser = qucap::GdiRasteriser;
using Surfaces = qucap::GdiSurfaceFactory;
#else
#include "tests/support/fake_rasteriser.h"
using Rasteriser = qucap::test::FakeRasteriser;
using Surfaces = qucap::test::FakeSurfaceFactory;
#endif

namespace qucap {
namespace {

// The sample row as the caption-info reader gives it.
CaptionTable sampleTable() {
    test::TestIo t;
    t.files.addDirectory(u"C:\\b");
    t.files.addFile(u"C:\\b\\c.csv", captionInfoBytes({}));
    CaptionTable table;
    readCaptionInfoForFilter(t.io, u"C:\\b\\c.csv", table);
    return table;
}

// A YUY2 picture of a soft gradient.
std::vector<uint8_t> yuy2Picture(int width, int height) {
    std::vector<uint8_t> picture(std::size_t(width) * height * 2);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; x += 2) {
            uint8_t* p = &picture[(std::size_t(y) * width + x) * 2];
            p[0] = uint8_t(16 + (x + y) % 200);
            p[1] = uint8_t(128 + (x % 64) - 32);
            p[2] = uint8_t(16 + (x + y + 1) % 200);
            p[3] = uint8_t(128 + (y % 64) - 32);
        }
    return picture;
}

// Two half-transparent blue boxes over the whole sample time.
BoxRow halfBlueBoxes() {
    BoxRow box;
    box.number = 1;
    box.startFrame = 1;
    box.startTime = 1;
    box.endFrame = 601;
    box.endTime = 20'020;
    box.boxes[0] = {210, 300, 300, 100};
    box.boxes[1] = {450, 330, 200, 80};
    box.colour = u"青";
    box.transparency = 32;
    return box;
}

struct ComposeFixture {
    Rasteriser rasteriser;
    Surfaces surfaces;
    FrameCompositor compositor{rasteriser, surfaces};
    std::vector<uint8_t> input, output;
    ComposeRequest request;

    ComposeFixture(int width, int height, int borderType, bool cache, PictureKind inputKind = PictureKind::Yuy2,
                   bool overlays = false) {
        FilterSettings settings;
        settings.mainFace = u"ＭＳ ゴシック";
        settings.rubyFace = u"ＭＳ ゴシック";
        settings.borderType = borderType;
        BoxTable boxes;
        if (overlays) {
            settings.watermarkFlag = 1;
            settings.watermarkText = u"https://qucap.example.org/";
            settings.watermarkColour = 0x00FFFF00;
            settings.timeDisplay = 1;
            settings.captionInfoPath = u"C:\\字幕作成001\\字幕情報.csv";
            boxes.push_back(halfBlueBoxes());
        }
        compositor.initialise(settings, sampleTable(), boxes, defaultColourTable());
        compositor.setLayoutCache(cache);
        output.assign(std::size_t(width) * height * 4, 0);
        input = yuy2Picture(width, height);
        request.inputFormat = {PictureKind::Yuy2, width, height, 16, {}};
        if (inputKind == PictureKind::Rgb) {
            input.resize(output.size());  // the gradient's bytes taken as RGB32
            request.inputFormat = {PictureKind::Rgb, width, height, 32, {}};
        }
        request.input = input.data();
        request.inputSize = input.size();
        request.output = output.data();
        request.outputSize = output.size();
        request.outputFormat = {PictureKind::Rgb, width, height, 32, {}};
    }

    void run(benchmark::State& state, int64_t start) {
        request.times = SampleTimes{start, start + 333'667};
        for (auto _ : state) {
            compositor.composeFrame(request);
            benchmark::DoNotOptimize(output.data());
        }
        state.SetItemsProcessed(state.iterations() * int64_t(output.size() / 4));
    }
};

constexpr int64_t kCaptionShown = 50'000'000;    // 5 s: the sample row is on screen
constexpr int64_t kNothingShown = 200'000'000;   // 20 s: after every row

void BM_ComposeNoCaption(benchmark::State& state) {
    ComposeFixture f(int(state.range(0)), int(state.range(1)), 1, true);
    f.run(state, kNothingShown);
}

void BM_ComposeSampleRow(benchmark::State& state) {
    ComposeFixture f(int(state.range(0)), int(state.range(1)), int(state.range(2)), state.range(3) != 0);
    f.run(state, kCaptionShown);
}

// RGB32 in and out: the conversion is one copy, so the difference between
// these two is what the caption adds, measured with little noise.
void BM_ComposeRgbNoCaption(benchmark::State& state) {
    ComposeFixture f(int(state.range(0)), int(state.range(1)), 1, true, PictureKind::Rgb);
    f.run(state, kNothingShown);
}

void BM_ComposeRgbSampleRow(benchmark::State& state) {
    ComposeFixture f(int(state.range(0)), int(state.range(1)), int(state.range(2)), true, PictureKind::Rgb);
    f.run(state, kCaptionShown);
}

// RGB32 with the sample row, two boxes, the watermark and the time display.
void BM_ComposeRgbEverything(benchmark::State& state) {
    ComposeFixture f(int(state.range(0)), int(state.range(1)), int(state.range(2)), true, PictureKind::Rgb, true);
    f.run(state, kCaptionShown);
}

void BM_CopyOutputFrame(benchmark::State& state) {
    const std::size_t bytes = std::size_t(state.range(0)) * state.range(1) * 4;
    std::vector<uint8_t> from(bytes, 1), to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::DoNotOptimize(to.data());
    }
    state.SetItemsProcessed(state.iterations() * int64_t(bytes / 4));
}

BENCHMARK(BM_CopyOutputFrame)->Args({720, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeNoCaption)->Args({720, 480})->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
// width, height, border type, layout cache
void sampleRowCases(benchmark::internal::Benchmark* bench) {
    bench->ArgNames({"width", "height", "border", "cache"});
    for (const auto& [width, height] : {std::pair{720, 480}, std::pair{1920, 1080}})
        for (int border = 1; border <= 4; ++border)
            for (int cache : {1, 0}) bench->Args({width, height, border, cache});
}
BENCHMARK(BM_ComposeSampleRow)->Apply(sampleRowCases)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeRgbNoCaption)->Args({1920, 1080})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeRgbSampleRow)->Args({1920, 1080, 1})->Args({1920, 1080, 4})->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ComposeRgbEverything)->Args({1920, 1080, 1})->Args({1920, 1080, 4})->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace qucap

BENCHMARK_MAIN();
