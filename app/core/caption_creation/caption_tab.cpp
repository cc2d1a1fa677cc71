#include "app/core/caption_creation/caption_tab.h"

#include "app/core/preview/preview_position.h"
#include "captiondata/caption/caption_file.h"
#include "captiondata/limits.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr int kFirstEditorControl = 1067;  // labels and editors 1067-1084
constexpr int kLastEditorControl = 1084;
constexpr int kHelpButton = 1001;
constexpr int kRepeatButton = 1005;
constexpr int kAddButton = 1006;
constexpr int kInsertButton = 1007;
constexpr int kDeleteButton = 1008;
constexpr int kRubyProposalButton = 1400;

template <typename Table, typename Match>
auto findIn(const Table& table, Match match) -> decltype(&table[0]) {
    for (const auto& entry : table)
        if (match(entry)) return &entry;
    return nullptr;
}

bool is(PlayState state, std::initializer_list<PlayState> states) {
    for (PlayState s : states)
        if (s == state) return true;
    return false;
}

}  // namespace

const CaptionEditorPair* editorPairOfText(int id) {
    return findIn(kCaptionEditors, [id](const CaptionEditorPair& pair) { return pair.text == id; });
}

const CaptionEditorPair* editorPairOfBorder(int id) {
    return findIn(kCaptionEditors, [id](const CaptionEditorPair& pair) { return pair.border == id; });
}

const EffectBox* effectBoxOf(int id) {
    return findIn(kEffectBoxes, [id](const EffectBox& box) { return box.id == id; });
}

const ColourRadio* colourRadioOf(int id) {
    return findIn(kColourRadios, [id](const ColourRadio& radio) { return radio.id == id; });
}

int colourRadioOfLetter(char16_t letter) {
    if (letter >= u'a' && letter <= u'z') letter = char16_t(letter - u'a' + u'A');
    const ColourRadio* radio = findIn(kColourRadios, [letter](const ColourRadio& r) { return r.letter == letter; });
    return radio ? radio->id : 0;
}

BoxState effectBoxState(EffectBit bit, unsigned uniform, unsigned on) {
    if (!(uniform & bit)) return BoxState::Mixed;
    return (on & bit) ? BoxState::Checked : BoxState::Unchecked;
}

std::vector<ControlEnabling> captionTabControlStates(const CaptionTabContext& context) {
    const PlayState state = context.state;
    const bool editing = context.rowSelected && state != PlayState::Playing;
    std::vector<ControlEnabling> states;
    for (int id = kFirstEditorControl; id <= kLastEditorControl; ++id) states.push_back({id, editing});
    for (const EffectBox& box : kEffectBoxes)
        states.push_back({box.id, editing && context.lastFocused == EditorKind::Text});
    for (const ColourRadio& radio : kColourRadios) states.push_back({radio.id, editing});
    const bool previewActive = isPreviewActive(state);
    states.push_back({kHelpButton, !is(state, {PlayState::Playing, PlayState::Paused, PlayState::Synthesizing})});
    states.push_back({kRepeatButton, !is(state, {PlayState::Playing, PlayState::Stopped})});
    states.push_back({kAddButton, !previewActive});
    states.push_back({kInsertButton, context.rowSelected && !previewActive});
    states.push_back({kDeleteButton, context.rowSelected && !previewActive});
    states.push_back({kRubyProposalButton, editing});
    return states;
}

int64_t repeatStart(int64_t rowStartMs, int64_t currentTimeMs, int rewindSeconds) {
    return pendingSeekTarget(rowStartMs != 0 ? rowStartMs : currentTimeMs, rewindSeconds);
}

std::size_t editorLimitFor(std::size_t shownLength) {
    return shownLength > kEditorTextLimit ? shownLength : kEditorTextLimit;
}

std::u16string firstLineOf(std::u16string_view pasted) {
    return std::u16string(pasted.substr(0, pasted.find_first_of(u"\r\n")));
}

std::optional<std::u16string> pasteRefusal(const CaptionEditorPair& editor, std::size_t length, std::size_t selected,
                                           std::size_t pasted, std::size_t limit) {
    const std::size_t kept = length > selected ? length - selected : 0;
    if (kept + pasted <= limit) return std::nullopt;
    return u"貼り付けると" + std::u16string(editor.name) + u"が" + toDecimal(int64_t(limit)) +
           u"文字を超えるため、貼り付けませんでした";
}

std::u16string typingLimitMessage(const CaptionEditorPair& editor, std::size_t limit) {
    return std::u16string(editor.name) + u"に入力できるのは" + toDecimal(int64_t(limit)) + u"文字までです";
}

std::optional<std::u16string> commitRefusal(const WorkingRow& row, const std::array<std::u16string, kTextCount>& typed) {
    for (const CaptionEditorPair& editor : kCaptionEditors) {
        const std::u16string& text = row.texts[std::size_t(editor.textIndex)];
        if (text.size() > kCaptionTextMax || plainText(text) != typed[std::size_t(editor.textIndex)])
            return std::u16string(editor.name) +
                   u"の文字と書式が多すぎるため、リストに保存できません。文字か書式を減らして下さい";
    }
    CaptionFileRow line;
    line.number = toDecimal(row.number);
    line.start = row.start;
    line.duration = row.duration;
    line.vertical = row.vertical;
    line.texts = row.texts;
    line.positions = row.positions;
    line.lock = row.lock;
    if (captionFileLine(line).size() > kCaptionLineMax)
        return u"字幕の行が字幕情報ファイルの1行（" + toDecimal(int64_t(kCaptionLineMax)) +
               u"文字）を超えるため、リストに保存できません。文字か書式を減らして下さい";
    return std::nullopt;
}

}  // namespace qucap
