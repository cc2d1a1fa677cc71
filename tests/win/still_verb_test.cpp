// The still verb's arguments and the refusals that come before any graph:
// the time forms it takes, and what it says when the project or its movie
// cannot be used (nothing is written then, not even the settings file).
#include "app/cli/still_verb.h"

#include <gtest/gtest.h>

#include "app/cli/cli.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/platform_shiftjis.h"
#include "tests/win/recording_sink.h"

namespace qucap::test {
namespace {

TEST(StillTime, DigitsAreMillisecondsAndOtherTextsCaptionTimes) {
    struct Case {
        std::u16string_view text;
        std::optional<int32_t> milliseconds;
    };
    const Case cases[] = {
        {u"0", 0},
        {u"1500", 1500},
        {u"0001500", 1500},
        {u"35999999", 35'999'999},    // 9:59:59.999, the longest time the shared block carries
        {u"36000000", std::nullopt},
        {u"99999999999999999999", std::nullopt},
        {u"0:00:01.50", 1500},
        {u"1.5", 1500},
        {u"1:05", 65'000},
        {u"1:00:00.00", 3'600'000},
        {u"9:59:59.99", 35'999'990},
        {u"0:00:01.500", std::nullopt},  // three fraction digits are not the caption form
        {u"1:60:00", std::nullopt},
        {u"", std::nullopt},
        {u"-5", std::nullopt},
        {u"1,5", std::nullopt},
        {u"１５００", std::nullopt},     // full-width digits
    };
    for (const Case& c : cases) EXPECT_EQ(parseStillTime(c.text), c.milliseconds) << std::string(c.text.begin(), c.text.end());
}

TEST(StillTime, ATimeBeyondTheMovieIsToldWithBothTimes) {
    EXPECT_EQ(timeBeyondMovieMessage(5000, 30'030'000),
              u"指定した時間（0:00:05.000）が動画の長さ（0:00:03.003）を超えています");
}

struct StillRun : ::testing::Test {
    MemoryFileSystem files;
    RecordingSink out;
    RecordingSink err;
    ConsoleUi ui{err};
    CliContext context{Io{files, ui, platformShiftJis()}, ui, out, err};

    int still(std::u16string_view project, std::u16string_view time) {
        return runCommandLine({u"still", std::u16string(project), std::u16string(time), u"C:\\p\\out.bmp"}, context);
    }
};

TEST_F(StillRun, ABadTimeIsABadArgumentNamedWithTheUsage) {
    EXPECT_EQ(still(u"C:\\p\\a.mcc", u"abc"), kExitBadArguments);
    EXPECT_EQ(err.text(), u"時間の指定に誤りがあります：abc\n使い方：Qucapcmd still PROJECT.mcc TIME OUT.bmp\n");
    EXPECT_EQ(out.text(), u"");
}

TEST_F(StillRun, AMissingProjectIsRefused) {
    EXPECT_EQ(still(u"C:\\p\\a.mcc", u"1000"), kExitFailed);
    EXPECT_EQ(err.text(), u"プロジェクトファイルが見つかりません\n");
    EXPECT_EQ(files.writeCount(), 0);
}

TEST_F(StillRun, AProjectWithoutItsMovieIsRefusedBeforeAnythingIsWritten) {
    files.addDirectory(u"C:\\p");
    files.addFile(u"C:\\p\\none.mcc", "[FileName]\r\n");
    files.addFile(u"C:\\p\\gone.mcc", "[FileName]\r\nInpMovName=C:\\p\\gone.avi\r\n");
    files.addFile(u"C:\\p\\nofile.mcc", "[FileName]\r\nInpMovName=設定なし\r\n");
    for (const char16_t* project : {u"C:\\p\\none.mcc", u"C:\\p\\gone.mcc", u"C:\\p\\nofile.mcc"}) {
        err = {};
        EXPECT_EQ(still(project, u"0:00:01.00"), kExitFailed);
        EXPECT_EQ(err.text(), u"入力動画ファイルが見つかりません\n");
    }
    EXPECT_EQ(files.writeCount(), 0);
    EXPECT_EQ(out.text(), u"");
}

}  // namespace
}  // namespace qucap::test
