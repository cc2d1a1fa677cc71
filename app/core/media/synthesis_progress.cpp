#include "app/core/media/synthesis_progress.h"

#include <algorithm>
#include <limits>

#include "captiondata/time/time_text.h"

namespace qucap {
namespace {

std::u16string decimalText(int value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
}

}  // namespace

std::u16string progressText(int percent) {
    if (percent <= 0) return {};
    return decimalText(std::min(percent, 100)) + u"%";
}

int progressBarWidth(int percent, int fullWidth) {
    return int(int64_t(std::clamp(percent, 0, 100)) * fullWidth / 100);
}

std::u16string runningText(std::u16string_view outputPath) {
    const std::size_t separator = outputPath.find_last_of(u"\\/");
    const std::u16string_view name = separator == std::u16string_view::npos ? outputPath : outputPath.substr(separator + 1);
    return std::u16string(name) + std::u16string(kRunningSuffix);
}

std::optional<int> progressPercent(int64_t position, int64_t muxDuration, int64_t inputDuration) {
    const int64_t duration = muxDuration > 0 ? muxDuration : inputDuration;
    if (duration <= 0) return std::nullopt;
    // Whole and remainder parts apart, so that position × 100 cannot overflow
    // for long movies; the remainder's share goes through long double.
    const int64_t percent =
        position / duration * 100 + int64_t((long double)(position % duration) * 100 / (long double)duration);
    return int(std::clamp<int64_t>(percent, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

int32_t timeOfDay(int hours, int minutes, int seconds) { return hours * 3'600'000 + minutes * 60'000 + seconds * 1000; }

int32_t elapsedTime(int32_t startTimeOfDay, int32_t endTimeOfDay) {
    const int32_t elapsed = endTimeOfDay - startTimeOfDay;
    return elapsed < 0 ? elapsed + kMillisecondsPerDay : elapsed;
}

std::u16string finishedText(int32_t elapsedMilliseconds) {
    return std::u16string(kFinishedPrefix) + formatTime(elapsedMilliseconds, TimeForm::Clock);
}

}  // namespace qucap
