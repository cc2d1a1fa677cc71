#include "app/import/row_markup.h"

#include <algorithm>
#include <tuple>

#include "captiondata/markup/markup.h"
#include "captiondata/markup/ruby_groups.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr std::array<std::u16string_view, kColourSlotCount> kSlotNames{u"赤色", u"緑色", u"青色", u"黄色",
                                                                      u"桃色", u"水色", u"黒色", u"白色"};
// The colours a text starts with when no code has chosen one.
constexpr char16_t kDefaultText = u'W', kDefaultBorder = u'k';

Rgb rgbOf(uint32_t value) { return {uint8_t(value & 0xFF), uint8_t(value >> 8 & 0xFF), uint8_t(value >> 16 & 0xFF)}; }

int distance(Rgb a, Rgb b) {
    const int r = a.r - b.r, g = a.g - b.g, bl = a.b - b.b;
    return r * r + g * g + bl * bl;
}

std::u16string hexOf(Rgb colour) {
    const uint32_t value = uint32_t(colour.r) | uint32_t(colour.g) << 8 | uint32_t(colour.b) << 16;
    return u"#" + colourTextOf(value);
}

// Characters no caption text holds: control characters end lines or draw
// nothing.
bool isControl(char16_t c) { return c < 0x20 || c == 0x7F; }
bool isBlank(char16_t c) { return c == u' ' || c == u'\u3000' || c == u'\u00A0' || isControl(c); }

// Writes runs as markup, each code only where the formatting changes; the
// state carries from run to run and, for readings, from group to group.
class MarkupWriter {
public:
    MarkupWriter(PaletteMatcher& palette, std::vector<std::u16string>& notes, FormattingState state)
        : palette_(palette), notes_(notes), state_(state) {}

    // Writes the runs; returns their visible characters.
    std::u16string write(const std::vector<ImportRun>& runs, bool reading) {
        std::u16string visible;
        for (const ImportRun& run : runs) {
            if (run.text.empty()) continue;
            switchTo(run.style);
            for (char16_t c : run.text) {
                if (isControl(c)) continue;
                if (reading && (c == u'(' || c == u')')) {
                    // A half-width parenthesis would end the reading's group.
                    if (!parenthesisNoted_) notes_.push_back(u"ルビの半角括弧は全角にしました");
                    parenthesisNoted_ = true;
                    c = c == u'(' ? u'（' : u'）';
                }
                out_ += c == u'$' ? u"$$" : std::u16string(1, c);
                visible += c;
            }
        }
        return visible;
    }

    void append(std::u16string_view raw) { out_ += raw; }
    // Switches off the effects still on, as every stored text ends.
    void closeEffects() {
        out_ += state_.offCodes();
        state_.effects = 0;
    }
    const FormattingState& state() const { return state_; }
    std::u16string take() { return std::move(out_); }

private:
    void switchTo(const ImportStyle& style) {
        for (const EffectCode& code : kEffectCodes) {
            const bool on = style.effects & code.bit;
            if (on == bool(state_.effects & code.bit)) continue;
            out_ += u'$';
            out_ += on ? code.on : code.off;
            state_.effects ^= code.bit;
        }
        const char16_t text = style.colour ? palette_.textSlot(*style.colour, notes_) : state_.textColour ? kDefaultText : 0;
        if (text && text != state_.textColour) out_ += std::u16string(u"$") + (state_.textColour = text);
        const char16_t border =
            style.border ? palette_.borderSlot(*style.border, notes_) : state_.borderColour ? kDefaultBorder : 0;
        if (border && border != state_.borderColour) out_ += std::u16string(u"$") + (state_.borderColour = border);
    }

    PaletteMatcher& palette_;
    std::vector<std::u16string>& notes_;
    FormattingState state_;
    std::u16string out_;
    bool parenthesisNoted_ = false;
};

struct PendingGroup {
    std::size_t anchor;  // index of the base in the line's plain body
    std::u16string base;
    const std::vector<ImportRun>* reading;
};

// Why a base cannot carry its reading in a ruby text, or nothing.
std::u16string_view unfitBase(std::u16string_view base) {
    if (base.empty()) return u"ルビの付く文字がないため、ルビを外しました";
    if (base.find_first_of(u"()$") != std::u16string_view::npos)
        return u"半角の括弧か $ を含む文字にはルビを付けられないため、ルビを外しました";
    if (base.size() > kMaxRubyBaseLength) return u"ルビの付く文字が255文字を超えるため、ルビを外しました";
    return {};
}

class LineWriter {
public:
    LineWriter(PaletteMatcher& palette, std::vector<std::u16string>& notes) : palette_(palette), notes_(notes) {}

    // Body then ruby of one line; `carried` holds the colours the body
    // inherits and becomes the colours it ends with.
    // Whether the last ruby text lost characters to the framing's limit.
    bool rubyCut() const { return rubyCut_; }

    std::pair<std::u16string, std::u16string> texts(const ImportLine& line, FormattingState& carried) {
        MarkupWriter body(palette_, notes_, carried);
        std::u16string plain;
        std::vector<PendingGroup> groups;
        for (const ImportPiece& piece : line) {
            const std::size_t anchor = plain.size();
            plain += body.write(piece.base, false);
            if (piece.reading.empty()) continue;
            groups.push_back({anchor, plain.substr(anchor), &piece.reading});
        }
        body.closeEffects();
        carried = body.state();
        return {normaliseBodyText(body.take()), rubyText(plain, groups, carried)};
    }

private:
    // base(reading) for each group in order. Where the base occurs in the
    // body before the characters the file put it on, a group without
    // reading is put on each earlier occurrence first, so the reading lands
    // on exactly those characters.
    std::u16string rubyText(std::u16string_view plain, const std::vector<PendingGroup>& groups,
                            const FormattingState& carried) {
        MarkupWriter ruby(palette_, notes_, carried);
        std::size_t search = 0;
        int count = 0;
        for (const PendingGroup& group : groups) {
            if (const std::u16string_view why = unfitBase(group.base); !why.empty()) {
                notes_.emplace_back(why);
                continue;
            }
            const RubyFillers fillers = rubyFillers(plain, group.base, search, group.anchor);
            const int needed = fillers.groups + 1;
            if (count + needed > kMaxRubyGroups) {
                notes_.push_back(u"ルビは1行に" + toDecimal(kMaxRubyGroups) + u"個までのため、「" + group.base +
                                 u"」から後のルビを外しました");
                break;
            }
            ruby.append(fillers.text + group.base + u"(");
            ruby.write(*group.reading, true);
            ruby.append(u")");
            count += needed;
            search = group.anchor + 1;
        }
        const std::u16string raw = ruby.take();
        if (raw.empty()) return raw;
        std::u16string framed = formatRubyGroups(raw, carried);
        rubyCut_ = plainText(framed).size() < plainText(raw).size();
        return normaliseBodyText(framed);
    }

    PaletteMatcher& palette_;
    std::vector<std::u16string>& notes_;
    bool rubyCut_ = false;
};

}  // namespace

char16_t PaletteMatcher::textSlot(Rgb colour, std::vector<std::u16string>& notes) {
    return nearest(colour, TextColour, notes);
}

char16_t PaletteMatcher::borderSlot(Rgb colour, std::vector<std::u16string>& notes) {
    return char16_t(nearest(colour, BorderStartColour, notes) + (u'a' - u'A'));
}

char16_t PaletteMatcher::nearest(Rgb colour, ColourRole role, std::vector<std::u16string>& notes) {
    std::size_t best = 0;
    for (std::size_t slot = 1; slot < palette_.size(); ++slot)
        if (distance(colour, rgbOf(palette_[slot][role].value)) < distance(colour, rgbOf(palette_[best][role].value)))
            best = slot;
    const bool exact = distance(colour, rgbOf(palette_[best][role].value)) == 0;
    const std::pair<Rgb, ColourRole> key{colour, role};
    if (!exact && std::find(noted_.begin(), noted_.end(), key) == noted_.end()) {
        noted_.push_back(key);
        notes.push_back(std::u16string(role == TextColour ? u"文字色 " : u"縁取りの色 ") + hexOf(colour) +
                        u" は、色設定で最も近い" + std::u16string(kSlotNames[best]) + u"にしました");
    }
    return kColourLetters[best];
}

RowTexts rowTexts(const std::array<ImportLine, 2>& lines, PaletteMatcher& palette, std::vector<std::u16string>& notes) {
    RowTexts row;
    LineWriter writer(palette, notes);
    // Colours pass from one text to the next within a row; effects are off
    // at the end of every body.
    FormattingState carried;
    for (const int line : {0, 1}) {
        const std::size_t body = line == 0 ? Line1Body : Line2Body;
        std::tie(row.texts[body], row.texts[body + 1]) = writer.texts(lines[std::size_t(line)], carried);
        if (writer.rubyCut() && row.unfitRuby < 0) row.unfitRuby = int(body + 1);
    }
    return row;
}

bool hasVisibleText(const ImportLine& line) {
    for (const ImportPiece& piece : line)
        for (const ImportRun& run : piece.base)
            if (std::any_of(run.text.begin(), run.text.end(), [](char16_t c) { return !isBlank(c); })) return true;
    return false;
}

}  // namespace qucap
