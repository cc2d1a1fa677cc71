#include "filter/core/compose/compositor.h"

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

#include "captiondata/project/project_keys.h"
#include "filter/core/compose/boxes.h"
#include "filter/core/compose/conversion.h"
#include "filter/core/compose/fourth_bytes.h"
#include "filter/core/compose/layout_cache.h"
#include "filter/core/compose/overlays.h"
#include "filter/core/compose/relay_canvas.h"
#include "filter/core/layout/layouter.h"

namespace qucap {
namespace {

constexpr int64_t kUnitsPerMillisecond = 10'000;  // sample times are 100-ns units

int32_t clampedToInt32(int64_t value) { return int32_t(std::clamp<int64_t>(value, INT32_MIN, INT32_MAX)); }

int32_t movieTime(int64_t sampleTime, int32_t seekOffset) {
    return clampedToInt32(sampleTime / kUnitsPerMillisecond + seekOffset);
}

BorderSettings borderOf(const FilterSettings& settings) {
    return {settings.borderType, settings.gradation, settings.mainBorderWidth, settings.rubyBorderWidth};
}


// A second buffer laid out as `frame`.
FrameBuffer snapshotOf(const FrameBuffer& frame, std::vector<uint8_t>& memory) {
    if (memory.size() != frame.byteSize()) memory.assign(frame.byteSize(), 0);
    FrameBuffer snapshot = frame;
    snapshot.bits = memory.data();
    return snapshot;
}

// Copies the pixels of a GDI rectangle, kept inside the frame, into the snapshot.
void copyRect(const FrameBuffer& frame, const PixelRect& rect, FrameBuffer& snapshot) {
    const int32_t left = std::max(rect.left, 0), right = std::min(rect.right, frame.width);
    const int32_t top = std::max(rect.top, 0), bottom = std::min(rect.bottom, frame.height);
    if (right <= left) return;
    const std::size_t bytes = std::size_t(right - left) * std::size_t(frame.bytesPerPixel);
    for (int32_t y = top; y < bottom; ++y) std::memcpy(snapshot.pixel(left + 1, y + 1), frame.pixel(left + 1, y + 1), bytes);
}

}  // namespace

struct FrameCompositor::Impl {
    Impl(GlyphRasteriser& r, FrameSurfaceFactory& s) : rasteriser(r), surfaces(s), layouter(r) {
        layouter.prepareFonts(settings);
    }

    int compose(const ComposeRequest& request);
    void drawOverlays(FrameCanvas& canvas, const ComposeRequest& request, int32_t start, int32_t end);
    void drawShownRows(const FoundRows& found, FrameBuffer& frame, FrameCanvas& canvas);
    void drawStepByStep(const FoundRows& found, FrameBuffer& frame, FrameCanvas& canvas);
    void drawFromCache(const FoundRows& found, FrameBuffer& frame, FrameCanvas& canvas);
    void drawCaptionGlyphs(const RowLayout& layout, FrameBuffer& frame);

    GlyphRasteriser& rasteriser;
    FrameSurfaceFactory& surfaces;
    CaptionLayouter layouter;
    FilterSettings settings;
    BorderSettings border = borderOf(settings);
    CaptionTable captions;
    BoxTable boxes;
    ColourTable colours{};
    bool useCache = true;
    LayoutCache cache;
    RowLayout layout;  // the layout of the last frame when the cache is off
    std::vector<uint8_t> snapshotMemory;
    KeptFourthBytes keptFourthBytes;  // under what GDI draws
    bool directOutput = true;         // compose in the output sample when it holds the frame
    FrameSize layoutSize;  // W x H of the input picture
    StepStopwatch watch;
};

int FrameCompositor::Impl::compose(const ComposeRequest& request) {
    const PictureFormat& in = request.inputFormat;
    const PictureFormat& out = request.outputFormat;
    if (!isConvertible(in, out)) return -1;
    if (out.width <= 0 || out.height == 0) return 0;  // an empty picture: nothing to compose
    FrameSurface* surface = surfaces.surface({out.width, out.height, out.bitsPerPixel});
    if (surface == nullptr) return -1;
    const FrameBuffer bitmap = surface->frame();
    surface->canvas().flush();  // GDI must be done with the bitmap before its memory is written
    watch.lap(SampleStep::Surface);
    // The picture is converted into the output sample and composed there
    // when the sample holds the whole bitmap; GDI's drawings are relayed
    // through the bitmap. Otherwise everything happens in the bitmap, which
    // is copied out at the end.
    const bool direct = directOutput && request.output != nullptr && request.outputSize >= bitmap.byteSize();
    FrameBuffer whole = bitmap;
    if (direct) whole.bits = request.output;
    convertPicture(request.input, request.inputSize, in, whole.bits, whole.byteSize(), out);
    watch.lap(SampleStep::Conversion);
    std::optional<RelayCanvas> relay;
    std::optional<FourthByteKeepingCanvas> keeping;
    FrameCanvas& canvas = direct ? static_cast<FrameCanvas&>(relay.emplace(surface->canvas(), rasteriser, bitmap, whole))
                                 : keeping.emplace(surface->canvas(), rasteriser, bitmap, keptFourthBytes);

    // Frame coordinates run over the input picture (W x H); pixels are only
    // ever written where the bitmap holds them.
    layoutSize = {std::max(in.width, 0), clampedToInt32(in.height < 0 ? -int64_t(in.height) : int64_t(in.height))};
    FrameBuffer frame = whole;
    frame.width = std::min(layoutSize.width, whole.width);

    if (request.times) {
        const int32_t start = movieTime(request.times->start, request.seekOffset);
        const int32_t end = movieTime(request.times->stop, request.seekOffset);
        drawOverlays(canvas, request, start, end);
        watch.lap(SampleStep::Overlays);
        const FoundRows found = findRows(captions, boxes, start);
        watch.lap(SampleStep::RowLookup);
        if (found.caption >= 0 || found.box >= 0) drawShownRows(found, frame, canvas);
    }

    canvas.flush();
    if (!direct && request.output != nullptr)
        std::memcpy(request.output, bitmap.bits, std::min(request.outputSize, bitmap.byteSize()));
    watch.lap(SampleStep::FinalFlush);
    return 0;
}

void FrameCompositor::Impl::drawOverlays(FrameCanvas& canvas, const ComposeRequest& request, int32_t start,
                                         int32_t end) {
    if (settings.timeDisplay == 1)
        drawTimeDisplay(canvas, layouter.fonts().timeDisplay,
                        {start, end, request.seekOffset, settings.captionInfoPath});
    if (settings.watermarkFlag == 1)
        drawWatermark(canvas, rasteriser, layouter.fonts(), settings.watermarkText, settings.watermarkColour,
                      layoutSize.width, layoutSize.height);
    canvas.flush();
}

void FrameCompositor::Impl::drawShownRows(const FoundRows& found, FrameBuffer& frame, FrameCanvas& canvas) {
    if (useCache)
        drawFromCache(found, frame, canvas);
    else
        drawStepByStep(found, frame, canvas);
}

// Step by step as the filter describes it: a snapshot of the whole frame,
// the boxes into both, a fresh layout, the outline effect, the glyphs.
void FrameCompositor::Impl::drawStepByStep(const FoundRows& found, FrameBuffer& frame, FrameCanvas& canvas) {
    FrameBuffer snapshot = snapshotOf(frame, snapshotMemory);
    std::memcpy(snapshot.bits, frame.bits, frame.byteSize());
    if (found.box >= 0)
        drawBoxes(boxes[std::size_t(found.box)], layoutSize.width, layoutSize.height, frame, &snapshot);
    watch.lap(SampleStep::Boxes);
    if (found.caption < 0) return;
    layouter.layoutRow(captions[std::size_t(found.caption)], colours, layoutSize.width, layoutSize.height, layout);
    watch.lap(SampleStep::Layout);
    drawOutlineEffect(layout, border, layouter.fonts(), rasteriser, frame, snapshot, canvas);
    watch.lap(SampleStep::Rings);
    drawCaptionGlyphs(layout, frame);
    watch.lap(SampleStep::Glyphs);
}

// The same pixels with less work: the boxes read the frame itself (the
// snapshot would hold the same bytes), the layout and its rings come from
// the cache, and only the area the rings touch is copied into the snapshot.
void FrameCompositor::Impl::drawFromCache(const FoundRows& found, FrameBuffer& frame, FrameCanvas& canvas) {
    if (found.box >= 0) drawBoxes(boxes[std::size_t(found.box)], layoutSize.width, layoutSize.height, frame, nullptr);
    watch.lap(SampleStep::Boxes);
    if (found.caption < 0) return;
    const LaidOutRow& row = cache.layoutFor(layouter, found.caption, captions[std::size_t(found.caption)], colours,
                                            border, layoutSize, {frame.width, frame.height});
    watch.lap(SampleStep::Layout);
    if (borderTypeDrawsRings(border.type)) {
        if (!row.plate.empty()) {
            FrameBuffer snapshot = snapshotOf(frame, snapshotMemory);
            copyRect(frame, row.plate.bounds(), snapshot);
            row.plate.apply(frame, snapshot);
        }
    } else {
        // The black box (or nothing): GDI fills, the snapshot is not read.
        drawOutlineEffect(row.layout, border, layouter.fonts(), rasteriser, frame, frame, canvas);
    }
    watch.lap(SampleStep::Rings);
    drawCaptionGlyphs(row.layout, frame);
    watch.lap(SampleStep::Glyphs);
}

void FrameCompositor::Impl::drawCaptionGlyphs(const RowLayout& laidOut, FrameBuffer& frame) {
    for (int k = 0; k < kTextCount; ++k) drawGlyphs(laidOut, k, frame);
}

FrameCompositor::FrameCompositor(GlyphRasteriser& rasteriser, FrameSurfaceFactory& surfaces)
    : impl_(std::make_unique<Impl>(rasteriser, surfaces)) {}

FrameCompositor::~FrameCompositor() = default;

void FrameCompositor::initialise(const FilterSettings& settings, CaptionTable captions, BoxTable boxes,
                                 ColourTable colours) {
    impl_->settings = settings;
    impl_->border = borderOf(settings);
    impl_->captions = std::move(captions);
    impl_->boxes = std::move(boxes);
    impl_->colours = colours;
    impl_->layouter.prepareFonts(settings);
    impl_->cache.clear();
}

int FrameCompositor::composeFrame(const ComposeRequest& request) { return impl_->compose(request); }

const FilterFonts& FrameCompositor::fonts() const { return impl_->layouter.fonts(); }

StepStopwatch& FrameCompositor::stopwatch() { return impl_->watch; }

void FrameCompositor::setDirectOutput(bool enabled) { impl_->directOutput = enabled; }

void FrameCompositor::setLayoutCache(bool enabled) {
    impl_->useCache = enabled;
    impl_->cache.clear();
}

}  // namespace qucap
