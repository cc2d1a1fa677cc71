#pragma once
// The styling attributes a TTML reader looks at, how they are gathered
// (style references, chained, then the element's own attributes) and how
// they pass from region to body, div, p and span.
#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/import/imported_captions.h"
#include "app/import/ttml_xml.h"

namespace qucap {

enum class StyleProp {
    Color, TextOutline, FontWeight, FontStyle, TextDecoration, RubyPosition,  // inherited
    TextEmphasis, TextCombine, FontShear, Shear,  // inherited, dropped with a note
    Origin, Extent, Position,                     // positions of a p or span, dropped with a note
    WritingMode, Ruby,                            // the region's, the span's own
    Count
};
inline constexpr std::size_t kStylePropCount = std::size_t(StyleProp::Count);

// The values an element specifies, as the file writes them (views into the
// parsed document).
class StyleSet {
public:
    std::optional<std::string_view> operator[](StyleProp prop) const { return values_[std::size_t(prop)]; }
    void set(StyleProp prop, std::string_view value) { values_[std::size_t(prop)] = value; }
    // Takes every value `other` specifies.
    void overlay(const StyleSet& other);

private:
    std::array<std::optional<std::string_view>, kStylePropCount> values_;
};

// The tts:* attributes of an element that the reader looks at.
StyleSet inlineStyles(pugi::xml_node element, const XmlScope& scope);

// The <style> elements of the head by their xml:id, each with the styles it
// references applied before its own.
class StyleSheet {
public:
    void add(std::string_view id, StyleSet own, std::vector<std::string_view> references);
    // The styles of a style="a b" list in order, later ones winning; the
    // names not found go to `missing`.
    StyleSet referenced(std::string_view references, std::vector<std::string_view>* missing = nullptr);

private:
    struct Entry {
        StyleSet own;
        std::vector<std::string_view> references;
        std::optional<StyleSet> resolved;
        bool resolving = false;
    };
    const StyleSet* resolve(std::string_view id, int depth);
    std::unordered_map<std::string_view, Entry> entries_;
};

// The IDREFS of a style attribute.
std::vector<std::string_view> splitIdList(std::string_view text);

// What text carries down the tree: the inherited values and the line
// decorations set so far.
struct ComputedStyle {
    StyleSet inherited;
    bool underline = false, lineThrough = false, overline = false;
    std::string_view unreadDecoration;  // a textDecoration word not known, for the note

    // The style of a child that specifies `own`.
    ComputedStyle child(const StyleSet& own) const;
};

// A run's style, telling `note` what it had to leave out.
ImportStyle importStyleOf(const ComputedStyle& style, const std::function<void(std::u16string)>& note);

// Whether a writing mode runs top to bottom.
bool isVerticalWritingMode(std::string_view mode);

}  // namespace qucap
