#include "app/timing/timing_settings.h"

#include "captiondata/profile/ini_profile.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

template <typename Record, std::size_t N>
void readSettings(const IniDocument& settings, const TimingSetting<Record> (&table)[N], Record& record) {
    for (const TimingSetting<Record>& setting : table) {
        const std::optional<std::u16string> text = settings.find(kTimingSection, setting.key);
        const std::optional<int64_t> value = text ? wholeNumber(*text) : std::nullopt;
        if (value && *value <= setting.max) record.*setting.field = *value;
    }
}

}  // namespace

RetimeRules timingRulesOf(const IniDocument& settings) {
    RetimeRules rules;
    readSettings(settings, kRetimeSettings, rules);
    readSettings(settings, kSnapSettings, rules.snap);
    if (rules.minMs > rules.maxMs) {
        const RetimeRules defaults;
        rules.minMs = defaults.minMs;
        rules.maxMs = defaults.maxMs;
    }
    return rules;
}

RetimeRules readTimingRules(const Io& io, std::u16string_view settingsFile) {
    const IniRead read = IniProfile(io).read(settingsFile);
    return read.status == ReadStatus::Ok ? timingRulesOf(read.document) : RetimeRules{};
}

}  // namespace qucap
