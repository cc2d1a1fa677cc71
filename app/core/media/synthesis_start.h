#pragma once
// Offers: the start of a caption synthesis before its graph runs — saving
// the project settings, validating the caption list, writing the data files,
// making sure there is an output name — and the output checks that the
// synthesis graph makes after its encoders are added: an existing output
// file, the input size and the free space of the output folder.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/caption_list/caption_list.h"
#include "captiondata/box/box_info.h"
#include "captiondata/colour/colour_info.h"
#include "captiondata/io/io.h"
#include "captiondata/project/project_settings.h"
#include "captiondata/text/paths.h"

namespace qucap {

inline constexpr std::u16string_view kOutputExistsQuestion = u"ファイルは既に存在します。\n上書きしますか？";
inline constexpr std::u16string_view kDiskInfoFailed = u"ディスク情報取得に失敗しました";
inline constexpr std::u16string_view kFreeSpaceShortSuffix = u" の空き容量が不足しています\n";
inline constexpr std::u16string_view kChooseAnotherDrive = u"別のドライブを指定して、もう一度実行して下さい";
inline constexpr std::u16string_view kProcessingInterrupted = u"処理が中断されました";
inline constexpr std::u16string_view kOutputIsInput = u"出力動画に入力動画と同じファイルは指定できません";
inline constexpr std::u16string_view kOutputIsFolder = u"出力動画にフォルダは指定できません";
inline constexpr std::u16string_view kOutputFolderMissingPrefix = u"出力動画を保存するフォルダがありません：";
inline constexpr std::u16string_view kOutputNotRemoved = u"既存の出力動画ファイルを削除できませんでした";
inline constexpr std::u16string_view kFinishedMovieKeptAs = u"合成した動画は次のファイルに保存されています：\n";

inline constexpr std::u16string_view kOutputNotCreated = u"出力動画ファイルを作成できませんでした";

// Shown when the movie's file cannot be created at all (a name the system
// refuses, a folder or volume that cannot be written): names the file.
std::u16string outputNotCreatedMessage(std::u16string_view outputPath);

// Shown when the finished movie could not take the place of the old output
// file: the old file stays, and the finished movie is kept under `keptPath`.
std::u16string outputNotReplacedMessage(std::u16string_view keptPath);

// Why a start was refused; None when it may go on.
enum class SynthesisRefusal {
    None,
    SettingsNotSaved,    // SaveProjectSettings reported a failure
    CaptionsInvalid,     // a caption row failed validation (message line shows which)
    DataFileNotWritten,  // a caption-, box- or colour-info file could not be written
    NoOutputName,        // the save dialog was cancelled
    OutputIsInput,       // the output path names the input movie
    OutputIsFolder,      // the output path names a folder
    OutputFolderMissing, // the folder of the output path does not exist
    DiskInfoFailed,      // the free space of the output folder could not be read
    NotEnoughSpace,      // less free space than the input's size
};

struct SynthesisStartResult {
    SynthesisRefusal refusal = SynthesisRefusal::None;
    std::u16string outputPath;  // the final output name (also when refused)
    bool go() const { return refusal == SynthesisRefusal::None; }
};

// What the start writes. The caption list is always validated; each file is
// written only when asked for and when its path names a file, so a batch
// caller that did not load the box or colour rows leaves those files alone.
struct SynthesisProject {
    std::u16string_view projectFile;
    ProjectSettings& settings;  // saved first; outputMoviePath takes the final name
    CaptionList& captions;
    std::u16string_view projectFolder;  // proposed folder of a new caption-info file
    bool writeCaptionInfo = true;
    const std::vector<BoxRow>* boxes = nullptr;  // written when not null
    BoxMovie boxMovie{};
    const ColourTable* colours = nullptr;        // written when not null
};

// The save dialog that asks for the output movie: "無題", "動画ﾌｧｲﾙ", "avi".
SaveFileRequest outputMovieSaveRequest(std::u16string_view proposedFolder);

// Steps before the graph: save the settings, validate the captions, write
// the data files, then make sure of an output name (empty or "設定なし" asks
// through the Ui's save dialog; a console caller sets the name beforehand).
// A name chosen in the dialog sets `overwriteConfirmed`. An output path
// equal to the input movie (kOutputIsInput) or naming a folder
// (kOutputIsFolder) is refused with a box before anything is written. On
// success the settings' output path is the final name.
SynthesisStartResult prepareSynthesis(const Io& io, SynthesisProject& project, bool& overwriteConfirmed);

// The output checks of the synthesis graph, in order: the output is
// neither the input movie nor a folder (as above); an existing output
// file may be replaced when `overwriteConfirmed` or the user says Yes to
// kOutputExistsQuestion; on No the save dialog asks for another name (cancel
// refuses; a chosen name, the same or another, sets `overwriteConfirmed`).
// No file is removed here: the finished movie replaces the old one only when
// the synthesis completed. An output folder that does not exist is refused
// with a box naming it. Then the input size (0 when it cannot be read) is
// compared with the free space of the output folder: free space equal to the
// size passes; a failed query puts kDiskInfoFailed on the message line; too
// little space shows "<folder> の空き容量が不足しています\n別のドライブを…"
// and then kProcessingInterrupted on the message line.
SynthesisStartResult checkSynthesisOutput(const Io& io, std::u16string_view inputPath, std::u16string_view outputPath,
                                          bool& overwriteConfirmed);

}  // namespace qucap
