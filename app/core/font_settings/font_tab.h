#pragma once
// The model behind the font-settings tab: the project's fonts, sizes, ruby
// layout, border style and rewind time as the tab offers, shows and takes
// them, which of its controls are usable, and which changes move the
// default display positions of the caption rows.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/main_window/main_controls.h"
#include "app/core/main_window/play_state.h"
#include "captiondata/project/project_settings.h"

namespace qucap {

// Every font list offers it; it stands in for a name that is not offered.
inline constexpr std::u16string_view kFallbackFontName = u"ＭＳ ゴシック";
// The rewind time of a tab just made (a project file without the key gives 0).
inline constexpr int32_t kInitialRewindSeconds = 3;

// Controls of dialog 105.
enum FontTabControl : int {
    kBodyFontNameCombo = 1041,
    kBodySizeCombo = 1043,
    kRubyFontNameCombo = 1045,
    kRubySizeCombo = 1047,
    kRubyOnBothSidesRadio = 1050,
    kRubyBetweenLinesRadio = 1051,
    kFillCheck = 1052,
    kSideCheck = 1053,
    kBorderOutlineRadio = 1054,
    kBorderShadowRadio = 1055,
    kBorderNoneRadio = 1056,
    kBlackBoxRadio = 1057,
    kGradationCheck = 1058,
    kBodyBorderWidthCombo = 1060,
    kRubyBorderWidthCombo = 1062,
    kRewindEdit = 1222,
    kFontTabHelp = 1001,
};

// Whether the display-item list of fonts offers a name.
using FontListedQuery = std::function<bool(std::u16string_view name)>;

// One drop-down list: its entries and the one that shows the stored value.
struct ComboShown {
    int id;
    const std::vector<std::u16string>* items;
    int selected;
};

// What a change asks of the page beside storing the value.
struct FontTabChange {
    bool movesPositions = false;  // a font, size, layout, fill or side value changed
    bool showAgain = false;       // the control must show the stored value again
    bool operator==(const FontTabChange&) const = default;
};

class FontTab {
public:
    // Works on the program's project settings.
    explicit FontTab(ProjectSettings& settings);

    // When the tab is made: the rewind time of a new tab, the lists filled
    // and the values mended as showing them does.
    void initialise(const std::vector<std::u16string>& installedFonts, const FontListedQuery& listed);

    // Both font lists filled anew, after the display-item list of fonts was
    // saved. A stored name no longer offered becomes "ＭＳ ゴシック"; the
    // change then moves the positions like a choice of the user.
    FontTabChange refillFontNames(const std::vector<std::u16string>& installedFonts, const FontListedQuery& listed);

    // The names both font lists offer: the listed installed fonts in table
    // order, then "ＭＳ ゴシック" when they do not hold it.
    const std::vector<std::u16string>& fontNames() const { return fontNames_; }

    // Showing the tab: a font name the lists do not offer becomes
    // "ＭＳ ゴシック", a size or width out of range its default. True when a
    // value was changed so.
    bool mendValues();
    // The six lists, each with the entry of its stored value.
    std::vector<ComboShown> combos() const;
    // The checked radio of the layout group and of the border group.
    int layoutRadio() const;
    int borderRadio() const;
    // The check boxes: fill, side and gradation, each with its state.
    std::vector<std::pair<int, bool>> checkBoxes() const;
    std::u16string rewindText() const;

    // The user's changes. An entry index of -1 (no selection) stores the
    // default and asks for it to be shown.
    FontTabChange chooseEntry(int combo, int index);
    FontTabChange chooseRadio(int radio);
    FontTabChange setChecked(int checkBox, bool checked);
    // Reads at most three characters as a decimal number; a value outside
    // 0 to 99, or a text not starting with a digit, stores 0 and shows it
    // again. An empty text stores 0 and stays empty.
    FontTabChange typeRewind(std::u16string_view text);

    // Every control of the tab with its state.
    std::vector<ControlEnabling> controlStates(PlayState state) const;

private:
    ProjectSettings& settings_;
    std::vector<std::u16string> fontNames_;
};

}  // namespace qucap
