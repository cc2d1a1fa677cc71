#include "app/cli/cli.h"

#include <algorithm>
#include <array>

#include "app/cli/encoders_verb.h"
#include "app/cli/import_verb.h"
#include "app/cli/reading_check.h"
#include "app/cli/render_verb.h"
#include "app/cli/ruby_verb.h"
#include "app/cli/still_verb.h"
#include "app/cli/timing_verbs.h"

namespace qucap {
namespace {

constexpr ValueOption kRenderEncoderOptions[] = {
    {kVideoEncoderOption, u"NAME"},
    {kAudioEncoderOption, u"NAME"},
};

constexpr ValueOption kReadingOptions[] = {
    {u"--chars-h", u"N"}, {u"--chars-v", u"N"}, {u"--min-ms", u"MS"}, {u"--max-ms", u"MS"}, {u"--gap-frames", u"N"},
};
constexpr std::u16string_view kCheckFlags[] = {kReadingFlag, kStrictFlag};
constexpr std::u16string_view kImportFlags[] = {kAppendFlag};
// The options of the timing settings (app/timing/timing_settings.h) after the first.
constexpr ValueOption kRetimeOptions[] = {
    {u"--max-ms", u"MS"},           {u"--gap-frames", u"N"},       {u"--close-frames", u"N"},
    {u"--snap-start-after", u"N"},  {u"--snap-start-onto", u"N"},  {u"--snap-start-ahead", u"N"},
    {u"--snap-end-before", u"N"},   {u"--snap-end-gap", u"N"},
};
constexpr std::u16string_view kRetimeFlags[] = {kDryRunFlag, kShotsFlag, kNoShotsFlag};

constexpr std::array kVerbs{
    Verb{u"new-project", u"NAME [FOLDER]", u"新しいプロジェクトを作ります（FOLDER 省略時はドキュメントの字幕作成NNN）", 1, 2,
         true, newProjectVerb, u"--movie", u"FILE"},
    Verb{u"check", u"PROJECT.mcc",
         u"プロジェクトの字幕情報を読み込んで検査します（--reading：読みやすさの規則も検査します）", 1, 1, false, checkVerb,
         kCpsOption, u"N", kReadingOptions, kCheckFlags},
    Verb{u"export-srt", u"PROJECT.mcc OUT.srt", u"字幕をSRTファイルに書き出します", 2, 2, false, exportSrtVerb},
    Verb{u"export-sami", u"PROJECT.mcc OUT.smi", u"字幕をSAMIファイルに書き出します", 2, 2, false, exportSamiVerb},
    Verb{u"export-vtt", u"PROJECT.mcc OUT.vtt", u"字幕をルビ・縦書き・色付きのWebVTTファイルに書き出します", 2, 2, false,
         exportWebVttVerb},
    Verb{u"export-ttml", u"PROJECT.mcc OUT.ttml", u"字幕をルビ・縦書き・色付きのTTML（IMSC 1.1）ファイルに書き出します", 2, 2,
         false, exportTtmlVerb},
    Verb{u"import", u"PROJECT.mcc FILE",
         u"SRT・WebVTT・TTML・ASSの字幕ファイルを字幕情報に読み込みます（--append：今の字幕に加えます）", 2, 2, true,
         importVerb, kFormatOption, u"srt|vtt|ttml|ass", {}, kImportFlags},
    Verb{u"ruby", u"[PROJECT.mcc]",
         u"本文 TEXT に付けるルビの候補を「漢字(よみ)」の書式で表示するか、プロジェクトの空のルビに候補を付けて保存します", 0, 1,
         true, rubyVerb, kTextOption, u"TEXT"},
    Verb{u"still", u"PROJECT.mcc TIME OUT.bmp",
         u"動画の TIME（h:mm:ss.cc またはミリ秒）のフレームを字幕入りでBMPファイルに書き出します", 3, 3, false,
         stillVerb},
    Verb{u"render", u"PROJECT.mcc", u"字幕を合成した動画を書き出します（--out 省略時はプロジェクトの出力動画）", 1, 1, true,
         renderVerb, kOutOption, u"FILE.avi", kRenderEncoderOptions},
    Verb{u"shots", u"MOVIE", u"動画のショットの切り替わり（カット）を1行に1つ、フレーム番号と時間で表示します", 1, 1, false,
         shotsVerb},
    Verb{u"peaks", u"MOVIE", u"動画の音声を N 等分し、各部分の最大振幅（16ビット）を1行に1つ表示します", 1, 1, false, peaksVerb,
         kBucketsOption, u"N"},
    Verb{u"retime", u"PROJECT.mcc",
         u"字幕のタイミングをショットと読みやすさの規則に合わせて調整します（--dry-run：変更の表だけ表示します）", 1, 1, false,
         retimeVerb, u"--min-ms", u"MS", kRetimeOptions, kRetimeFlags},
    Verb{u"encoders", u"", u"字幕合成で使えるエンコーダの一覧を表示します", 0, 0, false, encodersVerb},
};

constexpr std::u16string_view kYesOption = u"--yes";
constexpr std::size_t kHelpUsageColumns = 50;
constexpr std::u16string_view kUsagePrefix = u"使い方：";
constexpr std::u16string_view kWrongArgumentCount = u"引数の数が正しくありません";

bool isHelpOption(std::u16string_view argument) { return argument == u"--help" || argument == u"-h"; }

const Verb* findVerb(std::span<const Verb> verbs, std::u16string_view name) {
    const auto found = std::find_if(verbs.begin(), verbs.end(), [&](const Verb& verb) { return verb.name == name; });
    return found == verbs.end() ? nullptr : &*found;
}

// The verb's options with a value: the first one, then the further ones.
std::vector<ValueOption> valueOptionsOf(const Verb& verb) {
    std::vector<ValueOption> options;
    if (!verb.valueOption.empty()) options.push_back({verb.valueOption, verb.valueName});
    options.insert(options.end(), verb.moreValueOptions.begin(), verb.moreValueOptions.end());
    return options;
}

std::u16string verbUsage(const Verb& verb) {
    std::u16string usage(verb.name);
    if (!verb.arguments.empty()) usage += u" " + std::u16string(verb.arguments);
    for (const std::u16string_view flag : verb.flags) usage += u" [" + std::u16string(flag) + u"]";
    for (const ValueOption& option : valueOptionsOf(verb))
        usage += u" [" + std::u16string(option.option) + u" " + std::u16string(option.valueName) + u"]";
    if (verb.acceptsYes) usage += u" [--yes]";
    return usage;
}

// Columns a text takes in a console: Japanese characters are two wide, ASCII
// and half-width katakana one.
std::size_t displayWidth(std::u16string_view text) {
    std::size_t width = 0;
    for (char16_t c : text) width += (c < 0x80 || (c >= 0xFF61 && c <= 0xFF9F)) ? 1 : 2;
    return width;
}

struct HelpRow {
    std::u16string usage;
    std::u16string description;
};

// Takes one option with a value out of the arguments. false, with a
// message, when the value is missing or the option is given twice.
bool takeValueOption(const ValueOption& option, std::vector<std::u16string>& args, std::optional<std::u16string>& value,
                     CliContext& context) {
    value.reset();
    const std::u16string name(option.option);
    for (auto at = std::find(args.begin(), args.end(), name); at != args.end(); at = std::find(at, args.end(), name)) {
        if (value) {
            context.err.writeLine(name + u" は一度だけ指定して下さい");
            return false;
        }
        if (at + 1 == args.end()) {
            context.err.writeLine(name + u" の後に " + std::u16string(option.valueName) + u" を指定して下さい");
            return false;
        }
        value = *(at + 1);
        at = args.erase(at, at + 2);
    }
    return true;
}

// Takes the verb's options with a value out of the arguments into
// context.optionValues (the first one also into context.optionValue).
bool takeValueOptions(const Verb& verb, std::vector<std::u16string>& args, CliContext& context) {
    context.optionValue.reset();
    context.optionValues.clear();
    const std::vector<ValueOption> options = valueOptionsOf(verb);
    for (std::size_t n = 0; n < options.size(); ++n) {
        std::optional<std::u16string> value;
        if (!takeValueOption(options[n], args, value, context)) return false;
        if (n == 0) context.optionValue = value;
        if (value) context.optionValues.emplace_back(options[n].option, *value);
    }
    return true;
}

int runVerb(const Verb& verb, std::vector<std::u16string> args, CliContext& context) {
    if (args.size() == 1 && isHelpOption(args[0])) {
        context.out.writeLine(usageLine(verb));
        context.out.writeLine(u"  " + std::u16string(verb.description));
        return kExitSuccess;
    }
    if (verb.acceptsYes) {
        const auto end = std::remove(args.begin(), args.end(), kYesOption);
        if (end != args.end()) context.ui.setAnswer(YesNoAnswer::Yes);
        args.erase(end, args.end());
    }
    context.flags.clear();
    for (const std::u16string_view flag : verb.flags) {
        const auto end = std::remove(args.begin(), args.end(), flag);
        if (end != args.end()) context.flags.emplace_back(flag);
        args.erase(end, args.end());
    }
    if (!takeValueOptions(verb, args, context)) {
        context.err.writeLine(usageLine(verb));
        return kExitBadArguments;
    }
    if (args.size() < verb.minArguments || args.size() > verb.maxArguments) {
        context.err.writeLine(kWrongArgumentCount);
        context.err.writeLine(usageLine(verb));
        return kExitBadArguments;
    }
    const int code = verb.handler(args, context);
    if (code == kExitBadArguments) context.err.writeLine(usageLine(verb));
    return code;
}

}  // namespace

std::span<const Verb> cliVerbs() { return kVerbs; }

std::u16string usageLine(const Verb& verb) {
    return std::u16string(kUsagePrefix) + std::u16string(kCliProgramName) + u" " + verbUsage(verb);
}

std::u16string helpText(std::span<const Verb> verbs) {
    std::vector<HelpRow> rows;
    for (const Verb& verb : verbs) rows.push_back({verbUsage(verb), std::u16string(verb.description)});
    rows.push_back({u"--help, -h", u"この一覧を表示します"});
    rows.push_back({u"コマンド --help", u"コマンドの使い方を表示します"});
    // A usage wider than kHelpUsageColumns has its description on the next
    // line, so one long verb does not push every description to the right.
    std::size_t width = 0;
    for (const HelpRow& row : rows)
        if (displayWidth(row.usage) <= kHelpUsageColumns) width = std::max(width, displayWidth(row.usage));

    std::u16string text = std::u16string(kCliProgramName) + u"：カブレン字幕付加システムのコマンドライン版\n";
    text += std::u16string(kUsagePrefix) + std::u16string(kCliProgramName) + u" コマンド [引数...]\n\nコマンド：\n";
    for (const HelpRow& row : rows) {
        const std::size_t used = displayWidth(row.usage);
        text += u"  " + row.usage;
        if (used > width) text += u"\n  ";
        text += std::u16string(width - (used > width ? 0 : used) + 2, u' ') + row.description + u"\n";
    }
    text += u"\n終了コード：0 成功、1 処理の拒否または失敗、2 引数の誤り\n";
    return text;
}

int runCommandLine(const std::vector<std::u16string>& arguments, CliContext& context) {
    return runCommandLine(arguments, context, cliVerbs());
}

int runCommandLine(const std::vector<std::u16string>& arguments, CliContext& context, std::span<const Verb> verbs) {
    if (arguments.empty()) {
        // Nothing to do is a mistake of the caller: the list goes to the error stream.
        context.err.write(helpText(verbs));
        return kExitBadArguments;
    }
    if (isHelpOption(arguments[0])) {
        context.out.write(helpText(verbs));
        return kExitSuccess;
    }
    const Verb* verb = findVerb(verbs, arguments[0]);
    if (!verb) {
        context.err.writeLine(u"「" + arguments[0] + u"」というコマンドはありません");
        context.err.write(helpText(verbs));
        return kExitBadArguments;
    }
    return runVerb(*verb, std::vector<std::u16string>(arguments.begin() + 1, arguments.end()), context);
}

}  // namespace qucap
