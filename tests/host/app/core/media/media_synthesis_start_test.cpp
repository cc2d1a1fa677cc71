#include "app/core/media/movie_size.h"
#include "app/core/media/synthesis_start.h"

#include <gtest/gtest.h>

#include "app/core/project/batch_project.h"
#include "captiondata/profile/ini_profile.h"
#include "tests/support/test_io.h"

namespace qucap {
namespace {

using test::TestIo;

constexpr std::u16string_view kInput = u"D:\\movies\\in.avi";
constexpr std::u16string_view kOutput = u"D:\\work\\demo\\出力動画.avi";
constexpr std::u16string_view kOutputFolder = u"D:\\work\\demo";

// A project made and opened as the console tool does, with its input movie.
struct SynthesisStartTest : ::testing::Test {
    TestIo t;
    OpenedProject opened;
    bool overwriteConfirmed = false;
    SynthesisStartTest() {
        t.files.addDirectory(u"C:\\Qucap");
        t.files.addDirectory(u"D:\\movies");
        t.files.addFile(kInput, std::string(1000, 'v'));
        NewProject request;
        request.name = u"デモ";
        request.saveLocation = std::u16string(kOutputFolder);
        request.settingsFile = u"C:\\Qucap\\Qucapadd.ini";
        request.inputMovie = std::u16string(kInput);
        request.movie = {333'667, 720};
        const std::u16string project = createBatchProject(t.io, request);
        EXPECT_EQ(openBatchProject(t.io, project, opened), 0);
    }
    SynthesisProject project() {
        return SynthesisProject{opened.projectFile, opened.settings, opened.captions, kOutputFolder};
    }
    SynthesisStartResult prepare() {
        SynthesisProject p = project();
        return prepareSynthesis(t.io, p, overwriteConfirmed);
    }
    SynthesisStartResult check(std::u16string_view output = kOutput) {
        return checkSynthesisOutput(t.io, kInput, output, overwriteConfirmed);
    }
    std::u16string projectKey(std::u16string_view section, std::u16string_view name) {
        return IniProfile(t.io).readString(opened.projectFile, section, name, u"(none)");
    }
};

TEST_F(SynthesisStartTest, SavesSettingsAndCaptionsThenGoesWithTheProjectsOutput) {
    opened.settings.watermarkText = u"透かし";
    opened.captions.setCell(0, kMarkupColumns[0], u"新しい字幕");
    const SynthesisStartResult result = prepare();
    EXPECT_TRUE(result.go());
    EXPECT_EQ(result.outputPath, kOutput);
    EXPECT_FALSE(overwriteConfirmed);
    EXPECT_EQ(projectKey(u"WaterMark", u"MarkString"), u"透かし");
    const std::u16string captions = test::fromUtf16Bytes(t.files.contents(opened.settings.captionInfoPath));
    EXPECT_NE(captions.find(u"新しい字幕"), std::u16string::npos);
    EXPECT_TRUE(t.ui.messages.empty());
    EXPECT_TRUE(t.ui.saveRequests.empty());
}

TEST_F(SynthesisStartTest, InvalidCaptionsStopBeforeAnyDataFileIsWritten) {
    opened.captions.setCell(0, ColStart, u"9:99:99.99");
    const std::string before = t.files.contents(opened.settings.captionInfoPath);
    const SynthesisStartResult result = prepare();
    EXPECT_EQ(result.refusal, SynthesisRefusal::CaptionsInvalid);
    EXPECT_EQ(t.ui.messageLine.rfind(u"エラー：1", 0), 0u) << std::string(t.ui.messageLine.begin(), t.ui.messageLine.end());
    EXPECT_EQ(t.files.contents(opened.settings.captionInfoPath), before);
}

TEST_F(SynthesisStartTest, AFailedDataFileWriteStops) {
    t.files.failWriting(opened.settings.captionInfoPath);
    EXPECT_EQ(prepare().refusal, SynthesisRefusal::DataFileNotWritten);
}

TEST_F(SynthesisStartTest, BoxAndColourFilesAreWrittenWhenGiven) {
    const std::vector<BoxRow> boxes;
    const ColourTable colours = defaultColourTable();
    SynthesisProject p = project();
    p.boxes = &boxes;
    p.boxMovie = {333'667, 720};
    p.colours = &colours;
    const std::string oldBoxes = t.files.contents(opened.settings.boxInfoPath);
    t.files.addFile(opened.settings.colourInfoPath, "old");
    ASSERT_TRUE(prepareSynthesis(t.io, p, overwriteConfirmed).go());
    EXPECT_EQ(t.files.contents(opened.settings.colourInfoPath), colourInfoBytes(colours));
    EXPECT_NE(t.files.contents(opened.settings.boxInfoPath), oldBoxes);  // the sample row is gone

    t.files.failWriting(opened.settings.colourInfoPath);
    EXPECT_EQ(prepareSynthesis(t.io, p, overwriteConfirmed).refusal, SynthesisRefusal::DataFileNotWritten);
}

TEST_F(SynthesisStartTest, NoOutputNameAsksAndTheChosenNameIsConfirmed) {
    for (std::u16string none : {u"", u"設定なし"}) {
        opened.settings.outputMoviePath = none;
        t.ui.saveAnswer = std::nullopt;
        EXPECT_EQ(prepare().refusal, SynthesisRefusal::NoOutputName);
        EXPECT_FALSE(overwriteConfirmed);
    }
    t.ui.saveAnswer = u"E:\\out\\字幕付き.avi";
    const SynthesisStartResult result = prepare();
    EXPECT_TRUE(result.go());
    EXPECT_EQ(result.outputPath, u"E:\\out\\字幕付き.avi");
    EXPECT_EQ(opened.settings.outputMoviePath, u"E:\\out\\字幕付き.avi");
    EXPECT_TRUE(overwriteConfirmed);
    ASSERT_EQ(t.ui.saveRequests.size(), 3u);
    const SaveFileRequest& asked = t.ui.saveRequests.back();
    EXPECT_EQ(asked.proposedName, u"D:\\work\\demo\\無題");
    EXPECT_EQ(asked.kind, u"動画ﾌｧｲﾙ");
    EXPECT_EQ(asked.defaultExtension, u"avi");
    EXPECT_EQ(asked.filters, (std::vector<FileTypeFilter>{{u"ビデオﾌｧｲﾙ (*.avi)", u"*.avi"}, allFilesFilter()}));
}

TEST_F(SynthesisStartTest, OutputEqualToTheInputIsRefusedBeforeAnythingIsWritten) {
    opened.settings.outputMoviePath = u"d:/MOVIES/IN.AVI";
    opened.settings.watermarkText = u"書かれない";
    const int writes = t.files.writeCount();
    const SynthesisStartResult result = prepare();
    EXPECT_EQ(result.refusal, SynthesisRefusal::OutputIsInput);
    EXPECT_EQ(t.files.writeCount(), writes);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text, u"出力動画に入力動画と同じファイルは指定できません");
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Warning);

    // The same through the save dialog.
    opened.settings.outputMoviePath = u"設定なし";
    t.ui.saveAnswer = std::u16string(kInput);
    EXPECT_EQ(prepare().refusal, SynthesisRefusal::OutputIsInput);
    EXPECT_FALSE(overwriteConfirmed);
    EXPECT_EQ(check(kInput).refusal, SynthesisRefusal::OutputIsInput);
    EXPECT_EQ(t.files.contents(kInput), std::string(1000, 'v'));
}

TEST_F(SynthesisStartTest, AbsentOutputPassesWithoutQuestions) {
    const SynthesisStartResult result = check();
    EXPECT_TRUE(result.go());
    EXPECT_EQ(result.outputPath, kOutput);
    EXPECT_TRUE(t.ui.questions.empty());
}

TEST_F(SynthesisStartTest, ExistingOutputMayBeReplacedOnYesOrWhenConfirmedButStaysUntilTheEnd) {
    t.files.addFile(kOutput, "old movie");
    t.ui.answers = {true};
    EXPECT_TRUE(check().go());
    ASSERT_EQ(t.ui.questions.size(), 1u);
    EXPECT_EQ(t.ui.questions[0].text, u"ファイルは既に存在します。\n上書きしますか？");
    EXPECT_EQ(t.ui.questions[0].title, u"カブレン字幕付加システム");
    EXPECT_TRUE(overwriteConfirmed);
    EXPECT_EQ(t.files.contents(kOutput), "old movie") << "only a finished movie replaces it";

    EXPECT_TRUE(check().go());
    EXPECT_EQ(t.ui.questions.size(), 1u) << "confirmed once, not asked again";
    EXPECT_EQ(t.files.contents(kOutput), "old movie");
}

TEST(SynthesisMessages, AMovieThatCouldNotReplaceTheOldFileIsNamed) {
    EXPECT_EQ(outputNotReplacedMessage(u"D:\\出力.avi.part"),
              u"既存の出力動画ファイルを削除できませんでした\n合成した動画は次のファイルに保存されています：\nD:\\出力.avi.part");
}

TEST_F(SynthesisStartTest, NoAsksForAnotherName) {
    t.files.addFile(kOutput, "old movie");
    t.ui.saveAnswer = std::nullopt;
    EXPECT_EQ(check().refusal, SynthesisRefusal::NoOutputName);
    EXPECT_EQ(t.files.contents(kOutput), "old movie");
    ASSERT_EQ(t.ui.saveRequests.size(), 1u);
    EXPECT_EQ(t.ui.saveRequests[0].proposedName, u"D:\\work\\demo\\無題");

    t.ui.saveAnswer = u"D:\\work\\demo\\別名.avi";
    const SynthesisStartResult other = check();
    EXPECT_TRUE(other.go());
    EXPECT_EQ(other.outputPath, u"D:\\work\\demo\\別名.avi");
    EXPECT_EQ(t.files.contents(kOutput), "old movie");
    EXPECT_TRUE(overwriteConfirmed);
}

TEST_F(SynthesisStartTest, NoThenTheSameNameGoesOnAndKeepsTheFile) {
    t.files.addFile(kOutput, "old movie");
    t.ui.saveAnswer = std::u16string(kOutput);
    const SynthesisStartResult result = check();
    EXPECT_TRUE(result.go());
    EXPECT_EQ(result.outputPath, kOutput);
    EXPECT_EQ(t.files.contents(kOutput), "old movie");
    EXPECT_TRUE(overwriteConfirmed);
}

TEST_F(SynthesisStartTest, FreeSpaceEqualToTheInputSizePasses) {
    t.files.setFreeSpace(u"D:", 1000);
    EXPECT_TRUE(check().go());
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST_F(SynthesisStartTest, TooLittleSpaceNamesTheFolder) {
    t.files.setFreeSpace(kOutputFolder, 999);
    const SynthesisStartResult result = check();
    EXPECT_EQ(result.refusal, SynthesisRefusal::NotEnoughSpace);
    ASSERT_EQ(t.ui.messages.size(), 1u);
    EXPECT_EQ(t.ui.messages[0].text,
              u"D:\\work\\demo の空き容量が不足しています\n別のドライブを指定して、もう一度実行して下さい");
    EXPECT_EQ(t.ui.messages[0].icon, MessageIcon::Warning);
    EXPECT_EQ(t.ui.messageLine, u"処理が中断されました");
}

TEST_F(SynthesisStartTest, UnreadableInputCountsAsEmpty) {
    t.files.setFreeSpace(kOutputFolder, 0);
    t.files.failReading(kInput, ReadStatus::OpenFailed);
    EXPECT_TRUE(check().go());
}

TEST_F(SynthesisStartTest, AFolderAsOutputAndAMissingOutputFolderAreNamedForWhatTheyAre) {
    const std::u16string folderOutput = std::u16string(kOutputFolder) + u"\\動画.avi";
    t.files.addDirectory(folderOutput);
    opened.settings.outputMoviePath = folderOutput;
    const int writesBefore = t.files.writeCount();
    EXPECT_FALSE(prepare().go());
    EXPECT_EQ(t.files.writeCount(), writesBefore);
    overwriteConfirmed = true;  // as --yes answers the overwrite question
    EXPECT_FALSE(check(folderOutput).go());
    EXPECT_FALSE(check(u"D:\\無い\\出力.avi").go());
    ASSERT_EQ(t.ui.messages.size(), 3u);
    EXPECT_EQ(t.ui.messages[0].text, u"出力動画にフォルダは指定できません");
    EXPECT_EQ(t.ui.messages[1].text, u"出力動画にフォルダは指定できません");
    EXPECT_EQ(t.ui.messages[2].text, u"出力動画を保存するフォルダがありません：D:\\無い");
    EXPECT_TRUE(t.ui.questions.empty());
    EXPECT_EQ(t.ui.messageLine, u"");
}

TEST_F(SynthesisStartTest, FailedDiskQueryRefusesOnTheMessageLine) {
    t.files.failFreeSpace(kOutputFolder);
    EXPECT_EQ(check().refusal, SynthesisRefusal::DiskInfoFailed);
    EXPECT_EQ(t.ui.messageLine, u"ディスク情報取得に失敗しました");
    EXPECT_TRUE(t.ui.messages.empty());
}

TEST(MovieSize, UncompressedPicturesPassTheLimitOfAPlainAviAtTwoGibibytes) {
    struct Case {
        int64_t frames;
        int32_t width, height;
        uint64_t bytes;
        bool passes;
    };
    const Case cases[] = {
        {1799, 720, 480, 2'486'937'600, true},   // a minute at 29.97 fps
        {1553, 720, 480, 2'146'867'200, false},  // the most frames below the limit
        {259, 1920, 1080, 2'148'249'600, true},  // ten seconds of 1080p at 25.9 fps
        {258, 1920, 1080, 2'139'955'200, false},
        {0, 720, 480, 0, false},
        {100, 0, 480, 0, false},
        {-5, 720, 480, 0, false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(uncompressedPictureBytes(c.frames, c.width, c.height), c.bytes) << c.frames;
        EXPECT_EQ(passesPlainAviLimit(c.frames, c.width, c.height), c.passes) << c.frames;
    }
}

}  // namespace
}  // namespace qucap
