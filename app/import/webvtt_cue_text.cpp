#include "app/import/webvtt_cue_text.h"

#include <array>
#include <set>

#include "app/import/webvtt_cue_tokens.h"
#include "app/import/webvtt_timestamp.h"
#include "captiondata/markup/markup.h"

namespace qucap {
namespace {

enum class Element { Class, Italic, Bold, Underline, Ruby, RubyText, Voice, Language };

struct ElementTag {
    std::u16string_view name;
    Element element;
    unsigned effect;
};
constexpr std::array<ElementTag, 8> kTags{{
    {u"c", Element::Class, 0},
    {u"i", Element::Italic, kItalic},
    {u"b", Element::Bold, kBold},
    {u"u", Element::Underline, kUnderline},
    {u"ruby", Element::Ruby, 0},
    {u"rt", Element::RubyText, 0},
    {u"v", Element::Voice, 0},
    {u"lang", Element::Language, 0},
}};

const ElementTag* tagNamed(std::u16string_view name) {
    for (const ElementTag& tag : kTags)
        if (tag.name == name) return &tag;
    return nullptr;
}

struct OpenElement {
    Element element;
    ImportStyle style;
    bool grouping;  // the outermost ruby, or a reading of it: these make the ruby group
};

void appendRun(std::vector<ImportRun>& runs, std::u16string_view text, const ImportStyle& style) {
    if (text.empty()) return;
    if (!runs.empty() && runs.back().style == style)
        runs.back().text += text;
    else
        runs.push_back({std::u16string(text), style});
}

std::u16string textOf(const std::vector<ImportRun>& runs) {
    std::u16string text;
    for (const ImportRun& run : runs) text += run.text;
    return text;
}

// Walks the tokens as WebVTT builds its cue tree: an end tag closes the
// innermost element only when it names it ("</ruby>" closes a reading with
// its ruby), "<rt>" opens only directly inside a ruby.
class CueTextReader {
public:
    CueTextReader(std::u16string_view text, std::size_t firstLine, const WebVttStyles& styles)
        : text_(text), lineNumber_(firstLine), cueStyle_(applied({}, styles.allCues)), styles_(styles) {}

    CueText read() {
        CueTokenizer tokenizer(text_);
        while (!tokenizer.atEnd()) {
            const CueToken token = tokenizer.next();
            tokenLine_ = lineAt(token.start);
            if (!token.unknownReference.empty())
                note(u"reference", u"文字参照 " + token.unknownReference + u" は読めないため、そのまま残しました");
            switch (token.kind) {
            case CueTokenKind::Text: addText(token); break;
            case CueTokenKind::StartTag: open(token); break;
            case CueTokenKind::EndTag: close(token.value); break;
            case CueTokenKind::Timestamp: timestamp(token); break;
            }
        }
        while (!open_.empty()) pop();
        if (!text_.empty()) result_.lines.push_back(std::move(pieces_));
        return std::move(result_);
    }

private:
    // One note per kind in a cue, on the line of the token it is about.
    void note(std::u16string_view kind, std::u16string text) {
        if (!noted_.emplace(kind).second) return;
        result_.notes.push_back({tokenLine_, std::move(text)});
    }

    // Tokens come in order, so the line feeds are counted once.
    std::size_t lineAt(std::size_t offset) {
        for (; scanned_ < offset && scanned_ < text_.size(); ++scanned_)
            if (text_[scanned_] == u'\n') ++lineNumber_;
        return lineNumber_;
    }

    const ImportStyle& style() const { return open_.empty() ? cueStyle_ : open_.back().style; }

    std::vector<ImportRun>& plainRuns() {
        if (pieces_.empty() || !pieces_.back().reading.empty()) pieces_.emplace_back();
        return pieces_.back().base;
    }

    std::vector<ImportRun>& target() { return readingOpen_ ? reading_ : groupOpen_ ? base_ : plainRuns(); }

    void addText(const CueToken& token) {
        std::u16string_view text = token.value;
        while (true) {
            const std::size_t feed = text.find(u'\n');
            if (feed != 0 && !text.empty()) appendRun(target(), text.substr(0, feed), style());
            if (feed == std::u16string_view::npos) break;
            if (groupOpen_) {
                note(u"ruby-break", u"ルビの中の改行は字幕の行に持てないため外しました");
            } else {
                result_.lines.push_back(std::move(pieces_));
                pieces_.clear();
            }
            text.remove_prefix(feed + 1);
        }
    }

    void open(const CueToken& token) {
        const ElementTag* tag = tagNamed(token.value);
        if (!tag) {
            if (token.value.empty())
                note(u"<>", u"名前のないタグは読めないため外しました");
            else
                note(u"<" + token.value, u"<" + token.value + u"> の指定は字幕の行に持てないため外しました");
            return;
        }
        if (tag->element == Element::RubyText && (open_.empty() || open_.back().element != Element::Ruby)) return;
        if (tag->element == Element::Voice)
            note(u"voice", u"話者の指定（<v" + (token.annotation.empty() ? u"" : u" " + token.annotation) +
                               u">）は字幕の行に持てないため外しました");
        bool grouping = false;
        if (tag->element == Element::Ruby) {
            grouping = !groupOpen_;
            if (!grouping) note(u"nested-ruby", u"ルビの中のルビは字幕の行に持てないため、文字だけ残しました");
            groupOpen_ = true;
        } else if (tag->element == Element::RubyText) {
            grouping = open_.back().grouping;
            readingOpen_ = readingOpen_ || grouping;
        }
        ImportStyle style = this->style();
        style.effects |= tag->effect;
        style = withClasses(style, token);
        open_.push_back({tag->element, style, grouping});
    }

    // The default colour classes first, the file's rules over them.
    ImportStyle withClasses(ImportStyle style, const CueToken& token) {
        for (const std::u16string& name : token.classes) {
            if (const std::optional<Rgb> colour = defaultClassColour(name)) style.colour = colour;
            if (isBackgroundClass(name))
                note(u"background", u"背景色（" + name + u"）は字幕の行に持てないため外しました");
        }
        for (const std::u16string& name : token.classes)
            if (const auto rule = styles_.classes.find(name); rule != styles_.classes.end())
                style = applied(style, rule->second);
        return style;
    }

    void close(std::u16string_view name) {
        if (open_.empty()) return;
        const Element innermost = open_.back().element;
        if (const ElementTag* tag = tagNamed(name); tag && tag->element == innermost) {
            pop();
        } else if (name == u"ruby" && innermost == Element::RubyText) {
            pop();
            pop();
        }
    }

    void pop() {
        const OpenElement element = open_.back();
        open_.pop_back();
        if (!element.grouping) return;
        if (element.element == Element::RubyText) {
            readingOpen_ = false;
            endGroup();
        } else if (element.element == Element::Ruby) {
            groupOpen_ = false;
            flushBase();
        }
    }

    // A reading ends the group of the base before it; a base without a
    // reading stays plain text.
    void endGroup() {
        if (reading_.empty()) {
            flushBase();
        } else if (base_.empty()) {
            note(u"ruby-base", u"ルビ「" + textOf(reading_) + u"」の付く文字がないため外しました");
        } else {
            pieces_.push_back({std::move(base_), std::move(reading_)});
        }
        base_.clear();
        reading_.clear();
    }

    void flushBase() {
        for (const ImportRun& run : base_) appendRun(plainRuns(), run.text, run.style);
        base_.clear();
    }

    void timestamp(const CueToken& token) {
        std::size_t at = 0;
        if (!collectWebVttTimestamp(token.value, at) || at != token.value.size()) return;
        note(u"timestamp", u"文字ごとの時間（<" + token.value + u">）は字幕の行に持てないため外しました");
    }

    std::u16string_view text_;
    std::size_t lineNumber_;
    std::size_t scanned_ = 0;
    std::size_t tokenLine_ = 0;
    ImportStyle cueStyle_;
    const WebVttStyles& styles_;
    std::vector<OpenElement> open_;
    bool groupOpen_ = false, readingOpen_ = false;
    std::vector<ImportRun> base_, reading_;
    ImportLine pieces_;
    CueText result_;
    std::set<std::u16string, std::less<>> noted_;
};

}  // namespace

CueText readCueText(std::u16string_view text, std::size_t firstLine, const WebVttStyles& styles) {
    return CueTextReader(text, firstLine, styles).read();
}

}  // namespace qucap
