#include "app/core/media/encoder_tables.h"

#include <algorithm>
#include <initializer_list>

namespace qucap {
namespace {

bool containsAny(std::u16string_view name, std::initializer_list<std::u16string_view> parts) {
    return std::any_of(parts.begin(), parts.end(),
                       [name](std::u16string_view part) { return name.find(part) != std::u16string_view::npos; });
}

bool isHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }

bool contains(const std::vector<std::u16string>& table, std::u16string_view name) {
    return std::find(table.begin(), table.end(), name) != table.end();
}

// The names of one category that pass a filter, cut as a table keeps them.
std::vector<std::u16string> tableOf(const std::vector<std::u16string>& names, bool (*passes)(std::u16string_view)) {
    std::vector<std::u16string> table;
    for (const std::u16string& name : names)
        if (!passes || passes(name)) table.push_back(encoderTableName(name));
    return table;
}

struct ListSection {
    std::u16string_view heading;
    const std::vector<std::u16string> EncoderTables::*names;
};

constexpr ListSection kListSections[] = {
    {u"映像圧縮（ビデオコンプレッサ）", &EncoderTables::videoCompressors},
    {u"映像エンコーダ（DirectShowフィルタ）", &EncoderTables::videoEncoderFilters},
    {u"音声圧縮（オーディオコンプレッサ）", &EncoderTables::audioCompressors},
    {u"音声エンコーダ（DirectShowフィルタ）", &EncoderTables::audioEncoderFilters},
};

}  // namespace

std::u16string encoderTableName(std::u16string_view friendlyName) {
    if (friendlyName.size() <= kEncoderNameMax) return std::u16string(friendlyName);
    std::size_t length = kEncoderNameCut;
    if (isHighSurrogate(friendlyName[length - 1])) --length;
    return std::u16string(friendlyName.substr(0, length));
}

bool isVideoEncoderFilterName(std::u16string_view name) {
    return containsAny(name, {u"Encoder", u"encoder"}) && !containsAny(name, {u"Audio", u"audio"});
}

bool isAudioEncoderFilterName(std::u16string_view name) {
    return containsAny(name, {u"Encoder", u"Processor", u"encoder", u"processor"}) &&
           !containsAny(name, {u"Video", u"video"});
}

EncoderTables buildEncoderTables(const EncoderCategoryNames& names) {
    return {tableOf(names.videoCompressors, nullptr), tableOf(names.directShowFilters, isVideoEncoderFilterName),
            tableOf(names.audioCompressors, nullptr), tableOf(names.directShowFilters, isAudioEncoderFilterName)};
}

bool isVideoCompressorName(const EncoderTables& tables, std::u16string_view name) {
    return contains(tables.videoCompressors, name);
}

bool isAudioCompressorName(const EncoderTables& tables, std::u16string_view name) {
    return contains(tables.audioCompressors, name);
}

EncoderCategory videoEncoderCategory(const EncoderTables& tables, std::u16string_view name) {
    return isVideoCompressorName(tables, name) ? EncoderCategory::VideoCompressors : EncoderCategory::DirectShowFilters;
}

EncoderCategory audioEncoderCategory(const EncoderTables& tables, std::u16string_view name) {
    return isAudioCompressorName(tables, name) ? EncoderCategory::AudioCompressors : EncoderCategory::DirectShowFilters;
}

bool encoderNameMatches(std::u16string_view deviceFriendlyName, std::u16string_view chosenName) {
    return deviceFriendlyName == chosenName || encoderTableName(deviceFriendlyName) == chosenName;
}

std::u16string encoderListText(const EncoderTables& tables) {
    std::u16string text;
    for (const ListSection& section : kListSections) {
        if (!text.empty()) text += u"\n";
        text += section.heading;
        text += u"\n";
        const std::vector<std::u16string>& names = tables.*section.names;
        if (names.empty()) text += u"  （なし）\n";
        for (const std::u16string& name : names) text += u"  " + name + u"\n";
    }
    return text;
}

}  // namespace qucap
