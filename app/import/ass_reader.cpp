// Advanced SubStation Alpha and SubStation Alpha v4: the styles of the
// [V4+ Styles] or [V4 Styles] section and the Dialogue lines of [Events].
#include <algorithm>
#include <array>
#include <unordered_set>

#include "app/import/ass_styles.h"
#include "app/import/ass_text.h"
#include "app/import/clock_time.h"
#include "app/import/readers.h"
#include "app/import/source_lines.h"
#include "app/import/text_scan.h"

namespace qucap {
namespace {

enum class Section { Other, V4PlusStyles, V4Styles, Events };

struct SectionHeader {
    std::u16string_view header;
    Section section;
};
constexpr std::array<SectionHeader, 3> kSections{{
    {u"[V4+ Styles]", Section::V4PlusStyles},
    {u"[V4 Styles]", Section::V4Styles},
    {u"[Events]", Section::Events},
}};

// One "Key: value" line of a section.
struct Entry {
    Section section;
    std::u16string_view key, value;
    const SourceLine& line;
};

// Calls visit(entry) for every "Key: value" line in file order, and for each
// section header with an empty key. Comment lines (";" or "!:") are passed over.
template <typename Visit>
void forEachEntry(const std::vector<SourceLine>& lines, Visit&& visit) {
    Section section = Section::Other;
    for (const SourceLine& line : lines) {
        const std::u16string_view text = trimmedBlanks(line.text);
        if (text.empty() || text.front() == u';' || text.substr(0, 2) == u"!:") continue;
        if (text.front() == u'[' && text.back() == u']') {
            section = Section::Other;
            for (const SectionHeader& known : kSections)
                if (equalsIgnoringAsciiCase(text, known.header)) section = known.section;
            visit(Entry{section, {}, {}, line});
            continue;
        }
        const std::size_t colon = text.find(u':');
        if (colon == std::u16string_view::npos) continue;
        std::u16string_view value = line.text.substr(line.text.find(u':') + 1);
        while (!value.empty() && isBlankCharacter(value.front())) value.remove_prefix(1);
        visit(Entry{section, trimmedBlanks(text.substr(0, colon)), value, line});
    }
}

class AssReader {
public:
    explicit AssReader(std::u16string_view text) : lines_(sourceLines(withoutMark(text))) {}
    ImportedCaptions read();

private:
    void styleEntry(const Entry& entry);
    void eventEntry(const Entry& entry);
    void dialogue(const Entry& entry);
    const AssStyle& styleNamed(std::u16string_view name, std::size_t sourceLine);

    std::vector<SourceLine> lines_;
    ImportedCaptions captions_;
    CueNotes notes_{captions_};
    AssStyles styles_;
    AssFormat styleFormat_ = defaultV4PlusStyleFormat();
    AssFormat eventFormat_ = defaultEventFormat();
    bool sawEvents_ = false;
    bool sawDialogue_ = false;
    std::unordered_set<std::u16string> missingStyles_;  // noted once each
    const AssStyle noStyle_{};
};

void AssReader::styleEntry(const Entry& entry) {
    if (entry.section != Section::V4PlusStyles && entry.section != Section::V4Styles) return;
    if (entry.key.empty()) {
        styleFormat_ = entry.section == Section::V4Styles ? defaultV4StyleFormat() : defaultV4PlusStyleFormat();
    } else if (equalsIgnoringAsciiCase(entry.key, u"Format")) {
        styleFormat_ = AssFormat::parse(entry.value);
    } else if (equalsIgnoringAsciiCase(entry.key, u"Style")) {
        // A short Style line still gives the fields it has.
        const AssStyles::Added added = styles_.add(splitFields(entry.value, styleFormat_.size()), styleFormat_);
        for (const std::u16string_view colour : added.unreadableColours)
            captions_.note(entry.line.number, u"色「" + excerpt(trimmedBlanks(colour)) + u"」が読めないため、スタイル「" +
                                                  excerpt(added.name) + u"」の色を外しました");
    }
}

void AssReader::eventEntry(const Entry& entry) {
    if (entry.section != Section::Events) return;
    if (entry.key.empty()) {
        sawEvents_ = true;
        eventFormat_ = defaultEventFormat();
    } else if (equalsIgnoringAsciiCase(entry.key, u"Format")) {
        eventFormat_ = AssFormat::parse(entry.value);
        if (!eventFormat_.indexOf(u"Start") || !eventFormat_.indexOf(u"End") || !eventFormat_.indexOf(u"Text")) {
            captions_.note(entry.line.number, u"Format の行に Start、End、Text がそろわないため、標準の並びで読みました");
            eventFormat_ = defaultEventFormat();
        }
    } else if (equalsIgnoringAsciiCase(entry.key, u"Dialogue")) {
        sawDialogue_ = true;
        dialogue(entry);
    } else if (!equalsIgnoringAsciiCase(entry.key, u"Comment")) {
        captions_.note(entry.line.number, excerpt(entry.key) + u" の行は字幕の行に持てないため外しました");
    }
}

const AssStyle& AssReader::styleNamed(std::u16string_view name, std::size_t sourceLine) {
    if (const AssStyle* style = styles_.find(name)) return *style;
    const AssStyle* fallback = styles_.find(u"Default");
    if (!name.empty() && missingStyles_.insert(std::u16string(name)).second)
        captions_.note(sourceLine, u"スタイル「" + excerpt(name) + (fallback ? u"」がないため、Default のスタイルで読みました"
                                                                            : u"」がないため、スタイルなしで読みました"));
    return fallback ? *fallback : noStyle_;
}

void AssReader::dialogue(const Entry& entry) {
    const std::vector<std::u16string_view> fields = splitFields(entry.value, eventFormat_.size());
    if (fields.size() < eventFormat_.size()) {
        captions_.note(entry.line.number, u"Dialogue の項目が足りないため、この行を飛ばしました");
        return;
    }
    const auto field = [&](std::u16string_view name) {
        const auto index = eventFormat_.indexOf(name);
        return index ? fields[*index] : std::u16string_view{};
    };
    const auto start = parseClockTime(trimmedBlanks(field(u"Start")));
    const auto end = parseClockTime(trimmedBlanks(field(u"End")));
    if (!start || !end) {
        captions_.note(entry.line.number, u"Dialogue の時間が読めないため、この行を飛ばしました");
        return;
    }
    const AssStyle& style = styleNamed(trimmedBlanks(field(u"Style")), entry.line.number);
    if (const std::u16string_view effect = trimmedBlanks(field(u"Effect")); !effect.empty())
        notes_.note(entry.line.number, u"効果「" + excerpt(effect) + u"」は字幕の行に持てないため外しました");
    AssText text = readAssText(field(u"Text"), style, styles_, entry.line.number, notes_);
    notes_.nextCue();
    ImportCue& cue = captions_.cues.emplace_back();
    cue.sourceLine = entry.line.number;
    cue.start = *start;
    cue.end = *end;
    cue.vertical = text.vertical;
    cue.lines = std::move(text.lines);
}

ImportedCaptions AssReader::read() {
    // Styles first, so a Dialogue finds a style the file defines after it.
    forEachEntry(lines_, [&](const Entry& entry) { styleEntry(entry); });
    forEachEntry(lines_, [&](const Entry& entry) { eventEntry(entry); });
    // The styles' notes came first; the user reads them in file order.
    std::stable_sort(captions_.notes.begin(), captions_.notes.end(),
                     [](const ImportNote& a, const ImportNote& b) { return a.sourceLine < b.sourceLine; });
    if (!sawEvents_) captions_.failure = u"ASSの[Events]の部分が見つかりません";
    else if (!sawDialogue_) captions_.failure = u"ASSの[Events]にDialogueの行がありません";
    return std::move(captions_);
}

}  // namespace

ImportedCaptions readAss(std::u16string_view text) { return AssReader(text).read(); }

}  // namespace qucap
