#include "app/import/caption_rows.h"

#include <algorithm>
#include <unordered_map>

#include "app/import/row_markup.h"
#include "captiondata/limits.h"
#include "captiondata/markup/markup.h"
#include "captiondata/text/u16.h"
#include "captiondata/time/time_text.h"

namespace qucap {
namespace {

// The caption list shows times up to 9:59:59.99.
constexpr int64_t kLatestTime = kLargestShownTime / 10 * 10;
constexpr std::u16string_view kLineJoint = u"\u3000";

int64_t toCentiseconds(int64_t milliseconds) { return milliseconds <= 0 ? 0 : (milliseconds + 5) / 10 * 10; }

std::u16string timeText(int64_t milliseconds) { return formatTime(int32_t(milliseconds), TimeForm::Caption); }

// "12:00:00" for a time the caption form cannot show.
std::u16string longTimeText(int64_t milliseconds) {
    const auto two = [](int64_t value) { return std::u16string(value < 10 ? u"0" : u"") + toDecimal(value); };
    return toDecimal(milliseconds / 3'600'000) + u":" + two(milliseconds / 60'000 % 60) + u":" +
           two(milliseconds / 1000 % 60);
}

// One row of the list being built: an existing row, kept as it is, or an
// imported cue with its visible lines.
struct Slot {
    bool existing = false;
    CaptionFileRow row;  // existing rows
    std::size_t sourceLine = 0;
    int64_t start = 0, end = 0;
    bool vertical = false;
    std::vector<ImportLine> lines;
};

class RowBuilder {
public:
    RowBuilder(const ColourTable& palette, ImportedRows& result) : palette_(palette), result_(result) {}

    void note(std::size_t line, std::u16string text) { result_.notes.push_back({line, std::move(text)}); }

    // The cue's visible lines and rounded times; false when it is left out.
    bool take(const ImportCue& cue, std::vector<Slot>& slots) {
        Slot slot;
        slot.sourceLine = cue.sourceLine;
        slot.start = toCentiseconds(cue.start);
        slot.end = toCentiseconds(cue.end);
        slot.vertical = cue.vertical;
        for (const ImportLine& line : cue.lines)
            if (hasVisibleText(line)) slot.lines.push_back(line);
        if (slot.lines.empty()) {
            note(cue.sourceLine, u"表示する文字がないため、この字幕は読み込みませんでした");
            return false;
        }
        if (slot.end <= slot.start) {
            note(cue.sourceLine, u"表示時間がないため、この字幕は読み込みませんでした");
            return false;
        }
        slots.push_back(std::move(slot));
        return true;
    }

    // Cues starting at the same time become one row: a row shows one
    // caption at a time.
    void joinSameStarts(std::vector<Slot>& slots) {
        std::vector<Slot> joined;
        for (Slot& slot : slots) {
            if (!joined.empty() && !joined.back().existing && !slot.existing && joined.back().start == slot.start) {
                Slot& into = joined.back();
                note(slot.sourceLine, u"同じ時間に始まる前の字幕と一つの字幕にまとめました");
                into.end = std::max(into.end, slot.end);
                into.lines.insert(into.lines.end(), slot.lines.begin(), slot.lines.end());
                continue;
            }
            joined.push_back(std::move(slot));
        }
        slots = std::move(joined);
    }

    // The row's two lines: the third and later lines follow the second
    // after a full-width space.
    std::array<ImportLine, 2> twoLines(const Slot& slot) {
        std::array<ImportLine, 2> lines;
        lines[0] = slot.lines[0];
        for (std::size_t i = 1; i < slot.lines.size(); ++i) {
            if (i > 1) lines[1].push_back({{{std::u16string(kLineJoint), {}}}, {}});
            lines[1].insert(lines[1].end(), slot.lines[i].begin(), slot.lines[i].end());
        }
        if (slot.lines.size() > 2) note(slot.sourceLine, u"3行目からの文字は2行目に全角空白でつなぎました");
        return lines;
    }

    // The imported row's texts, or false with the refusal set.
    bool fill(const Slot& slot, CaptionFileRow& row) {
        if (slot.start > kLatestTime || slot.end - slot.start > kLatestTime)
            return refuse(slot, u"の時間（" + longTimeText(slot.start > kLatestTime ? slot.start : slot.end) +
                                    u"）は字幕の時間（9:59:59.99まで）に入りません");
        std::vector<std::u16string> notes;
        const RowTexts texts = rowTexts(twoLines(slot), palette_, notes);
        row.texts = texts.texts;
        for (std::u16string& text : notes) note(slot.sourceLine, std::move(text));
        if (texts.unfitRuby >= 0)
            return refuse(slot, u"の" + toDecimal(texts.unfitRuby / 2 + 1) + u"行目のルビは書式の記号を含めると字幕の行に入りません（" +
                                    toDecimal(int64_t(kCaptionTextMax)) + u"文字まで）");
        row.start = timeText(slot.start);
        row.duration = timeText(slot.end - slot.start);
        row.vertical = slot.vertical;
        for (int k = 0; k < kTextCount; ++k) {
            const std::u16string where = toDecimal(k / 2 + 1) + u"行目の" + (k % 2 == 0 ? u"本文" : u"ルビ");
            const std::size_t plain = plainText(row.texts[std::size_t(k)]).size();
            if (k % 2 == 0 && plain > kPlainTextMax)
                return refuse(slot, u"の" + where + u"は" + toDecimal(int64_t(plain)) + u"文字あり、字幕の行に入りません（" +
                                        toDecimal(int64_t(kPlainTextMax)) + u"文字まで）");
            if (row.texts[std::size_t(k)].size() > kCaptionTextMax)
                return refuse(slot, u"の" + where + u"は書式の記号を含めて" + toDecimal(int64_t(row.texts[std::size_t(k)].size())) +
                                        u"文字あり、字幕の行に入りません（" + toDecimal(int64_t(kCaptionTextMax)) +
                                        u"文字まで）");
        }
        if (captionFileLine(row).size() > kCaptionLineMax)
            return refuse(slot, u"は字幕情報ファイルの1行（" + toDecimal(int64_t(kCaptionLineMax)) + u"文字まで）に入りません");
        return true;
    }

private:
    bool refuse(const Slot& slot, std::u16string_view what) {
        result_.refusal = u"ファイルの" + toDecimal(int64_t(slot.sourceLine)) + u"行目の字幕" + std::u16string(what);
        return false;
    }

    PaletteMatcher palette_;
    ImportedRows& result_;
};

// Existing rows stay where their times put them; an imported row starts no
// earlier than the row before it ends and ends where the next row starts.
void fitBetweenNeighbours(std::vector<Slot>& slots, RowBuilder& builder) {
    std::vector<Slot> fitted;
    int64_t previousEnd = 0;
    for (std::size_t i = 0; i < slots.size(); ++i) {
        Slot& slot = slots[i];
        if (!slot.existing) {
            if (slot.start < previousEnd) {
                slot.start = previousEnd;
                builder.note(slot.sourceLine, u"前の字幕と重なるため、開始時間を" + timeText(slot.start) + u"にしました");
            }
            if (i + 1 < slots.size() && slot.end > slots[i + 1].start) {
                slot.end = slots[i + 1].start;
                builder.note(slot.sourceLine, u"次の字幕と重なるため、終了時間を" + timeText(slot.end) + u"にしました");
            }
            if (slot.end <= slot.start) {
                builder.note(slot.sourceLine, u"前後の字幕と重なるため、この字幕は読み込みませんでした");
                continue;
            }
        }
        previousEnd = std::max(previousEnd, slot.end);
        fitted.push_back(std::move(slot));
    }
    slots = std::move(fitted);
}

// A note said of many cues (a voice tag in every cue, say) is listed for
// the first few and then once for all the others.
constexpr std::size_t kRepeatsListed = 3;

std::vector<ImportNote> withRepeatsFolded(const std::vector<ImportNote>& notes) {
    std::unordered_map<std::u16string_view, std::size_t> total, met;
    for (const ImportNote& note : notes) ++total[note.text];
    std::vector<ImportNote> folded;
    for (const ImportNote& note : notes) {
        const std::size_t times = ++met[note.text];
        if (times > kRepeatsListed + 1) continue;
        folded.push_back(note);
        const std::size_t further = total[note.text] - times;
        if (times == kRepeatsListed + 1 && further > 0)
            folded.back().text += u"（このあと" + toDecimal(int64_t(further)) + u"か所も同じです）";
    }
    return folded;
}

}  // namespace

ImportedRows importedRows(const ImportedCaptions& captions, const ColourTable& palette,
                          const std::vector<CaptionFileRow>& existing) {
    ImportedRows result;
    result.notes = captions.notes;
    RowBuilder builder(palette, result);
    std::vector<Slot> slots;
    for (const CaptionFileRow& row : existing) {
        Slot slot;
        slot.existing = true;
        slot.row = row;
        slot.start = parseTime(row.start);
        slot.end = slot.start + parseTime(row.duration);
        slots.push_back(std::move(slot));
    }
    for (const ImportCue& cue : captions.cues) builder.take(cue, slots);
    std::stable_sort(slots.begin(), slots.end(), [](const Slot& a, const Slot& b) { return a.start < b.start; });
    builder.joinSameStarts(slots);
    fitBetweenNeighbours(slots, builder);

    for (const Slot& slot : slots) {
        CaptionFileRow row = slot.row;
        if (!slot.existing && !builder.fill(slot, row)) {
            result.rows.clear();
            result.importedCount = 0;
            return result;
        }
        row.number = toDecimal(int64_t(result.rows.size() + 1));
        result.rows.push_back(std::move(row));
        if (!slot.existing) ++result.importedCount;
    }
    std::stable_sort(result.notes.begin(), result.notes.end(),
                     [](const ImportNote& a, const ImportNote& b) { return a.sourceLine < b.sourceLine; });
    result.notes = withRepeatsFolded(result.notes);
    return result;
}

}  // namespace qucap
