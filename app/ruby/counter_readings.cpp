#include "app/ruby/counter_readings.h"

#include <algorithm>
#include <array>
#include <utility>
#include <vector>

namespace qucap {
namespace {

constexpr int64_t kLimit = 100000000;

constexpr std::array<std::u16string_view, 10> kDigitReadings{u"ぜろ", u"いち", u"に", u"さん", u"よん",
                                                            u"ご",   u"ろく", u"なな", u"はち", u"きゅう"};
constexpr std::u16string_view kKanjiDigits = u"〇一二三四五六七八九";

int digitOf(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'０' && c <= u'９') return c - u'０';
    const std::size_t at = kKanjiDigits.find(c);
    return at == std::u16string_view::npos ? -1 : int(at);
}

int64_t unitOf(char16_t c) {
    switch (c) {
    case u'十': return 10;
    case u'百': return 100;
    case u'千': return 1000;
    case u'万': return 10000;
    default: return 0;
    }
}

// Readings of the units below 万 with their sound changes after a digit.
struct UnitReading {
    int64_t unit;
    std::u16string_view plain;
    std::array<std::u16string_view, 10> after;  // by the digit before; empty: digit + plain
};
const std::array<UnitReading, 3> kUnits{{
    {1000, u"せん", {u"", u"", u"", u"さんぜん", u"", u"", u"", u"", u"はっせん", u""}},
    {100, u"ひゃく", {u"", u"", u"", u"さんびゃく", u"", u"", u"ろっぴゃく", u"", u"はっぴゃく", u""}},
    {10, u"じゅう", {}},
}};

// The reading of 1 to 9999; `ones` false leaves the ones digit out.
std::u16string belowTenThousand(int64_t value, bool ones = true) {
    std::u16string out;
    for (const UnitReading& unit : kUnits) {
        const int digit = int(value / unit.unit % 10);
        if (digit == 0) continue;
        if (!unit.after[std::size_t(digit)].empty()) out += unit.after[std::size_t(digit)];
        else out += std::u16string(digit == 1 ? u"" : kDigitReadings[std::size_t(digit)]) + std::u16string(unit.plain);
    }
    if (ones && value % 10) out += kDigitReadings[std::size_t(value % 10)];
    return out;
}

// A counter: its plain reading after a number, the readings of the whole
// number that are words of their own, and the sound changes of the last
// digit (index 1-9) or of a round ten (index 0) with the counter.
struct Counter {
    char16_t character;
    std::u16string_view plain;
    std::vector<std::pair<int64_t, std::u16string_view>> whole;
    std::array<std::u16string_view, 10> last;
};

const std::vector<Counter>& counters() {
    static const std::vector<Counter> table{
        {u'人', u"にん", {{1, u"ひとり"}, {2, u"ふたり"}}, {u"", u"", u"", u"", u"よにん", u"", u"", u"しちにん", u"", u"きゅうにん"}},
        {u'日', u"にち",
         {{1, u"ついたち"}, {2, u"ふつか"}, {3, u"みっか"}, {4, u"よっか"}, {5, u"いつか"}, {6, u"むいか"},
          {7, u"なのか"}, {8, u"ようか"}, {9, u"ここのか"}, {10, u"とおか"}, {20, u"はつか"}},
         {u"", u"", u"", u"", u"よっか", u"", u"", u"", u"", u""}},
        {u'歳', u"さい", {{20, u"はたち"}}, {u"じゅっさい", u"いっさい", u"", u"", u"", u"", u"", u"", u"はっさい", u""}},
        {u'本', u"ほん", {}, {u"じゅっぽん", u"いっぽん", u"", u"さんぼん", u"", u"", u"ろっぽん", u"", u"はっぽん", u""}},
        {u'分', u"ふん", {}, {u"じゅっぷん", u"いっぷん", u"", u"さんぷん", u"よんぷん", u"", u"ろっぷん", u"", u"はっぷん", u""}},
        {u'時', u"じ", {}, {u"", u"", u"", u"", u"よじ", u"", u"", u"しちじ", u"", u"くじ"}},
        {u'月', u"がつ", {}, {u"", u"", u"", u"", u"しがつ", u"", u"", u"しちがつ", u"", u"くがつ"}},
        {u'年', u"ねん", {}, {u"", u"", u"", u"", u"よねん", u"", u"", u"", u"", u"くねん"}},
        {u'回', u"かい", {}, {u"じゅっかい", u"いっかい", u"", u"", u"", u"", u"ろっかい", u"", u"はっかい", u""}},
        {u'個', u"こ", {}, {u"じゅっこ", u"いっこ", u"", u"", u"", u"", u"ろっこ", u"", u"はっこ", u""}},
    };
    return table;
}

// Kanji numerals with units: 二十三, 三千五百, 十二万.
std::optional<int64_t> unitNumber(std::u16string_view number) {
    int64_t total = 0, section = 0, digit = -1;
    for (const char16_t c : number) {
        if (const int d = digitOf(c); d >= 0) {
            digit = std::max<int64_t>(digit, 0) * 10 + d;  // 12万: digits before a unit
            if (digit >= 10000) return std::nullopt;
        } else if (const int64_t unit = unitOf(c); unit == 10000) {
            if (digit >= 0) section += digit;
            if (section == 0) return std::nullopt;
            total += section * unit;
            section = 0;
            digit = -1;
        } else if (unit) {
            section += (digit >= 0 ? digit : 1) * unit;
            digit = -1;
        } else {
            return std::nullopt;
        }
    }
    return total + section + std::max<int64_t>(digit, 0);
}

}  // namespace

bool isNumeral(char16_t c) { return digitOf(c) >= 0 || unitOf(c) != 0; }

std::optional<int64_t> numberValue(std::u16string_view number) {
    if (number.empty() || !std::all_of(number.begin(), number.end(), isNumeral)) return std::nullopt;
    std::optional<int64_t> value;
    if (std::any_of(number.begin(), number.end(), [](char16_t c) { return unitOf(c) != 0; })) {
        value = unitNumber(number);
    } else {
        if (number.size() > 8) return std::nullopt;
        value = 0;
        for (const char16_t c : number) *value = *value * 10 + digitOf(c);
    }
    if (!value || *value >= kLimit) return std::nullopt;
    return value;
}

std::u16string numberReading(int64_t value) {
    if (value == 0) return std::u16string(kDigitReadings[0]);
    std::u16string out;
    if (value >= 10000) out = belowTenThousand(value / 10000) + u"まん";
    return out + belowTenThousand(value % 10000);
}

std::optional<std::u16string> counterReading(std::u16string_view text, CounterWords which) {
    if (text.size() < 2) return std::nullopt;
    const auto counter = std::find_if(counters().begin(), counters().end(),
                                      [&](const Counter& c) { return c.character == text.back(); });
    if (counter == counters().end()) return std::nullopt;
    const std::optional<int64_t> value = numberValue(text.substr(0, text.size() - 1));
    if (!value || *value == 0) return std::nullopt;
    for (const auto& [number, reading] : counter->whole)
        if (number == *value) return std::u16string(reading);
    if (which == CounterWords::WholeOnly) return std::nullopt;
    // The last digit, or a round ten below a hundred's place, changes with the counter.
    const int64_t lastDigit = *value % 10;
    const bool roundTen = lastDigit == 0 && *value / 10 % 10 != 0;
    const std::u16string_view changed = lastDigit ? counter->last[std::size_t(lastDigit)] : roundTen ? counter->last[0] : u"";
    if (changed.empty()) return numberReading(*value) + std::u16string(counter->plain);
    std::u16string head;
    if (*value >= 10000) head = belowTenThousand(*value / 10000) + u"まん";
    if (roundTen) {
        // The tens digit's reading, then the changed ten: 二十本 にじゅっぽん.
        const int64_t tens = *value / 10 % 10;
        head += belowTenThousand(*value % 10000 / 100 * 100);
        if (tens > 1) head += kDigitReadings[std::size_t(tens)];
    } else {
        head += belowTenThousand(*value % 10000, false);
    }
    return head + std::u16string(changed);
}

}  // namespace qucap
