#include "app/core/media/synthesis_start.h"

#include <algorithm>

#include "app/core/caption_list/caption_load.h"
#include "app/core/caption_list/caption_validation.h"
#include "captiondata/text/paths.h"

namespace qucap {
namespace {

SynthesisStartResult refused(SynthesisRefusal why, std::u16string_view outputPath) {
    return {why, std::u16string(outputPath)};
}

// An output that would overwrite the movie being read, or that names a
// folder, is refused with a box; None when the output may be used.
SynthesisRefusal refuseUnusableOutput(const Io& io, std::u16string_view inputPath, std::u16string_view outputPath) {
    if (!namesFile(outputPath)) return SynthesisRefusal::None;
    if (samePath(inputPath, outputPath)) {
        io.ui.warn(kOutputIsInput, Deliverable::Program);
        return SynthesisRefusal::OutputIsInput;
    }
    if (io.files.isDirectory(outputPath)) {
        io.ui.warn(kOutputIsFolder, Deliverable::Program);
        return SynthesisRefusal::OutputIsFolder;
    }
    return SynthesisRefusal::None;
}

int writeDataFiles(const Io& io, SynthesisProject& project) {
    ProjectSettings& settings = project.settings;
    if (project.writeCaptionInfo) {
        CaptionInfoProject captionProject{settings.captionInfoPath, project.projectFolder, project.projectFile};
        if (saveCaptionList(io, project.captions, captionProject) != 0) return -1;
    }
    if (project.boxes && namesFile(settings.boxInfoPath) &&
        writeBoxInfo(io, settings.boxInfoPath, *project.boxes, project.boxMovie) != 0)
        return -1;
    if (project.colours && namesFile(settings.colourInfoPath) &&
        writeColourInfo(io, settings.colourInfoPath, *project.colours) != 0)
        return -1;
    return 0;
}

}  // namespace

std::u16string outputNotCreatedMessage(std::u16string_view outputPath) {
    return std::u16string(kOutputNotCreated) + u"\n" + std::u16string(outputPath);
}

std::u16string outputNotReplacedMessage(std::u16string_view keptPath) {
    return std::u16string(kOutputNotRemoved) + u"\n" + std::u16string(kFinishedMovieKeptAs) + std::u16string(keptPath);
}

SaveFileRequest outputMovieSaveRequest(std::u16string_view proposedFolder) {
    return {joinPath(proposedFolder, u"無題"), u"動画ﾌｧｲﾙ", u"avi", {{u"ビデオﾌｧｲﾙ (*.avi)", u"*.avi"}, allFilesFilter()}};
}

SynthesisStartResult prepareSynthesis(const Io& io, SynthesisProject& project, bool& overwriteConfirmed) {
    ProjectSettings& settings = project.settings;
    if (const auto why = refuseUnusableOutput(io, settings.inputMoviePath, settings.outputMoviePath);
        why != SynthesisRefusal::None)
        return refused(why, settings.outputMoviePath);
    if (SaveProjectSettings(io, project.projectFile, settings) != 0)
        return refused(SynthesisRefusal::SettingsNotSaved, settings.outputMoviePath);
    if (validateCaptionList(project.captions, io.ui) != 0)
        return refused(SynthesisRefusal::CaptionsInvalid, settings.outputMoviePath);
    if (writeDataFiles(io, project) != 0)
        return refused(SynthesisRefusal::DataFileNotWritten, settings.outputMoviePath);
    if (!namesFile(settings.outputMoviePath)) {
        const auto chosen = io.ui.askSaveFileName(outputMovieSaveRequest(project.projectFolder));
        if (!chosen) return refused(SynthesisRefusal::NoOutputName, settings.outputMoviePath);
        if (const auto why = refuseUnusableOutput(io, settings.inputMoviePath, *chosen); why != SynthesisRefusal::None)
            return refused(why, *chosen);
        settings.outputMoviePath = *chosen;
        overwriteConfirmed = true;
    }
    return {SynthesisRefusal::None, settings.outputMoviePath};
}

SynthesisStartResult checkSynthesisOutput(const Io& io, std::u16string_view inputPath, std::u16string_view outputPath,
                                          bool& overwriteConfirmed) {
    std::u16string output(outputPath);
    if (const auto why = refuseUnusableOutput(io, inputPath, output); why != SynthesisRefusal::None)
        return refused(why, output);
    if (io.files.exists(output)) {
        // Nothing is removed here: the finished movie replaces the old file
        // in one move at the end, so a run that does not finish keeps it.
        if (overwriteConfirmed || io.ui.askYesNo(kOutputExistsQuestion, kProgramTitle)) {
            overwriteConfirmed = true;
        } else {
            const auto chosen = io.ui.askSaveFileName(outputMovieSaveRequest(folderOf(output)));
            if (!chosen) return refused(SynthesisRefusal::NoOutputName, output);
            if (const auto why = refuseUnusableOutput(io, inputPath, *chosen); why != SynthesisRefusal::None)
                return refused(why, *chosen);
            overwriteConfirmed = true;
            if (!samePath(*chosen, output)) output = *chosen;
        }
    }
    const uint64_t inputSize = io.files.fileSize(inputPath).value_or(0);
    const std::u16string folder = folderOf(output);
    // A folder that is not there has no free space to read: say what is wrong.
    if (!folder.empty() && !io.files.isDirectory(folder)) {
        io.ui.warn(std::u16string(kOutputFolderMissingPrefix) + folder, Deliverable::Program);
        return refused(SynthesisRefusal::OutputFolderMissing, output);
    }
    const auto freeSpace = io.files.freeSpace(folder);
    if (!freeSpace) {
        io.ui.setMessage(kDiskInfoFailed);
        return refused(SynthesisRefusal::DiskInfoFailed, output);
    }
    if (*freeSpace < inputSize) {
        io.ui.warn(folder + std::u16string(kFreeSpaceShortSuffix) + std::u16string(kChooseAnotherDrive),
                   Deliverable::Program);
        io.ui.setMessage(kProcessingInterrupted);
        return refused(SynthesisRefusal::NotEnoughSpace, output);
    }
    return {SynthesisRefusal::None, output};
}

}  // namespace qucap
