#include "app/core/synthesis/synthesis_tab.h"

#include <initializer_list>

#include "captiondata/project/project_keys.h"
#include "captiondata/text/paths.h"

namespace qucap {
namespace {

void appendListed(std::vector<std::u16string>& items, const std::vector<std::u16string>& table,
                  const EncoderListedQuery& listed) {
    for (const std::u16string& name : table)
        if (listed && listed(name)) items.push_back(name);
}

std::vector<std::u16string> encoderItems(std::u16string_view first, const std::vector<std::u16string>& compressors,
                                         const std::vector<std::u16string>& filters, const EncoderListedQuery& listed) {
    std::vector<std::u16string> items{std::u16string(first)};
    appendListed(items, compressors, listed);
    appendListed(items, filters, listed);
    return items;
}

// The name behind an item index: empty for item 0 and for no selection.
std::u16string nameAt(const std::vector<std::u16string>& items, int index) {
    if (index <= 0 || index >= int(items.size())) return {};
    return items[std::size_t(index)];
}

bool is(PlayState state, std::initializer_list<PlayState> states) {
    for (PlayState s : states)
        if (s == state) return true;
    return false;
}

// The help, export and filter buttons and the settings: not while a preview
// plays or is paused, nor while a synthesis runs.
constexpr int kSettingControls[] = {
    kSynthesisHelp,     kExportSamiButton,   kExportSrtButton,        kFilterPropertiesButton, kFilterListButton,
    kWatermarkShownCheck, kWatermarkTextLabel, kWatermarkTextEdit,   kVideoEncoderLabel,      kVideoEncoderCombo,
    kVideoEncoderProperties, kAudioEncoderLabel, kAudioEncoderCombo, kAudioEncoderProperties,
};

}  // namespace

std::vector<std::u16string> videoEncoderItems(const EncoderTables& tables, const EncoderListedQuery& listed) {
    return encoderItems(kChooseVideoEncoderItem, tables.videoCompressors, tables.videoEncoderFilters, listed);
}

std::vector<std::u16string> audioEncoderItems(const EncoderTables& tables, const EncoderListedQuery& listed) {
    return encoderItems(kStandardAudioEncoderItem, tables.audioCompressors, tables.audioEncoderFilters, listed);
}

bool OverwriteConfirmation::confirmedFor(std::u16string_view outputPath) const {
    return !path_.empty() && samePath(path_, outputPath);
}

void SynthesisTab::initialise(const EncoderTables& tables, const EncoderListedQuery& videoListed,
                              const EncoderListedQuery& audioListed) {
    if (settings_.watermarkText.empty()) settings_.watermarkText = std::u16string(kMakerWebAddress);
    fillEncoders(tables, videoListed, audioListed);
}

void SynthesisTab::fillEncoders(const EncoderTables& tables, const EncoderListedQuery& videoListed,
                                const EncoderListedQuery& audioListed) {
    videoItems_ = videoEncoderItems(tables, videoListed);
    audioItems_ = audioEncoderItems(tables, audioListed);
    clearChoice();
}

const std::u16string& SynthesisTab::chooseVideo(int index) {
    videoSelection_ = index;
    videoEncoder_ = nameAt(videoItems_, index);
    videoChosen_ = !videoEncoder_.empty();
    return videoEncoder_;
}

const std::u16string& SynthesisTab::chooseAudio(int index) {
    audioSelection_ = index;
    audioEncoder_ = nameAt(audioItems_, index);
    return audioEncoder_;
}

void SynthesisTab::clearChoice() {
    chooseVideo(0);
    chooseAudio(0);
}

bool SynthesisTab::refreshClearsChoice(PlayState state) {
    if (state != PlayState::SynthesisDone) return false;
    clearChoice();
    return true;
}

void SynthesisTab::typeWatermarkText(std::u16string_view text) {
    settings_.watermarkText = std::u16string(text.substr(0, kWatermarkTextMax));
}

int SynthesisTab::colourRadio() const {
    return kWatermarkRedRadio + watermarkColourAt(settings_.watermarkColour).index - 1;
}

void SynthesisTab::chooseColourRadio(int radio) {
    if (radio >= kWatermarkRedRadio && radio <= kWatermarkWhiteRadio) settings_.watermarkColour = radio - kWatermarkRedRadio + 1;
}

std::vector<ControlEnabling> SynthesisTab::controlStates(PlayState state, bool running) const {
    const bool previewing = is(state, {PlayState::Playing, PlayState::Paused});
    const bool settable = !previewing && state != PlayState::Synthesizing;
    std::vector<ControlEnabling> states;
    for (int id : kSettingControls) states.push_back({id, settable});
    for (int radio = kWatermarkRedRadio; radio <= kWatermarkWhiteRadio; ++radio) states.push_back({radio, settable});
    states.push_back({kStartSynthesisButton, !previewing && !running && videoChosen_});
    states.push_back({kAbortSynthesisButton, !previewing && running});
    return states;
}

}  // namespace qucap
