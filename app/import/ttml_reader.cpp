// TTML and its IMSC 1.1 profiles through pugixml: the paragraphs of the
// body in file order, each one cue, timed as TTML nests times and styled as
// TTML inherits styles.
#include <algorithm>
#include <cmath>
#include <string>
#include <unordered_map>

#include <pugixml.hpp>

#include "app/import/readers.h"
#include "app/import/ttml_lines.h"
#include "app/import/ttml_styles.h"
#include "app/import/ttml_time.h"
#include "app/import/ttml_xml.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

// Elements nested deeper than this are skipped, so no file can exhaust the stack.
constexpr std::size_t kMaxDepth = 100;
// The latest time a cue takes, far beyond any movie.
constexpr double kMaxMs = 1e15;

using Note = std::function<void(std::u16string)>;

std::u16string quoted(std::string_view value) { return u"「" + truncated(fromUtf8(value), 40) + u"」"; }

int64_t milliseconds(double value) { return int64_t(std::llround(std::clamp(value, 0.0, kMaxMs))); }

// The styling a row has no place for, noted where text carries it; a value
// in `off` means the feature is not used.
struct DroppedStyle {
    StyleProp prop;
    std::u16string_view note;
    std::array<std::string_view, 2> off;
};
constexpr std::array<DroppedStyle, 4> kDroppedInherited{{
    {StyleProp::TextEmphasis, u"tts:textEmphasis（圏点）は字幕の行に持てないため外しました", {"none", ""}},
    {StyleProp::TextCombine, u"tts:textCombine（縦中横）は字幕の行に持てないため外し、文字はそのまま残しました",
     {"none", ""}},
    {StyleProp::FontShear, u"tts:fontShear（傾き）は字幕の行に持てないため外しました", {"0%", "0"}},
    {StyleProp::Shear, u"tts:shear（傾き）は字幕の行に持てないため外しました", {"0%", "0"}},
}};
constexpr std::array<DroppedStyle, 3> kDroppedOwn{{
    {StyleProp::Origin, u"tts:origin（位置）の指定は字幕の行に持てないため外しました", {"", ""}},
    {StyleProp::Extent, u"tts:extent（大きさ）の指定は字幕の行に持てないため外しました", {"", ""}},
    {StyleProp::Position, u"tts:position（位置）の指定は字幕の行に持てないため外しました", {"", ""}},
}};

template <std::size_t N>
void noteDropped(const std::array<DroppedStyle, N>& table, const StyleSet& styles, const Note& note) {
    for (const DroppedStyle& entry : table) {
        const auto value = styles[entry.prop];
        if (value && std::find(entry.off.begin(), entry.off.end(), *value) == entry.off.end())
            note(std::u16string(entry.note));
    }
}

struct Timing {
    double begin = 0;
    std::optional<double> end;  // nothing: open
    friend bool operator==(const Timing&, const Timing&) = default;
};

// What a body, div or paragraph passes to its children.
struct Context {
    Timing timing;
    std::string_view region;
    bool preserve = false;
    std::size_t depth = 0;
};

// What a paragraph's inline content passes down.
struct InlineContext {
    ComputedStyle style;
    Timing timing;
    bool preserve = false;
    std::size_t depth = 0;
};

class Reader {
public:
    ImportedCaptions read(std::u16string_view text);

private:
    void readParameters(pugi::xml_node tt, const XmlScope& scope);
    void readHead(pugi::xml_node head, const XmlScope& scope);
    StyleSet specified(pugi::xml_node element, const XmlScope& scope, const Note& note);
    Timing timingOf(pugi::xml_node element, const Timing& parent, double reference, const Note& note) const;
    bool preserves(pugi::xml_node element, const XmlScope& scope, bool parent) const;
    std::optional<double> readTimed(pugi::xml_node element, const XmlScope& parentScope, const Context& parent,
                                    double reference);
    std::optional<double> readParagraph(pugi::xml_node p, const XmlScope& scope, const Context& parent,
                                        double reference);
    void readInline(pugi::xml_node element, const XmlScope& scope, const InlineContext& context, TtmlLines& lines,
                    const Note& note);
    void readSpan(pugi::xml_node span, const XmlScope& scope, const InlineContext& context, TtmlLines& lines,
                  const Note& note);
    void readRuby(pugi::xml_node container, const XmlScope& scope, const InlineContext& context, TtmlLines& lines,
                  const Note& note);
    InlineContext spanContext(pugi::xml_node span, const XmlScope& scope, const InlineContext& parent,
                              const StyleSet& own, const Note& note) const;
    ImportStyle styleOfText(const ComputedStyle& style, const Note& note) const;
    std::size_t lineOf(pugi::xml_node node) const { return lines_->lineOf(node.offset_debug()); }
    Note documentNote(pugi::xml_node node) {
        return [this, line = lineOf(node)](std::u16string text) { captions_.note(line, std::move(text)); };
    }

    ImportedCaptions captions_;
    std::optional<LineIndex> lines_;
    TtmlClock clock_;
    StyleSheet styles_;
    std::unordered_map<std::string_view, StyleSet> regions_;
    std::vector<StyleSet> ancestors_;  // the styles body and divs specify above the paragraph read
    bool vertical_ = false;            // of the paragraph read
};

ImportedCaptions Reader::read(std::u16string_view text) {
    if (text.starts_with(u'\uFEFF')) text.remove_prefix(1);
    const std::string bytes = toUtf8(text);
    lines_.emplace(bytes);
    pugi::xml_document document;
    // pugixml's defaults load no external entity and expand no declared
    // one; white space between the spans of a paragraph is text too.
    const pugi::xml_parse_result parsed =
        document.load_buffer(bytes.data(), bytes.size(), pugi::parse_default | pugi::parse_ws_pcdata,
                             pugi::encoding_utf8);
    if (!parsed) {
        captions_.failure = u"TTMLとして読めません（XMLの誤り：" + fromUtf8(parsed.description()) + u"、" +
                            toDecimal(int64_t(lines_->lineOf(parsed.offset))) + u"行目）";
        return std::move(captions_);
    }
    const pugi::xml_node tt = document.document_element();
    const XmlScope scope(nullptr, tt);
    if (!scope.isElement(tt, kTtmlNs, "tt")) {
        captions_.failure = u"TTMLとして読めません（文書の要素が TTML の <tt> ではありません）";
        return std::move(captions_);
    }
    readParameters(tt, scope);
    for (const pugi::xml_node child : tt.children())
        if (scope.isElement(child, kTtmlNs, "head")) readHead(child, scope);
    Context root;
    root.preserve = preserves(tt, scope, false);
    for (const pugi::xml_node child : tt.children())
        if (scope.isElement(child, kTtmlNs, "body")) readTimed(child, scope, root, 0);
    return std::move(captions_);
}

void Reader::readParameters(pugi::xml_node tt, const XmlScope& scope) {
    const Note note = documentNote(tt);
    if (const auto base = scope.attribute(tt, kTtmlParameterNs, "timeBase"); base && *base != "media")
        note(u"ttp:timeBase" + quoted(*base) + u"には対応していないため、メディアの時間として読みました");
    const TtmlClockValues values{scope.attribute(tt, kTtmlParameterNs, "frameRate"),
                                 scope.attribute(tt, kTtmlParameterNs, "frameRateMultiplier"),
                                 scope.attribute(tt, kTtmlParameterNs, "subFrameRate"),
                                 scope.attribute(tt, kTtmlParameterNs, "tickRate")};
    std::string_view bad;
    clock_ = ttmlClockOf(values, &bad);
    if (!bad.empty()) note(fromUtf8(bad) + u" の値が読めないため、既定の値で読みました");
}

StyleSet Reader::specified(pugi::xml_node element, const XmlScope& scope, const Note& note) {
    std::vector<std::string_view> missing;
    StyleSet styles = styles_.referenced(element.attribute("style").value(), &missing);
    for (const std::string_view id : missing) note(u"style の参照" + quoted(id) + u"が見つからないため外しました");
    styles.overlay(inlineStyles(element, scope));
    return styles;
}

void Reader::readHead(pugi::xml_node head, const XmlScope& parentScope) {
    const XmlScope scope(&parentScope, head);
    // Every style first, so a region may name a style written after it.
    for (const pugi::xml_node styling : head.children()) {
        if (!scope.isElement(styling, kTtmlNs, "styling")) continue;
        const XmlScope stylingScope(&scope, styling);
        for (const pugi::xml_node style : styling.children()) {
            const XmlScope styleScope(&stylingScope, style);
            if (!styleScope.isElement(style, kTtmlNs, "style")) continue;
            if (const auto id = styleScope.attribute(style, kXmlNs, "id"))
                styles_.add(*id, inlineStyles(style, styleScope), splitIdList(style.attribute("style").value()));
        }
    }
    for (const pugi::xml_node layout : head.children()) {
        if (!scope.isElement(layout, kTtmlNs, "layout")) continue;
        const XmlScope layoutScope(&scope, layout);
        for (const pugi::xml_node region : layout.children()) {
            const XmlScope regionScope(&layoutScope, region);
            if (!regionScope.isElement(region, kTtmlNs, "region")) continue;
            const auto id = regionScope.attribute(region, kXmlNs, "id");
            if (!id) continue;
            const Note note = documentNote(region);
            StyleSet styles = styles_.referenced(region.attribute("style").value());
            // Styles nested in the region come after those it references.
            for (const pugi::xml_node nested : region.children()) {
                const XmlScope nestedScope(&regionScope, nested);
                if (nestedScope.isElement(nested, kTtmlNs, "style")) styles.overlay(specified(nested, nestedScope, note));
            }
            styles.overlay(inlineStyles(region, regionScope));
            regions_.try_emplace(*id, styles);
        }
    }
}

Timing Reader::timingOf(pugi::xml_node element, const Timing& parent, double reference, const Note& note) const {
    const auto read = [&](const char* name) -> std::optional<double> {
        const pugi::xml_attribute attribute = element.attribute(name);
        if (!attribute) return std::nullopt;
        const auto time = ttmlTimeMs(attribute.value(), clock_);
        if (!time) note(fromUtf8(name) + u" の時間" + quoted(attribute.value()) + u"が読めないため外しました");
        return time;
    };
    const auto begin = read("begin"), end = read("end"), dur = read("dur");
    Timing timing{reference + begin.value_or(0), std::nullopt};
    if (end) timing.end = reference + *end;
    if (dur) timing.end = std::min(timing.end.value_or(kMaxMs), timing.begin + *dur);
    // A child shows no longer than its parent; one starting after the
    // parent's end is never shown.
    if (parent.end) timing.end = std::max(timing.begin, std::min(timing.end.value_or(*parent.end), *parent.end));
    return timing;
}

bool Reader::preserves(pugi::xml_node element, const XmlScope& scope, bool parent) const {
    const auto space = scope.attribute(element, kXmlNs, "space");
    return space ? *space == "preserve" : parent;
}

std::optional<double> Reader::readTimed(pugi::xml_node element, const XmlScope& parentScope, const Context& parent,
                                        double reference) {
    const XmlScope scope(&parentScope, element);
    const Note note = documentNote(element);
    if (parent.depth > kMaxDepth) {
        note(u"入れ子が深すぎるため、この要素の中身を飛ばしました");
        return std::nullopt;
    }
    Context context;
    context.timing = timingOf(element, parent.timing, reference, note);
    const auto region = element.attribute("region");
    context.region = region ? std::string_view(region.value()) : parent.region;
    context.preserve = preserves(element, scope, parent.preserve);
    context.depth = parent.depth + 1;
    ancestors_.push_back(specified(element, scope, note));
    // In a sequence each child counts from the end of the one before it.
    const bool sequence = std::string_view(element.attribute("timeContainer").value()) == "seq";
    double childReference = context.timing.begin;
    for (const pugi::xml_node child : element.children()) {
        std::optional<double> end = childReference;
        if (scope.isElement(child, kTtmlNs, "div"))
            end = readTimed(child, scope, context, childReference);
        else if (scope.isElement(child, kTtmlNs, "p"))
            end = readParagraph(child, scope, context, childReference);
        else if (scope.isElement(child, kTtmlNs, "set"))
            documentNote(child)(u"<set> による変化は字幕の行に持てないため外しました");
        if (sequence && end) childReference = *end;
    }
    ancestors_.pop_back();
    return context.timing.end;
}

ImportStyle Reader::styleOfText(const ComputedStyle& style, const Note& note) const {
    noteDropped(kDroppedInherited, style.inherited, note);
    return importStyleOf(style, note);
}

std::optional<double> Reader::readParagraph(pugi::xml_node p, const XmlScope& parentScope, const Context& parent,
                                            double reference) {
    const XmlScope scope(&parentScope, p);
    const std::size_t line = lineOf(p);
    std::vector<std::u16string> said;  // one note of a kind a cue
    const Note note = [&](std::u16string text) {
        if (std::find(said.begin(), said.end(), text) != said.end()) return;
        said.push_back(text);
        captions_.note(line, std::move(text));
    };
    ImportCue cue;
    cue.sourceLine = line;
    InlineContext context;
    context.timing = timingOf(p, parent.timing, reference, note);
    context.preserve = preserves(p, scope, parent.preserve);
    context.depth = parent.depth + 1;

    // The paragraph's region is its own or an ancestor's, or else the
    // first one a span inside it names (as ffmpeg writes them).
    const auto regionAttribute = p.attribute("region");
    std::string_view regionId = regionAttribute ? std::string_view(regionAttribute.value()) : parent.region;
    if (regionId.empty())
        regionId = p.find_node([](pugi::xml_node node) { return bool(node.attribute("region")); })
                       .attribute("region")
                       .value();
    StyleSet regionStyles;
    if (const auto found = regions_.find(regionId); found != regions_.end())
        regionStyles = found->second;
    else if (!regionId.empty())
        note(u"region の参照" + quoted(regionId) + u"が見つからないため、横書きとして読みました");
    cue.vertical = vertical_ = regionStyles[StyleProp::WritingMode] &&
                               isVerticalWritingMode(*regionStyles[StyleProp::WritingMode]);
    // The region's styles pass to the body, and on down to the paragraph.
    context.style = ComputedStyle{}.child(regionStyles);
    for (const StyleSet& styles : ancestors_) context.style = context.style.child(styles);
    const StyleSet own = specified(p, scope, note);
    noteDropped(kDroppedOwn, own, note);
    context.style = context.style.child(own);

    TtmlLines lines;
    readInline(p, scope, context, lines, note);
    const std::vector<ImportLine> found = lines.lines();
    if (found.size() > 1 || !found.front().empty()) cue.lines = found;

    cue.start = milliseconds(context.timing.begin);
    if (!context.timing.end) note(u"終わりの時間がないため、表示の長さを 0 にしました");
    cue.end = milliseconds(context.timing.end.value_or(context.timing.begin));
    captions_.cues.push_back(std::move(cue));
    return context.timing.end;
}

InlineContext Reader::spanContext(pugi::xml_node span, const XmlScope& scope, const InlineContext& parent,
                                  const StyleSet& own, const Note& note) const {
    InlineContext context;
    context.style = parent.style.child(own);
    context.timing = timingOf(span, parent.timing, parent.timing.begin, note);
    if (context.timing != parent.timing)
        note(u"<span> ごとの時間は字幕の行に持てないため、その文字を段落の時間いっぱいに表示します");
    context.timing = parent.timing;
    context.preserve = preserves(span, scope, parent.preserve);
    context.depth = parent.depth + 1;
    noteDropped(kDroppedOwn, own, note);
    return context;
}

void Reader::readInline(pugi::xml_node element, const XmlScope& scope, const InlineContext& context,
                        TtmlLines& lines, const Note& note) {
    if (context.depth > kMaxDepth) {
        note(u"入れ子が深すぎるため、この要素の中身を飛ばしました");
        return;
    }
    for (const pugi::xml_node child : element.children()) {
        if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            lines.text(fromUtf8(child.value()), styleOfText(context.style, note), context.preserve);
        } else if (scope.isElement(child, kTtmlNs, "span")) {
            readSpan(child, scope, context, lines, note);
        } else if (scope.isElement(child, kTtmlNs, "br")) {
            lines.lineBreak();
        } else if (scope.isElement(child, kTtmlNs, "set")) {
            note(u"<set> による変化は字幕の行に持てないため外しました");
        }
    }
}

void Reader::readSpan(pugi::xml_node span, const XmlScope& parentScope, const InlineContext& parent,
                      TtmlLines& lines, const Note& note) {
    const XmlScope scope(&parentScope, span);
    const StyleSet own = specified(span, scope, note);
    const InlineContext context = spanContext(span, scope, parent, own, note);
    if (own[StyleProp::Ruby] == "container")
        readRuby(span, scope, context, lines, note);
    else if (own[StyleProp::Ruby] != "delimiter")  // a delimiter only stands in for ruby a player cannot show
        readInline(span, scope, context, lines, note);
}

void Reader::readRuby(pugi::xml_node container, const XmlScope& scope, const InlineContext& context,
                      TtmlLines& lines, const Note& note) {
    std::vector<std::vector<ImportRun>> bases, texts;
    bool after = false, textContainerSeen = false;
    // The base or reading of one span, a line of its own.
    const auto runsOf = [&](pugi::xml_node span, const XmlScope& spanScope, const InlineContext& spanContext) {
        TtmlLines part(false);
        readInline(span, spanScope, spanContext, part, note);
        return part.runs();
    };
    const auto take = [&](pugi::xml_node span, const XmlScope& parentScope, const InlineContext& parent,
                          std::string_view want, const auto& self) -> void {
        const XmlScope spanScope(&parentScope, span);
        const StyleSet own = specified(span, spanScope, note);
        const InlineContext spanContext = this->spanContext(span, spanScope, parent, own, note);
        const std::string_view kind = own[StyleProp::Ruby].value_or("");
        if (kind == "base" && (want.empty() || want == kind)) {
            bases.push_back(runsOf(span, spanScope, spanContext));
        } else if (kind == "text" && (want.empty() || want == kind)) {
            texts.push_back(runsOf(span, spanScope, spanContext));
            after = after || spanContext.style.inherited[StyleProp::RubyPosition] == "after";
        } else if ((kind == "baseContainer" || kind == "textContainer") && want.empty()) {
            if (kind == "textContainer" && std::exchange(textContainerSeen, true)) {
                note(u"二つ目のルビ（textContainer）は字幕の行に持てないため外しました");
                return;
            }
            for (const pugi::xml_node child : span.children())
                if (spanScope.isElement(child, kTtmlNs, "span"))
                    self(child, spanScope, spanContext, kind == "baseContainer" ? "base" : "text", self);
        } else if (kind != "delimiter") {
            bases.push_back(runsOf(span, spanScope, spanContext));  // no ruby part: text of the base
        }
    };
    for (const pugi::xml_node child : container.children()) {
        if (scope.isElement(child, kTtmlNs, "span")) {
            take(child, scope, context, "", take);
        } else if (child.type() == pugi::node_pcdata || child.type() == pugi::node_cdata) {
            if (std::string_view(child.value()).find_first_not_of(" \t\r\n") == std::string_view::npos) continue;
            TtmlLines part(false);
            part.text(fromUtf8(child.value()), styleOfText(context.style, note), context.preserve);
            bases.push_back(part.runs());
        }
    }
    const auto joined = [](const std::vector<std::vector<ImportRun>>& parts) {
        std::vector<ImportRun> out;
        for (const auto& part : parts) out.insert(out.end(), part.begin(), part.end());
        return out;
    };
    const auto plain = [&](const std::vector<ImportRun>& runs) {
        for (const ImportRun& run : runs) lines.text(run.text, run.style, true);
    };
    // Each base takes its own reading when they pair up; otherwise the
    // bases together take the readings together.
    std::vector<ImportPiece> groups;
    if (bases.size() == texts.size() && bases.size() > 1)
        for (std::size_t i = 0; i < bases.size(); ++i) groups.push_back({bases[i], texts[i]});
    else
        groups.push_back({joined(bases), joined(texts)});
    for (ImportPiece& group : groups) {
        if (group.reading.empty()) {
            plain(group.base);
        } else if (group.base.empty()) {
            note(u"ルビの親文字がないため、ルビを本文にしました");
            plain(group.reading);
        } else {
            if (after && lines.lineIndex() == 0)
                note(vertical_ ? u"1行目のルビ（after）は行の右側に置かれます" : u"1行目のルビ（after）は行の上側に置かれます");
            lines.ruby(std::move(group));
        }
    }
}

}  // namespace

ImportedCaptions readTtml(std::u16string_view text) { return Reader().read(text); }

}  // namespace qucap
