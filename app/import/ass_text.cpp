#include "app/import/ass_text.h"

#include <array>
#include <string>
#include <unordered_set>

#include "app/import/text_scan.h"
#include "captiondata/markup/markup.h"

namespace qucap {
namespace {

// The override names, so that the longest one written is found: "\bord2"
// is no bold, "\pos" no drawing, "\fsp" no "\fs".
constexpr std::array<std::u16string_view, 52> kOverrideNames{
    u"alpha", u"an",    u"a",    u"be",   u"blur",  u"bord",  u"b",     u"clip",  u"c",  u"fade", u"fad",
    u"fax",   u"fay",   u"fe",   u"fn",   u"frx",   u"fry",   u"frz",   u"fr",    u"fscx", u"fscy", u"fsp",
    u"fs",    u"iclip", u"i",    u"kf",   u"ko",    u"k",     u"K",     u"move",  u"org", u"pbo",  u"pos",
    u"p",     u"q",     u"r",    u"shad", u"s",     u"t",     u"u",     u"xbord", u"xshad", u"ybord", u"yshad",
    u"1c",    u"2c",    u"3c",   u"4c",   u"1a",    u"2a",    u"3a",    u"4a"};

struct EffectOverride {
    std::u16string_view name;
    EffectBit bit;
};
constexpr std::array<EffectOverride, 4> kEffectOverrides{{
    {u"b", kBold},
    {u"i", kItalic},
    {u"u", kUnderline},
    {u"s", kStrikeOut},
}};

constexpr std::size_t kDroppedListMax = 60;  // characters of dropped overrides quoted in the note

std::u16string_view overrideName(std::u16string_view tag) {
    std::u16string_view longest;
    for (const std::u16string_view name : kOverrideNames)
        if (name.size() > longest.size() && tag.substr(0, name.size()) == name) longest = name;
    if (!longest.empty()) return longest;
    std::size_t letters = 0;
    while (letters < tag.size() && isAsciiLetter(tag[letters])) ++letters;
    return tag.substr(0, letters);
}

class AssTextReader {
public:
    AssTextReader(const AssStyle& lineStyle, const AssStyles& styles, std::size_t sourceLine, CueNotes& notes)
        : base_(lineStyle), lineStyle_(lineStyle), styles_(styles), sourceLine_(sourceLine), notes_(notes),
          style_(lineStyle.style), vertical_(lineStyle.vertical) {}

    AssText read(std::u16string_view text);

private:
    void block(std::u16string_view inside);
    void override(std::u16string_view tag);
    void reset(std::u16string_view styleName);
    void drop(std::u16string_view tag);
    void visible(std::u16string_view text);

    AssStyle base_;  // the style "\r" last reset to; an empty override value returns to it
    const AssStyle& lineStyle_;
    const AssStyles& styles_;
    std::size_t sourceLine_;
    CueNotes& notes_;
    ImportStyle style_;
    bool vertical_;
    bool drawing_ = false;
    StyledLines lines_;
    std::u16string droppedList_;  // the dropped overrides as written, each once
    bool droppedListFull_ = false;
    std::unordered_set<std::u16string> dropped_;
};

AssText AssTextReader::read(std::u16string_view text) {
    std::u16string plain;
    const auto flush = [&] {
        visible(plain);
        plain.clear();
    };
    for (std::size_t at = 0; at < text.size();) {
        const char16_t c = text[at];
        if (c == u'{') {
            // A block ends at the first "}"; a "{" without one is a character.
            const std::size_t end = text.find_first_of(u"{}", at + 1);
            if (end != std::u16string_view::npos && text[end] == u'}') {
                flush();
                block(text.substr(at + 1, end - at - 1));
                at = end + 1;
                continue;
            }
        } else if (c == u'\\' && at + 1 < text.size()) {
            const char16_t next = text[at + 1];
            if (next == u'N' || next == u'n') {
                flush();
                if (!drawing_) lines_.breakLine();
                at += 2;
                continue;
            }
            if (next == u'h') {
                plain += u' ';
                at += 2;
                continue;
            }
        }
        plain += c;
        ++at;
    }
    flush();
    if (!droppedList_.empty())
        notes_.note(sourceLine_, u"{" + droppedList_ + u"} は字幕の行に持てないため外しました");
    return {lines_.take(), vertical_};
}

void AssTextReader::visible(std::u16string_view text) {
    if (!drawing_) lines_.append(text, style_);
}

// Each override runs from its "\" to the next one outside parentheses
// ("\t(\c&HFF&)" is one). Text between them is a comment.
void AssTextReader::block(std::u16string_view inside) {
    std::size_t at = inside.find(u'\\');
    while (at != std::u16string_view::npos) {
        std::size_t end = at + 1;
        for (int depth = 0; end < inside.size() && (depth > 0 || inside[end] != u'\\'); ++end) {
            if (inside[end] == u'(') ++depth;
            else if (inside[end] == u')' && depth > 0) --depth;
        }
        override(trimmedBlanks(inside.substr(at + 1, end - at - 1)));
        at = end < inside.size() ? end : std::u16string_view::npos;
    }
}

void AssTextReader::override(std::u16string_view tag) {
    const std::u16string_view name = overrideName(tag);
    const std::u16string_view value = trimmedBlanks(tag.substr(name.size()));
    for (const EffectOverride& effect : kEffectOverrides) {
        if (name != effect.name) continue;
        const bool on = value.empty() ? (base_.style.effects & effect.bit) != 0
                        : effect.bit == kBold ? assBold(readLeadingInt(value))
                                              : readLeadingInt(value) != 0;
        style_.effects = on ? style_.effects | effect.bit : style_.effects & ~unsigned(effect.bit);
        return;
    }
    if (name == u"c" || name == u"1c" || name == u"3c") {
        std::optional<Rgb>& target = name == u"3c" ? style_.border : style_.colour;
        const std::optional<Rgb>& original = name == u"3c" ? base_.style.border : base_.style.colour;
        if (value.empty()) {
            target = original;
        } else if (const auto rgb = assColour(value)) {
            target = rgb;
        } else {
            notes_.note(sourceLine_, u"色「" + excerpt(value) + u"」が読めないため、\\" + std::u16string(name) +
                                         u" の指定を外しました");
        }
        return;
    }
    if (name == u"r") return reset(value);
    if (name == u"p") {
        drawing_ = readLeadingInt(value) > 0;
        if (drawing_) notes_.note(sourceLine_, u"図形（\\p" + excerpt(value) + u"）は字幕の行に持てないため外しました");
        return;
    }
    if (name == u"fn") vertical_ = !value.empty() && value.front() == u'@';
    if (!tag.empty()) drop(tag);
}

void AssTextReader::reset(std::u16string_view styleName) {
    base_ = lineStyle_;
    if (!styleName.empty()) {
        if (const AssStyle* named = styles_.find(styleName)) {
            base_ = *named;
        } else {
            notes_.note(sourceLine_, u"スタイル「" + excerpt(styleName) + u"」がないため、行のスタイルに戻しました");
        }
    }
    style_ = base_.style;
    vertical_ = base_.vertical;
}

void AssTextReader::drop(std::u16string_view tag) {
    if (droppedListFull_) return;
    std::u16string written = u"\\" + std::u16string(tag);
    if (!dropped_.insert(written).second) return;
    droppedList_ += written;
    if (droppedList_.size() > kDroppedListMax) {
        droppedList_ = excerpt(droppedList_, kDroppedListMax);
        droppedListFull_ = true;
    }
}

}  // namespace

AssText readAssText(std::u16string_view text, const AssStyle& lineStyle, const AssStyles& styles,
                    std::size_t sourceLine, CueNotes& notes) {
    return AssTextReader(lineStyle, styles, sourceLine, notes).read(text);
}

}  // namespace qucap
