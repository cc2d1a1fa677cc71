#include "filter/core/filter_settings.h"

#include "captiondata/profile/ini_profile.h"
#include "captiondata/project/project_keys.h"
#include "captiondata/project/project_settings.h"
#include "captiondata/text/paths.h"

namespace qucap {

std::u16string filterSettingsFilePath(std::u16string_view modulePath) {
    return settingsFilePath(folderOf(modulePath));
}

FilterSettings readFilterSettings(const Io& io, std::u16string_view modulePath) {
    FilterSettings settings;
    settings.settingsFilePath = filterSettingsFilePath(modulePath);
    settings.watermarkText = std::u16string(kMakerWebAddress);
    settings.projectFilePath = readLastOpenForFilter(io, settings.settingsFilePath);
    if (!namesFile(settings.projectFilePath) || !io.files.isFile(settings.projectFilePath)) return settings;
    const IniRead project = IniProfile(io).read(settings.projectFilePath);
    if (!project.readable()) return settings;
    const IniDocument& file = project.document;
    // In the order the filter has always read them.
    settings.captionInfoPath = readTextKey(file, kInpCapName);
    settings.boxInfoPath = readTextKey(file, kInpBoxName);
    settings.colourInfoPath = readTextKey(file, kInpColName);
    settings.mainFace = readTextKey(file, kMainName);
    settings.rubyFace = readTextKey(file, kRubyName);
    settings.mainSize = readIntKey(file, kMainSize);
    settings.rubySize = readIntKey(file, kRubySize);
    settings.layoutType = readIntKey(file, kLayoutType);
    settings.fillFlag = readIntKey(file, kLayoutFill);
    settings.sideFlag = readIntKey(file, kLayoutSide);
    settings.timeDisplay = readIntKey(file, kTimeDisp);
    settings.borderType = readIntKey(file, kBorderType);
    settings.gradation = readIntKey(file, kBorderGradation);
    settings.mainBorderWidth = readIntKey(file, kMainWidth);
    settings.rubyBorderWidth = readIntKey(file, kRubyWidth);
    settings.watermarkFlag = readIntKey(file, kWaterMarkDisp);
    settings.watermarkText = readWatermarkText(file);
    settings.watermarkColour = readWatermarkColour(file).colourRef();
    return settings;
}

}  // namespace qucap
