#include "app/import/ttml_styles.h"

#include "app/import/css_colour.h"
#include "app/import/text_scan.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

struct PropName {
    std::string_view name;
    StyleProp prop;
};
constexpr std::array<PropName, kStylePropCount> kPropNames{{
    {"color", StyleProp::Color},
    {"textOutline", StyleProp::TextOutline},
    {"fontWeight", StyleProp::FontWeight},
    {"fontStyle", StyleProp::FontStyle},
    {"textDecoration", StyleProp::TextDecoration},
    {"rubyPosition", StyleProp::RubyPosition},
    {"textEmphasis", StyleProp::TextEmphasis},
    {"textCombine", StyleProp::TextCombine},
    {"fontShear", StyleProp::FontShear},
    {"shear", StyleProp::Shear},
    {"origin", StyleProp::Origin},
    {"extent", StyleProp::Extent},
    {"position", StyleProp::Position},
    {"writingMode", StyleProp::WritingMode},
    {"ruby", StyleProp::Ruby},
}};

// Past this many chained references a style is taken as it stands.
constexpr int kMaxStyleDepth = 32;

std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> out;
    std::size_t at = 0;
    while (at < text.size()) {
        while (at < text.size() && isXmlSpace(text[at])) ++at;
        const std::size_t start = at;
        while (at < text.size() && !isXmlSpace(text[at])) ++at;
        if (at > start) out.push_back(text.substr(start, at - start));
    }
    return out;
}

// A value quoted in a note, cut short.
std::u16string quoted(std::string_view value) { return u"「" + truncated(fromUtf8(value), 40) + u"」"; }

// A colour value as a run keeps it; nothing, with a note, for one it cannot.
std::optional<Rgb> colourOf(std::string_view value, std::u16string_view attribute,
                            const std::function<void(std::u16string)>& note) {
    const std::optional<CssColour> colour = readCssColour(fromUtf8(value));
    if (!colour) {
        note(std::u16string(attribute) + u" の値" + quoted(value) + u"が読めないため外しました");
        return std::nullopt;
    }
    if (colour->transparent) {
        note(std::u16string(attribute) + u" の透明色は字幕の行に持てないため、色の指定を外しました");
        return std::nullopt;
    }
    return colour->rgb;
}

// The colour an outline names before its widths ("#FF0000 10%",
// "rgb(255, 0, 0) 2px"); nothing when it names none.
std::optional<std::string_view> outlineColourText(std::string_view value) {
    value = trimmedXmlSpace(value);
    if (value.starts_with("rgb")) return value.substr(0, value.find(')') + 1);
    const std::string_view first = value.substr(0, value.find_first_of(" \t\r\n"));
    const bool isLength = !first.empty() && (first.front() == '-' || first.front() == '+' || first.front() == '.' ||
                                             (first.front() >= '0' && first.front() <= '9'));
    if (first.empty() || isLength) return std::nullopt;
    return first;
}

}  // namespace

void StyleSet::overlay(const StyleSet& other) {
    for (std::size_t i = 0; i < kStylePropCount; ++i)
        if (other.values_[i]) values_[i] = other.values_[i];
}

StyleSet inlineStyles(pugi::xml_node element, const XmlScope& scope) {
    StyleSet styles;
    for (const pugi::xml_attribute attribute : element.attributes()) {
        const std::string_view local = splitName(attribute.name()).local;
        for (const PropName& entry : kPropNames)
            if (entry.name == local && scope.attributeNs(attribute) == kTtmlStylingNs)
                styles.set(entry.prop, attribute.value());
    }
    return styles;
}

std::vector<std::string_view> splitIdList(std::string_view text) { return words(text); }

void StyleSheet::add(std::string_view id, StyleSet own, std::vector<std::string_view> references) {
    // The first style of an id counts, as an id names one element.
    entries_.try_emplace(id, Entry{own, std::move(references), std::nullopt, false});
}

const StyleSet* StyleSheet::resolve(std::string_view id, int depth) {
    const auto found = entries_.find(id);
    if (found == entries_.end()) return nullptr;
    Entry& entry = found->second;
    if (entry.resolved) return &*entry.resolved;
    // A style referencing itself, directly or through others, adds nothing more.
    if (entry.resolving || depth > kMaxStyleDepth) return &entry.own;
    entry.resolving = true;
    StyleSet styles;
    for (const std::string_view reference : entry.references)
        if (const StyleSet* other = resolve(reference, depth + 1)) styles.overlay(*other);
    styles.overlay(entry.own);
    entry.resolving = false;
    entry.resolved = styles;
    return &*entry.resolved;
}

StyleSet StyleSheet::referenced(std::string_view references, std::vector<std::string_view>* missing) {
    StyleSet styles;
    for (const std::string_view id : words(references)) {
        if (const StyleSet* found = resolve(id, 0))
            styles.overlay(*found);
        else if (missing)
            missing->push_back(id);
    }
    return styles;
}

ComputedStyle ComputedStyle::child(const StyleSet& own) const {
    ComputedStyle out = *this;
    // The inherited values come before the positions in StyleProp; the
    // positions, writing mode and ruby belong to the element giving them.
    for (std::size_t i = 0; i < std::size_t(StyleProp::Origin); ++i) {
        const auto prop = StyleProp(i);
        if (prop != StyleProp::TextDecoration && own[prop]) out.inherited.set(prop, *own[prop]);
    }
    if (const auto decoration = own[StyleProp::TextDecoration]) {
        struct Word {
            std::string_view word;
            bool ComputedStyle::*line;
            bool on;
        };
        static constexpr std::array<Word, 6> kWords{{
            {"underline", &ComputedStyle::underline, true},
            {"noUnderline", &ComputedStyle::underline, false},
            {"lineThrough", &ComputedStyle::lineThrough, true},
            {"noLineThrough", &ComputedStyle::lineThrough, false},
            {"overline", &ComputedStyle::overline, true},
            {"noOverline", &ComputedStyle::overline, false},
        }};
        for (const std::string_view word : words(*decoration)) {
            if (word == "none") {
                out.underline = out.lineThrough = out.overline = false;
                continue;
            }
            bool known = false;
            for (const Word& entry : kWords)
                if (entry.word == word) out.*entry.line = entry.on, known = true;
            if (!known) out.unreadDecoration = word;
        }
    }
    return out;
}

ImportStyle importStyleOf(const ComputedStyle& style, const std::function<void(std::u16string)>& note) {
    ImportStyle out;
    if (const auto colour = style.inherited[StyleProp::Color]) out.colour = colourOf(*colour, u"tts:color", note);
    if (const auto outline = style.inherited[StyleProp::TextOutline]; outline && trimmedXmlSpace(*outline) != "none") {
        if (const auto colour = outlineColourText(*outline))
            out.border = colourOf(*colour, u"tts:textOutline", note);
        else
            out.border = out.colour;  // an outline without a colour takes the text's
    }
    if (const auto weight = style.inherited[StyleProp::FontWeight]; weight && trimmedXmlSpace(*weight) == "bold")
        out.effects |= kBold;
    if (const auto slant = style.inherited[StyleProp::FontStyle];
        slant && (trimmedXmlSpace(*slant) == "italic" || trimmedXmlSpace(*slant) == "oblique"))
        out.effects |= kItalic;
    if (style.underline) out.effects |= kUnderline;
    if (style.lineThrough) out.effects |= kStrikeOut;
    if (style.overline) note(u"tts:textDecoration の overline（上線）は字幕の行に持てないため外しました");
    if (!style.unreadDecoration.empty())
        note(u"tts:textDecoration の値" + quoted(style.unreadDecoration) + u"が読めないため外しました");
    return out;
}

bool isVerticalWritingMode(std::string_view mode) {
    mode = trimmedXmlSpace(mode);
    return mode == "tb" || mode == "tbrl" || mode == "tblr";
}

}  // namespace qucap
