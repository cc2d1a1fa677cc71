#include "captiondata/time/time_text.h"

#include <algorithm>
#include <array>

#include "captiondata/text/u16.h"

namespace qucap {

namespace {

void appendTwoDigits(std::u16string& out, int32_t value) {
    out += char16_t(u'0' + value / 10);
    out += char16_t(u'0' + value % 10);
}

struct SplitTime {
    std::u16string_view whole;
    std::u16string_view fraction;
};

SplitTime splitAtLastDot(std::u16string_view text) {
    const auto dot = text.rfind(u'.');
    if (dot == std::u16string_view::npos) return {text, {}};
    return {text.substr(0, dot), text.substr(dot + 1)};
}

// Where hours, minutes and seconds stand in the integer part, by its length.
struct WholeLayout {
    std::size_t hourAt, hourLength, minuteAt, minuteLength, secondAt, secondLength;
};

constexpr std::array<WholeLayout, 9> kWholeLayouts = {{
    {0, 0, 0, 0, 0, 0},  // empty: 0
    {0, 0, 0, 0, 0, 1},  // s
    {0, 0, 0, 0, 0, 2},  // ss
    {0, 0, 0, 0, 0, 3},  // sss
    {0, 0, 0, 1, 2, 2},  // m:ss
    {0, 0, 0, 2, 3, 2},  // mm:ss
    {0, 0, 0, 3, 4, 2},  // mmm:ss
    {0, 1, 2, 2, 5, 2},  // h:mm:ss
    {0, 2, 3, 2, 6, 2},  // hh:mm:ss
}};

int32_t readPart(std::u16string_view whole, std::size_t at, std::size_t length) {
    return length == 0 ? 0 : readLeadingInt(whole.substr(at, length));
}

// Shapes of a valid integer part by length: d any digit, 5 a digit 0-5,
// 0 the digit zero, ':' itself. Index 0 (empty) is never valid.
constexpr std::array<std::u16string_view, 9> kProgramShapes = {
    u"", u"d", u"dd", u"ddd", u"d:5d", u"5d:5d", u"05d:5d", u"d:5d:5d", u"0d:5d:5d"};
constexpr std::array<std::u16string_view, 9> kFilterShapes = {
    u"", u"d", u"5d", u"05d", u"d:5d", u"5d:5d", u"05d:5d", u"d:5d:5d", u"0d:5d:5d"};

bool isDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

bool matchesShape(std::u16string_view text, std::u16string_view shape) {
    if (shape.empty() || text.size() != shape.size()) return false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char16_t c = text[i];
        const bool ok = shape[i] == u'd'   ? isDigit(c)
                        : shape[i] == u'5' ? (c >= u'0' && c <= u'5')
                                           : c == shape[i];
        if (!ok) return false;
    }
    return true;
}

}  // namespace

void formatTime(int32_t milliseconds, TimeForm form, std::u16string& destination) {
    if (milliseconds < 0) return;
    const int32_t time = std::min(milliseconds, kLargestShownTime);
    const int32_t hours = time / 3'600'000;
    const int32_t minutes = time % 3'600'000 / 60'000;
    const int32_t seconds = time % 60'000 / 1'000;
    const int32_t millis = time % 1'000;
    std::u16string out;
    if (form == TimeForm::Clock || form == TimeForm::Subtitle) out += u'0';
    out += toDecimal(hours);
    out += u':';
    appendTwoDigits(out, minutes);
    out += u':';
    appendTwoDigits(out, seconds);
    if (form != TimeForm::Clock) {
        out += form == TimeForm::Subtitle ? u',' : u'.';
        appendTwoDigits(out, millis / 10);
        if (form != TimeForm::Caption) out += char16_t(u'0' + millis % 10);
    }
    destination = std::move(out);
}

std::u16string formatTime(int32_t milliseconds, TimeForm form) {
    std::u16string text;
    formatTime(milliseconds, form, text);
    return text;
}

int32_t parseTime(std::u16string_view text) {
    if (text.size() > kTimeTextMax) return 0;
    const auto [whole, fraction] = splitAtLastDot(text);
    int32_t value = 0;
    if (whole.size() < kWholeLayouts.size()) {
        const WholeLayout& l = kWholeLayouts[whole.size()];
        value = readPart(whole, l.hourAt, l.hourLength) * 3'600'000 +
                readPart(whole, l.minuteAt, l.minuteLength) * 60'000 +
                readPart(whole, l.secondAt, l.secondLength) * 1'000;
    }
    static constexpr int32_t kFractionScale[] = {0, 100, 10, 1};
    if (!fraction.empty() && fraction.size() <= 3)
        value += readLeadingInt(fraction) * kFractionScale[fraction.size()];
    return value;
}

bool isValidCaptionTime(std::u16string_view text, TimeChecker checker) {
    if (text.size() > kTimeTextMax) return false;
    const auto [whole, fraction] = splitAtLastDot(text);
    const auto& shapes = checker == TimeChecker::Program ? kProgramShapes : kFilterShapes;
    if (whole.size() >= shapes.size() || !matchesShape(whole, shapes[whole.size()])) return false;
    return fraction.size() <= 2 && std::all_of(fraction.begin(), fraction.end(), isDigit);
}

int32_t addTimeStep(int32_t value, int32_t step) {
    const int64_t sum = int64_t(value) + step;
    return sum < 0 ? 0 : sum > INT32_MAX ? INT32_MAX : int32_t(sum);
}

}  // namespace qucap
