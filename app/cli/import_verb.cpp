#include "app/cli/import_verb.h"

#include "app/export/cue_text.h"
#include "app/import/list_import.h"
#include "captiondata/text/u16.h"
#include "win32/win32_file_system.h"

namespace qucap {
namespace {

std::u16string formatNames() {
    std::u16string names;
    for (const ImportFormatInfo& info : importFormats()) names += (names.empty() ? u"" : u"、") + std::u16string(info.option);
    return names;
}

}  // namespace

int importVerb(const std::vector<std::u16string>& args, CliContext& context) {
    std::optional<ImportFormat> format;
    if (const std::optional<std::u16string> name = context.valueOf(kFormatOption)) {
        if (!(format = formatNamed(*name))) {
            context.err.writeLine(u"--format には " + formatNames() + u" のどれかを指定してください");
            return kExitBadArguments;
        }
    }
    OpenedProject project;
    if (openBatchProject(context.io, fullPathOf(args[0]), project) != 0) return kExitFailed;
    if (!namesFile(project.settings.captionInfoPath)) {
        context.err.writeLine(kImportNoCaptionFile);
        return kExitFailed;
    }
    const bool append = context.hasFlag(kAppendFlag);
    const std::vector<CaptionFileRow> existing = project.captions.fileRows();
    const CaptionFileImport imported =
        importCaptionFile(context.io, fullPathOf(args[1]), format, cueStyleOf(context.io, project.settings).colours,
                          append ? existing : std::vector<CaptionFileRow>{});
    if (!imported.failure.empty()) {
        for (const ImportNote& note : imported.rows.notes) context.err.writeLine(noteLine(note));
        context.err.writeLine(imported.failure);
        return kExitFailed;
    }
    // Asked once the file has given rows: a file that gives none changes nothing anyway.
    if (!append && !existing.empty() && !context.ui.askYesNo(replaceRowsQuestion(existing.size()), kProgramTitle)) {
        context.err.writeLine(kImportCancelled);
        return kExitFailed;
    }
    if (writeCaptionInfo(context.io, project.settings.captionInfoPath, imported.rows.rows) != 0) return kExitFailed;
    context.out.writeLine(importedCountMessage(imported.rows.importedCount));
    for (const ImportNote& note : imported.rows.notes) context.out.writeLine(noteLine(note));
    return kExitSuccess;
}

}  // namespace qucap
