// The console side of the synthesis: the text progress bar, the verb's
// several options with a value, and the refusals of "render" that come
// before any graph is built.
#include "app/cli/render_verb.h"

#include <gtest/gtest.h>

#include "app/cli/cli.h"
#include "tests/support/memory_file_system.h"
#include "tests/support/platform_shiftjis.h"
#include "tests/win/recording_sink.h"

namespace qucap::test {
namespace {

using Args = std::vector<std::u16string>;

TEST(SynthesisProgressBar, FillsTwentyColumnsAndRewritesItsLineOnlyWhenThePercentageChanges) {
    RecordingSink sink;
    ProgressBar bar(sink);
    EXPECT_EQ(bar.text(0), u"[                    ] 0%");
    EXPECT_EQ(bar.text(50), u"[##########          ] 50%");
    EXPECT_EQ(bar.text(99), u"[################### ] 99%");
    EXPECT_EQ(bar.text(130), u"[####################] 100%");
    bar.show(0);
    bar.finish();
    EXPECT_EQ(sink.text(), u"") << "nothing is drawn before any progress";
    bar.show(5);
    bar.show(5);
    bar.show(250);
    bar.finish();
    EXPECT_EQ(sink.text(), u"\r[#                   ] 5%\r[####################] 100%\n");
}

struct SynthesisCli : ::testing::Test {
    MemoryFileSystem files;
    RecordingSink out;
    RecordingSink err;
    ConsoleUi ui{err};
    CliContext context{Io{files, ui, platformShiftJis()}, ui, out, err};
};

Args receivedArgs;
std::vector<std::pair<std::u16string, std::u16string>> receivedValues;

int valuesHandler(const Args& args, CliContext& context) {
    receivedArgs = args;
    receivedValues = context.optionValues;
    return kExitSuccess;
}

constexpr ValueOption kMore[] = {{u"--video-encoder", u"NAME"}, {u"--audio-encoder", u"NAME"}};
constexpr Verb kVerbs[] = {
    Verb{u"make", u"P", u"試験用", 1, 1, true, valuesHandler, u"--out", u"FILE", kMore},
};

TEST_F(SynthesisCli, EveryOptionWithAValueIsTakenOutWhereverItStands) {
    EXPECT_EQ(runCommandLine({u"make", u"--audio-encoder", u"音", u"p", u"--out", u"o.avi", u"--video-encoder", u"映"},
                             context, kVerbs),
              kExitSuccess);
    EXPECT_EQ(receivedArgs, Args{u"p"});
    const std::vector<std::pair<std::u16string, std::u16string>> expected = {
        {u"--out", u"o.avi"}, {u"--video-encoder", u"映"}, {u"--audio-encoder", u"音"}};
    EXPECT_EQ(receivedValues, expected);
    EXPECT_EQ(context.valueOf(u"--audio-encoder"), std::u16string(u"音"));
    EXPECT_EQ(context.optionValue, std::u16string(u"o.avi")) << "the first option keeps its own field";

    EXPECT_EQ(runCommandLine({u"make", u"p"}, context, kVerbs), kExitSuccess);
    EXPECT_TRUE(receivedValues.empty());
    EXPECT_FALSE(context.valueOf(u"--out").has_value());
}

TEST_F(SynthesisCli, AFurtherOptionWithoutItsValueOrGivenTwiceIsABadCallWithTheFullUsage) {
    EXPECT_EQ(runCommandLine({u"make", u"p", u"--video-encoder"}, context, kVerbs), kExitBadArguments);
    EXPECT_EQ(runCommandLine({u"make", u"p", u"--audio-encoder", u"a", u"--audio-encoder", u"b"}, context, kVerbs),
              kExitBadArguments);
    const std::u16string usage =
        u"使い方：Qucapcmd make P [--out FILE] [--video-encoder NAME] [--audio-encoder NAME] [--yes]\n";
    EXPECT_EQ(err.text(), u"--video-encoder の後に NAME を指定して下さい\n" + usage +
                              u"--audio-encoder は一度だけ指定して下さい\n" + usage);
}

TEST_F(SynthesisCli, RenderRefusesAMissingProjectAndEncodersTakesNoArguments) {
    EXPECT_EQ(runCommandLine({u"render", u"C:\\無い.mcc", u"--out", u"C:\\o.avi"}, context), kExitFailed);
    EXPECT_EQ(err.text(), u"プロジェクトファイルが見つかりません\n");
    EXPECT_EQ(files.writeCount(), 0);
    err = {};
    EXPECT_EQ(runCommandLine({u"encoders", u"x"}, context), kExitBadArguments);
    EXPECT_EQ(err.text(), u"引数の数が正しくありません\n使い方：Qucapcmd encoders\n");
}

TEST(SynthesisMessages, NameTheMissingEncoder) {
    EXPECT_EQ(encoderMissingMessage(true, u"Cinepak"), u"映像エンコーダ「Cinepak」が見つかりません");
    EXPECT_EQ(encoderMissingMessage(false, u"MP3"), u"音声エンコーダ「MP3」が見つかりません");
}

}  // namespace
}  // namespace qucap::test
