#pragma once
// The formatting a WebVTT file's STYLE blocks give its cues: rules on
// "::cue" (every cue) and on "::cue(.name)" (one class), with the colour,
// weight, slant and lines through or under the text they set.
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/import/imported_captions.h"

namespace qucap {

// What one rule, or all the rules on a class, set: effects switched on,
// effects switched off ("font-weight: normal"), and the text colour.
struct CueRule {
    unsigned effectsOn = 0;
    unsigned effectsOff = 0;
    std::optional<Rgb> colour;
};

// `later` over `earlier`, as a later rule wins in the style sheet.
CueRule combined(const CueRule& earlier, const CueRule& later);
// The style with the rule applied.
ImportStyle applied(ImportStyle style, const CueRule& rule);

struct WebVttStyles {
    CueRule allCues;
    std::unordered_map<std::u16string, CueRule> classes;
};

// Adds the rules of one STYLE block (its text after the "STYLE" line) and
// gives what of it the captions cannot hold, one sentence per kind.
std::vector<std::u16string> addStyleSheet(std::u16string_view css, WebVttStyles& styles);

// The colour of one of WebVTT's default colour classes ("lime", "red", ...).
std::optional<Rgb> defaultClassColour(std::u16string_view name);
// Whether the name is one of the default background classes ("bg_red", ...).
bool isBackgroundClass(std::u16string_view name);

}  // namespace qucap
