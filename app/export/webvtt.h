#pragma once
// WebVTT files (UTF-8) for players and browsers: one cue per exported row,
// ruby as <ruby>/<rt>, vertical rows with "vertical:rl", text colours as
// classes defined in a STYLE block with the project's palette, and bold,
// italic, underline as <b>, <i>, <u> (strike-out as the class "strike").
#include <string>
#include <vector>

#include "app/export/cue_text.h"
#include "app/export/subtitles.h"

namespace qucap {

std::string webVttBytes(const std::vector<SubtitleRow>& rows, const ColourTable& colours);

}  // namespace qucap
