#include "app/cli/reading_check.h"

#include "app/media/com_apartment.h"
#include "app/media/movie_facts.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

// Every limit is a whole number up to kWholeNumberMax: far beyond any
// caption, small enough that no product of the checks overflows.
constexpr WholeNumberOption<ReadingLimits> kWholeOptions[] = {
    {u"--chars-h", &ReadingLimits::charsHorizontal}, {u"--chars-v", &ReadingLimits::charsVertical},
    {u"--min-ms", &ReadingLimits::minMs},            {u"--max-ms", &ReadingLimits::maxMs},
    {u"--gap-frames", &ReadingLimits::gapFrames},
};

}  // namespace

bool readWholeNumberOption(CliContext& context, std::u16string_view option, int64_t max, int64_t& value) {
    const std::optional<std::u16string> text = context.valueOf(option);
    if (!text) return true;
    const std::optional<int64_t> number = wholeNumber(*text);
    if (number && *number <= max) {
        value = *number;
        return true;
    }
    context.err.writeLine(std::u16string(option) + u" には " +
                          (max == kWholeNumberMax ? u"0 以上の整数" : u"0 から " + toDecimal(max) + u" までの整数") +
                          u"を指定して下さい");
    return false;
}

namespace {

// "4" or "3.5" as tenths, above 0.
std::optional<int64_t> tenths(std::u16string_view text) {
    const auto dot = text.find(u'.');
    const std::optional<int64_t> whole = wholeNumber(text.substr(0, dot));
    if (!whole) return std::nullopt;
    int64_t value = *whole * 10;
    if (dot != std::u16string_view::npos) {
        const std::u16string_view fraction = text.substr(dot + 1);
        if (fraction.size() != 1 || fraction[0] < u'0' || fraction[0] > u'9') return std::nullopt;
        value += fraction[0] - u'0';
    }
    return value > 0 ? std::optional(value) : std::nullopt;
}

}  // namespace

int64_t projectFrameDuration(CliContext& context, const OpenedProject& project) {
    const std::u16string& movie = project.settings.inputMoviePath;
    const ComApartment com;
    const std::optional<MovieFacts> facts =
        context.io.files.isFile(movie) && com.ready() ? readMovieFacts(movie) : std::nullopt;
    if (facts && facts->frameDuration > 0) return facts->frameDuration;
    context.out.writeLine(u"入力動画を読めないため、1フレームを 29.97fps の長さとして計算します");
    return kAssumedFrameDuration;
}

bool readingCheckAsked(const CliContext& context) {
    return context.hasFlag(kReadingFlag) || context.hasFlag(kStrictFlag) || !context.optionValues.empty();
}

std::optional<ReadingLimits> readingLimitsOf(CliContext& context) {
    if (!context.hasFlag(kReadingFlag)) {
        const std::u16string given =
            context.optionValues.empty() ? std::u16string(kStrictFlag) : context.optionValues.front().first;
        context.err.writeLine(given + u" は " +
                              std::u16string(kReadingFlag) + u" と一緒に指定して下さい");
        return std::nullopt;
    }
    ReadingLimits limits;
    if (const auto cps = context.valueOf(kCpsOption)) {
        const std::optional<int64_t> value = tenths(*cps);
        if (!value) {
            context.err.writeLine(std::u16string(kCpsOption) + u" には 0 より大きい数（小数は1桁まで）を指定して下さい");
            return std::nullopt;
        }
        limits.cpsTenths = *value;
    }
    if (!readWholeNumberOptions(context, kWholeOptions, limits)) return std::nullopt;
    return limits;
}

int printReadingCheck(CliContext& context, const OpenedProject& project, const ReadingLimits& limits) {
    const int64_t frameDuration = projectFrameDuration(context, project);
    const std::vector<ReadingWarning> warnings = readingWarnings(subtitleRows(project.captions), limits, frameDuration);
    context.out.write(readingTable(warnings));
    return !warnings.empty() && context.hasFlag(kStrictFlag) ? kExitFailed : kExitSuccess;
}

}  // namespace qucap
