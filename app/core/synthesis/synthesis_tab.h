#pragma once
// The model behind the synthesis tab: the watermark settings as the tab
// shows and takes them, the encoder lists and the user's choice, which
// controls are usable in each state, and the output file whose replacement
// the user has agreed to.
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/main_window/main_controls.h"
#include "app/core/main_window/play_state.h"
#include "app/core/media/encoder_tables.h"
#include "captiondata/project/project_settings.h"

namespace qucap {

// The first item of each encoder list: no encoder chosen.
inline constexpr std::u16string_view kChooseVideoEncoderItem = u" 選択して下さい";
inline constexpr std::u16string_view kStandardAudioEncoderItem = u" 標準のエンコーダを使う";
// The longest watermark text the tab takes.
inline constexpr std::size_t kWatermarkTextMax = 255;

// Controls of dialog 114.
enum SynthesisTabControl : int {
    kSynthesisHelp = 1001,
    kExportSamiButton = 1014,
    kExportSrtButton = 1015,
    kStartSynthesisButton = 1016,
    kAbortSynthesisButton = 1017,
    kWatermarkGroup = 1162,
    kWatermarkShownCheck = 1163,
    kFilterPropertiesButton = 1164,
    kFilterListButton = 1165,
    kWatermarkTextLabel = 1166,
    kWatermarkTextEdit = 1167,
    kWatermarkRedRadio = 1168,  // then green, blue, yellow, pink, cyan, black
    kWatermarkWhiteRadio = 1175,
    kProgressArea = 1176,
    kVideoEncoderLabel = 1177,
    kVideoEncoderCombo = 1178,
    kVideoEncoderProperties = 1179,
    kAudioEncoderLabel = 1180,
    kAudioEncoderCombo = 1181,
    kAudioEncoderProperties = 1182,
};

// Whether a display-item list of encoders offers a name.
using EncoderListedQuery = std::function<bool(std::u16string_view name)>;

// The combo items: the first item, then the compressors and then the
// encoder filters the display-item list offers, in table order.
std::vector<std::u16string> videoEncoderItems(const EncoderTables& tables, const EncoderListedQuery& listed);
std::vector<std::u16string> audioEncoderItems(const EncoderTables& tables, const EncoderListedQuery& listed);

// The output movie whose replacement the user agreed to, by choosing it in
// a save dialog or answering Yes: only that file is replaced without asking;
// any other output (another project's, a name typed later) is asked about.
class OverwriteConfirmation {
public:
    bool confirmedFor(std::u16string_view outputPath) const;
    void confirm(std::u16string_view outputPath) { path_ = outputPath; }
    void clear() { path_.clear(); }

private:
    std::u16string path_;
};

class SynthesisTab {
public:
    explicit SynthesisTab(ProjectSettings& settings) : settings_(settings) {}

    // When the page is made: an empty watermark text becomes the maker's
    // address, the lists are filled and nothing is chosen.
    void initialise(const EncoderTables& tables, const EncoderListedQuery& videoListed,
                    const EncoderListedQuery& audioListed);
    // Both lists filled anew (also after an encoder display list was saved):
    // item 0 selected, both names empty, the video choice cleared.
    void fillEncoders(const EncoderTables& tables, const EncoderListedQuery& videoListed,
                      const EncoderListedQuery& audioListed);

    const std::vector<std::u16string>& videoItems() const { return videoItems_; }
    const std::vector<std::u16string>& audioItems() const { return audioItems_; }
    int videoSelection() const { return videoSelection_; }
    int audioSelection() const { return audioSelection_; }

    // The user's choice by item index (-1: no selection). The chosen name is
    // the item's text, empty for item 0 and no selection; it is returned.
    const std::u16string& chooseVideo(int index);
    const std::u16string& chooseAudio(int index);
    const std::u16string& videoEncoder() const { return videoEncoder_; }
    const std::u16string& audioEncoder() const { return audioEncoder_; }
    bool videoChosen() const { return videoChosen_; }
    // Both lists back on item 0, names empty, the video choice cleared.
    void clearChoice();

    // Applies the refresh: in SynthesisDone a new synthesis needs a new
    // choice, so the choice is cleared. True when it was.
    bool refreshClearsChoice(PlayState state);

    // The watermark: shown flag, text (at most 255 characters kept) and the
    // colour by its radio button (1168 red … 1175 white; index 1–8).
    bool watermarkShown() const { return settings_.watermarkFlag != 0; }
    void setWatermarkShown(bool shown) { settings_.watermarkFlag = shown ? 1 : 0; }
    const std::u16string& watermarkText() const { return settings_.watermarkText; }
    void typeWatermarkText(std::u16string_view text);
    // The checked radio; a stored index outside 1–8 shows as cyan.
    int colourRadio() const;
    void chooseColourRadio(int radio);

    // Every control with its state. `running`: the synthesis-running flag.
    std::vector<ControlEnabling> controlStates(PlayState state, bool running) const;

private:
    ProjectSettings& settings_;
    std::vector<std::u16string> videoItems_;
    std::vector<std::u16string> audioItems_;
    int videoSelection_ = 0;
    int audioSelection_ = 0;
    std::u16string videoEncoder_;
    std::u16string audioEncoder_;
    bool videoChosen_ = false;
};

}  // namespace qucap
