#pragma once
// The whole output frame of one sample: conversion of the input picture,
// time display, watermark, boxes, the caption with its outline effect.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <utility>

#include "captiondata/box/box_info.h"
#include "captiondata/caption/caption_row.h"
#include "captiondata/colour/colour_info.h"
#include "filter/core/canvas.h"
#include "filter/core/compose/step_times.h"
#include "filter/core/filter_settings.h"
#include "filter/core/layout/layouter.h"
#include "filter/core/rasteriser.h"

namespace qucap {

enum class PictureKind { Rgb, Yuy2 };

// The picture part of a media type: biWidth, biHeight (signed), biBitCount
// and rcTarget (all zero: the whole picture).
struct PictureFormat {
    PictureKind kind = PictureKind::Rgb;
    int32_t width = 0;
    int32_t height = 0;
    int32_t bitsPerPixel = 32;
    PixelRect target;
};

struct SampleTimes {
    int64_t start = 0;  // 100-ns units
    int64_t stop = 0;
};

struct ComposeRequest {
    const uint8_t* input = nullptr;
    std::size_t inputSize = 0;
    PictureFormat inputFormat;
    uint8_t* output = nullptr;
    std::size_t outputSize = 0;  // GetSize of the output sample
    PictureFormat outputFormat;
    std::optional<SampleTimes> times;  // only when GetTime answered S_OK
    int32_t seekOffset = 0;            // milliseconds, from the shared control block
};

struct FoundRows {
    int caption = -1;
    int box = -1;
};

// FindRows: the first caption slot with a positive number, a start or
// duration above 0 and start <= t <= start + duration; the first box slot
// likewise with its start and end times.
FoundRows findRows(const CaptionTable& captions, const BoxTable& boxes, int32_t milliseconds);

class FrameCompositor {
public:
    FrameCompositor(GlyphRasteriser& rasteriser, FrameSurfaceFactory& surfaces);
    ~FrameCompositor();

    // What the filter's initialisation loaded; also prepares the fonts.
    void initialise(const FilterSettings& settings, CaptionTable captions, BoxTable boxes, ColourTable colours);

    // ComposeFrame: 0, or -1 (E_FAIL) when the picture cannot be composed.
    int composeFrame(const ComposeRequest& request);

    // Reusing the cells of the last layout (on by default); off lays every
    // frame out again, as the tests and benchmarks compare.
    void setLayoutCache(bool enabled);

    // Composing in the output sample, GDI's drawings relayed through the
    // frame bitmap (on by default); off composes in the bitmap and copies it
    // out, as the tests compare.
    void setDirectOutput(bool enabled);

    // The fonts as the last layout left them (main and ruby faces with "@"
    // after a vertical row).
    const FilterFonts& fonts() const;

    // The per-step times of the frames composed (off unless enabled); the
    // filter laps its own steps on the same stopwatch.
    StepStopwatch& stopwatch();

private:
    struct Impl;
    std::unique_ptr<Impl> impl_;
};

}  // namespace qucap
