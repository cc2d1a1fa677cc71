#include "app/import/webvtt_style.h"

#include <array>

#include "app/import/css_colour.h"
#include "app/import/text_scan.h"
#include "captiondata/markup/markup.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

// The colour classes every WebVTT player knows without a STYLE block, each
// the CSS colour of its name.
constexpr std::array<std::u16string_view, 8> kDefaultClasses{u"white",  u"lime",    u"cyan", u"red",
                                                             u"yellow", u"magenta", u"blue", u"black"};

// Lists in notes name this many items at most.
constexpr std::size_t kListedMax = 5;

std::u16string withoutComments(std::u16string_view css) {
    std::u16string out;
    out.reserve(css.size());
    for (std::size_t at = 0; at < css.size();) {
        if (css.substr(at, 2) == u"/*") {
            const std::size_t end = css.find(u"*/", at + 2);
            if (end == std::u16string_view::npos) break;
            at = end + 2;
            out += u' ';
        } else {
            out += css[at++];
        }
    }
    return out;
}

// Items kept once each, in the order first met, for a note that lists them;
// past the ones it names, it only needs to know there are more.
struct Listed {
    std::vector<std::u16string> items;
    void add(std::u16string_view item) {
        if (items.size() > kListedMax) return;
        for (const std::u16string& known : items)
            if (known == item) return;
        items.emplace_back(item);
    }
    std::u16string joined() const {
        std::u16string text;
        for (std::size_t i = 0; i < items.size() && i < kListedMax; ++i) text += (i ? u"、" : u"") + items[i];
        if (items.size() > kListedMax) text += u" など";
        return text;
    }
};

struct SheetNotes {
    Listed selectors, properties, colours;
};

// A keyword list's effects: the keywords that switch each effect on and off.
struct Keyword {
    std::u16string_view word;
    unsigned on, off;
};
struct EffectProperty {
    std::u16string_view name;
    std::array<Keyword, 4> keywords;
};
constexpr std::array<EffectProperty, 4> kEffectProperties{{
    {u"font-weight", {{{u"bold", kBold, 0}, {u"bolder", kBold, 0}, {u"normal", 0, kBold}, {u"lighter", 0, kBold}}}},
    {u"font-style", {{{u"italic", kItalic, 0}, {u"oblique", kItalic, 0}, {u"normal", 0, kItalic}}}},
    {u"text-decoration",
     {{{u"underline", kUnderline, 0}, {u"line-through", kStrikeOut, 0}, {u"none", 0, kUnderline | kStrikeOut}}}},
    {u"text-decoration-line",
     {{{u"underline", kUnderline, 0}, {u"line-through", kStrikeOut, 0}, {u"none", 0, kUnderline | kStrikeOut}}}},
}};

// Each word of the value that the property knows adds its effects;
// a numeric weight of 600 and over is bold, under it normal.
void applyKeywords(const EffectProperty& property, std::u16string_view value, CueRule& rule) {
    for (const std::u16string_view word : wordsOf(value)) {
        if (property.name == u"font-weight" && word[0] >= u'1' && word[0] <= u'9') {
            rule = combined(rule, readLeadingInt(word) >= 600 ? CueRule{kBold, 0, {}} : CueRule{0, kBold, {}});
            continue;
        }
        for (const Keyword& keyword : property.keywords)
            if (!keyword.word.empty() && word == keyword.word) rule = combined(rule, CueRule{keyword.on, keyword.off, {}});
    }
}

void applyDeclaration(std::u16string_view name, std::u16string_view value, CueRule& rule, SheetNotes& notes) {
    const std::u16string property = asciiLowered(trimmedWhiteSpace(name));
    std::u16string text = asciiLowered(trimmedWhiteSpace(value));
    if (const std::size_t important = text.find(u"!important"); important != std::u16string::npos)
        text = std::u16string(trimmedWhiteSpace(std::u16string_view(text).substr(0, important)));
    if (property.empty()) return;
    if (property == u"color") {
        if (const std::optional<Rgb> colour = parseCssColour(text))
            rule.colour = colour;
        else
            notes.colours.add(trimmedWhiteSpace(value));
        return;
    }
    for (const EffectProperty& effect : kEffectProperties) {
        if (property != effect.name) continue;
        applyKeywords(effect, text, rule);
        return;
    }
    notes.properties.add(property);
}

CueRule declarations(std::u16string_view body, SheetNotes& notes) {
    CueRule rule;
    for (std::size_t at = 0; at <= body.size();) {
        std::size_t end = body.find(u';', at);
        if (end == std::u16string_view::npos) end = body.size();
        const std::u16string_view declaration = body.substr(at, end - at);
        if (const std::size_t colon = declaration.find(u':'); colon != std::u16string_view::npos)
            applyDeclaration(declaration.substr(0, colon), declaration.substr(colon + 1), rule, notes);
        at = end + 1;
    }
    return rule;
}

bool isClassName(std::u16string_view name) {
    if (name.empty()) return false;
    for (const char16_t c : name)
        if (isWhiteSpace(c) || std::u16string_view(u".#:[]()>+~*,\\\"'").find(c) != std::u16string_view::npos) return false;
    return true;
}

// The rule a selector names: every cue, one class, or nothing it can hold.
CueRule* targetOf(std::u16string_view selector, WebVttStyles& styles) {
    if (selector == u"::cue") return &styles.allCues;
    constexpr std::u16string_view open = u"::cue(";
    if (selector.substr(0, open.size()) != open || selector.back() != u')') return nullptr;
    const std::u16string_view inside = trimmedWhiteSpace(selector.substr(open.size(), selector.size() - open.size() - 1));
    if (inside.empty() || inside[0] != u'.' || !isClassName(inside.substr(1))) return nullptr;
    return &styles.classes[std::u16string(inside.substr(1))];
}

// The end of the block that opens at `open` (its closing brace, or the end).
std::size_t blockEnd(std::u16string_view css, std::size_t open) {
    std::size_t depth = 0;
    for (std::size_t at = open; at < css.size(); ++at) {
        if (css[at] == u'{') ++depth;
        if (css[at] == u'}' && --depth == 0) return at;
    }
    return css.size();
}

}  // namespace

CueRule combined(const CueRule& earlier, const CueRule& later) {
    return {(earlier.effectsOn & ~later.effectsOff) | later.effectsOn,
            (earlier.effectsOff & ~later.effectsOn) | later.effectsOff, later.colour ? later.colour : earlier.colour};
}

ImportStyle applied(ImportStyle style, const CueRule& rule) {
    style.effects = (style.effects & ~rule.effectsOff) | rule.effectsOn;
    if (rule.colour) style.colour = rule.colour;
    return style;
}

std::vector<std::u16string> addStyleSheet(std::u16string_view sheet, WebVttStyles& styles) {
    const std::u16string css = withoutComments(sheet);
    SheetNotes notes;
    for (std::size_t at = 0; at < css.size();) {
        const std::size_t open = css.find(u'{', at);
        if (open == std::u16string::npos) break;
        const std::size_t close = blockEnd(css, open);
        const std::u16string_view selectors = trimmedWhiteSpace(std::u16string_view(css).substr(at, open - at));
        const std::u16string_view body = std::u16string_view(css).substr(open + 1, close - open - 1);
        at = close + 1;
        std::vector<CueRule*> targets;
        for (std::size_t from = 0; from <= selectors.size();) {
            std::size_t comma = selectors.find(u',', from);
            if (comma == std::u16string_view::npos) comma = selectors.size();
            const std::u16string_view selector = trimmedWhiteSpace(selectors.substr(from, comma - from));
            from = comma + 1;
            if (selector.empty()) continue;
            if (CueRule* target = targetOf(selector, styles))
                targets.push_back(target);
            else
                notes.selectors.add(selector);
        }
        if (targets.empty()) continue;
        const CueRule rule = declarations(body, notes);
        for (CueRule* target : targets) *target = combined(*target, rule);
    }
    std::vector<std::u16string> out;
    if (!notes.selectors.items.empty())
        out.push_back(u"STYLE の " + notes.selectors.joined() + u" の指定は字幕の行に持てないため外しました");
    if (!notes.properties.items.empty())
        out.push_back(u"STYLE の " + notes.properties.joined() + u" は字幕の行に持てないため外しました");
    if (!notes.colours.items.empty())
        out.push_back(u"STYLE の色 " + notes.colours.joined() + u" が読めないため外しました");
    return out;
}

std::optional<Rgb> defaultClassColour(std::u16string_view name) {
    // Class names are case-sensitive; the CSS names are not.
    for (const std::u16string_view colour : kDefaultClasses)
        if (colour == name) return parseCssColour(colour);
    return std::nullopt;
}

bool isBackgroundClass(std::u16string_view name) {
    constexpr std::u16string_view prefix = u"bg_";
    return name.substr(0, prefix.size()) == prefix && defaultClassColour(name.substr(prefix.size()));
}

}  // namespace qucap
