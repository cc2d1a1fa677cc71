#include "app/core/font_settings/font_tab.h"

#include <algorithm>

#include "captiondata/text/u16.h"

namespace qucap {
namespace {

using Settings = ProjectSettings;

enum class EntryList { FontNames, Sizes, Widths };

// A drop-down list and the setting it stores: a font name, or a number
// whose decimal text is the entry.
struct ComboField {
    int id;
    EntryList list;
    std::u16string Settings::*name;
    int32_t Settings::*number;
    int32_t fallback;
    bool movesPositions;
};

constexpr ComboField kComboFields[] = {
    {kBodyFontNameCombo, EntryList::FontNames, &Settings::mainFontName, nullptr, 0, true},
    {kBodySizeCombo, EntryList::Sizes, nullptr, &Settings::mainSize, kMainSize.fallback, true},
    {kRubyFontNameCombo, EntryList::FontNames, &Settings::rubyFontName, nullptr, 0, true},
    {kRubySizeCombo, EntryList::Sizes, nullptr, &Settings::rubySize, kRubySize.fallback, true},
    {kBodyBorderWidthCombo, EntryList::Widths, nullptr, &Settings::mainBorderWidth, kMainWidth.fallback, false},
    {kRubyBorderWidthCombo, EntryList::Widths, nullptr, &Settings::rubyBorderWidth, kRubyWidth.fallback, false},
};

// A radio button and the value it stands for; the first of each group is
// what a value without a radio becomes.
struct RadioChoice {
    int id;
    int32_t Settings::*field;
    int32_t value;
    bool movesPositions;
};

constexpr RadioChoice kRadioChoices[] = {
    {kRubyOnBothSidesRadio, &Settings::layoutType, 1, true},
    {kRubyBetweenLinesRadio, &Settings::layoutType, 2, true},
    {kBorderOutlineRadio, &Settings::borderType, 1, false},
    {kBorderShadowRadio, &Settings::borderType, 2, false},
    {kBorderNoneRadio, &Settings::borderType, 3, false},
    {kBlackBoxRadio, &Settings::borderType, 4, false},
};

struct CheckField {
    int id;
    int32_t Settings::*field;
    bool movesPositions;
};

constexpr CheckField kCheckFields[] = {
    {kFillCheck, &Settings::fillFlag, true},
    {kSideCheck, &Settings::sideFlag, true},
    {kGradationCheck, &Settings::gradationFlag, false},
};

// The controls that only a border or its shadow uses.
constexpr int kBorderOnlyControls[] = {kGradationCheck, kBodyBorderWidthCombo, kRubyBorderWidthCombo};

std::vector<std::u16string> decimalEntries(int32_t first, int32_t last) {
    std::vector<std::u16string> entries;
    for (int32_t value = first; value <= last; ++value) entries.push_back(toDecimal(value));
    return entries;
}

const std::vector<std::u16string>& sizeEntries() {
    static const std::vector<std::u16string> entries = decimalEntries(kMainSize.min, kMainSize.max);
    return entries;
}

const std::vector<std::u16string>& widthEntries() {
    static const std::vector<std::u16string> entries = decimalEntries(kMainWidth.min, kMainWidth.max);
    return entries;
}

// The entries a list offers; the font lists offer `fontNames`.
const std::vector<std::u16string>& entriesOf(const ComboField& field, const std::vector<std::u16string>& fontNames) {
    if (field.list == EntryList::FontNames) return fontNames;
    return field.list == EntryList::Sizes ? sizeEntries() : widthEntries();
}

const ComboField* comboField(int id) {
    for (const ComboField& field : kComboFields)
        if (field.id == id) return &field;
    return nullptr;
}

const RadioChoice* radioChoice(int id) {
    for (const RadioChoice& choice : kRadioChoices)
        if (choice.id == id) return &choice;
    return nullptr;
}

std::u16string storedText(const Settings& settings, const ComboField& field) {
    return field.name ? settings.*field.name : toDecimal(settings.*field.number);
}

std::u16string defaultText(const ComboField& field) {
    return field.name ? std::u16string(kFallbackFontName) : toDecimal(field.fallback);
}

void store(Settings& settings, const ComboField& field, std::u16string_view text) {
    if (field.name)
        settings.*field.name = std::u16string(text);
    else
        settings.*field.number = readLeadingInt(text);
}

int indexOf(const std::vector<std::u16string>& items, std::u16string_view text) {
    const auto found = std::find(items.begin(), items.end(), text);
    return found == items.end() ? -1 : int(found - items.begin());
}

// The radio of `group` showing its stored value, null when none does.
const RadioChoice* checkedRadio(const Settings& settings, int32_t Settings::*group) {
    for (const RadioChoice& choice : kRadioChoices)
        if (choice.field == group && settings.*group == choice.value) return &choice;
    return nullptr;
}

const RadioChoice& firstRadio(int32_t Settings::*group) {
    for (const RadioChoice& choice : kRadioChoices)
        if (choice.field == group) return choice;
    return kRadioChoices[0];
}

bool usesBorderControls(int32_t borderType) { return borderTypeDrawsRings(borderType); }

}  // namespace

FontTab::FontTab(ProjectSettings& settings) : settings_(settings) {}

void FontTab::initialise(const std::vector<std::u16string>& installedFonts, const FontListedQuery& listed) {
    settings_.rewindSeconds = kInitialRewindSeconds;
    refillFontNames(installedFonts, listed);
}

FontTabChange FontTab::refillFontNames(const std::vector<std::u16string>& installedFonts,
                                       const FontListedQuery& listed) {
    fontNames_.clear();
    for (const std::u16string& name : installedFonts)
        if (listed && listed(name)) fontNames_.push_back(name);
    if (indexOf(fontNames_, kFallbackFontName) < 0) fontNames_.emplace_back(kFallbackFontName);

    const std::u16string body = settings_.mainFontName;
    const std::u16string ruby = settings_.rubyFontName;
    mendValues();
    FontTabChange change;
    change.movesPositions = body != settings_.mainFontName || ruby != settings_.rubyFontName;
    return change;
}

bool FontTab::mendValues() {
    bool mended = false;
    for (const ComboField& field : kComboFields) {
        if (indexOf(entriesOf(field, fontNames_), storedText(settings_, field)) >= 0) continue;
        store(settings_, field, defaultText(field));
        mended = true;
    }
    for (int32_t Settings::*group : {&Settings::layoutType, &Settings::borderType}) {
        if (checkedRadio(settings_, group)) continue;
        settings_.*group = firstRadio(group).value;
        mended = true;
    }
    return mended;
}

std::vector<ComboShown> FontTab::combos() const {
    std::vector<ComboShown> shown;
    for (const ComboField& field : kComboFields) {
        const std::vector<std::u16string>& items = entriesOf(field, fontNames_);
        shown.push_back({field.id, &items, indexOf(items, storedText(settings_, field))});
    }
    return shown;
}

int FontTab::layoutRadio() const {
    const RadioChoice* choice = checkedRadio(settings_, &Settings::layoutType);
    return choice ? choice->id : 0;
}

int FontTab::borderRadio() const {
    const RadioChoice* choice = checkedRadio(settings_, &Settings::borderType);
    return choice ? choice->id : 0;
}

std::vector<std::pair<int, bool>> FontTab::checkBoxes() const {
    std::vector<std::pair<int, bool>> boxes;
    for (const CheckField& field : kCheckFields) boxes.emplace_back(field.id, settings_.*field.field == 1);
    return boxes;
}

std::u16string FontTab::rewindText() const { return toDecimal(settings_.rewindSeconds); }

FontTabChange FontTab::chooseEntry(int combo, int index) {
    const ComboField* field = comboField(combo);
    if (!field) return {};
    const std::vector<std::u16string>& items = entriesOf(*field, fontNames_);
    const std::u16string before = storedText(settings_, *field);
    FontTabChange change;
    if (index >= 0 && index < int(items.size())) {
        store(settings_, *field, items[std::size_t(index)]);
    } else {
        store(settings_, *field, defaultText(*field));
        change.showAgain = true;
    }
    change.movesPositions = field->movesPositions && storedText(settings_, *field) != before;
    return change;
}

FontTabChange FontTab::chooseRadio(int radio) {
    const RadioChoice* choice = radioChoice(radio);
    if (!choice) return {};
    const int32_t before = settings_.*choice->field;
    settings_.*choice->field = choice->value;
    return {choice->movesPositions && before != choice->value, false};
}

FontTabChange FontTab::setChecked(int checkBox, bool checked) {
    for (const CheckField& field : kCheckFields) {
        if (field.id != checkBox) continue;
        const int32_t before = settings_.*field.field;
        settings_.*field.field = checked ? 1 : 0;
        return {field.movesPositions && before != settings_.*field.field, false};
    }
    return {};
}

FontTabChange FontTab::typeRewind(std::u16string_view text) {
    const std::u16string_view read = text.substr(0, 3);
    // An empty field is the user about to type; a text that does not start
    // with a digit reads as nothing and is shown as the 0 it gives.
    const bool startsWithDigit = !read.empty() && read[0] >= u'0' && read[0] <= u'9';
    const int32_t value = readLeadingInt(read);
    const bool valid = value >= kRepTime.min && value <= kRepTime.max && (startsWithDigit || text.empty());
    settings_.rewindSeconds = valid ? value : 0;
    return {false, !valid};
}

std::vector<ControlEnabling> FontTab::controlStates(PlayState state) const {
    const bool editable = !isPreviewActive(state);
    const bool borderControls = usesBorderControls(settings_.borderType);
    std::vector<ControlEnabling> states;
    for (const ComboField& field : kComboFields) states.push_back({field.id, editable});
    for (const RadioChoice& choice : kRadioChoices) states.push_back({choice.id, editable});
    for (const CheckField& field : kCheckFields) states.push_back({field.id, editable});
    states.push_back({kRewindEdit, editable});
    for (ControlEnabling& control : states)
        if (std::find(std::begin(kBorderOnlyControls), std::end(kBorderOnlyControls), control.id) !=
            std::end(kBorderOnlyControls))
            control.enabled = control.enabled && borderControls;
    states.push_back({kFontTabHelp, editable && state != PlayState::Synthesizing});
    return states;
}

}  // namespace qucap
