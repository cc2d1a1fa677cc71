#include "captiondata/colour/colour_info.h"

#include "captiondata/io/text_file.h"
#include "captiondata/limits.h"
#include "captiondata/text/lines.h"
#include "captiondata/text/plain_csv.h"
#include "captiondata/text/u16.h"
#include "captiondata/text/utf16_writer.h"

namespace qucap {

const std::array<std::array<std::u16string_view, kColourRoleCount>, kColourSlotCount> kDefaultColourTexts = {{
    {u"FF0000", u"FF0000", u"FF8080"},  // R
    {u"00FF00", u"00FF00", u"80FF80"},  // G
    {u"0000FF", u"0000FF", u"8080FF"},  // B
    {u"FFFF00", u"FFFF00", u"FFFF80"},  // Y
    {u"FF00FF", u"FF00FF", u"FF80FF"},  // M
    {u"00FFFF", u"00FFFF", u"80FFFF"},  // C
    {u"000000", u"000000", u"808080"},  // K
    {u"FFFFFF", u"FFFFFF", u"808080"},  // W
}};

namespace {

constexpr std::array<Colour ColourSlot::*, kColourRoleCount> kRoleMembers = {
    &ColourSlot::text, &ColourSlot::borderStart, &ColourSlot::borderEnd};

constexpr std::size_t kColourFieldCount = 1 + kColourRoleCount;  // number and three colours

constexpr ReadMessages kColourReadMessages{kColourReadFailed, kColourSizeFailed};

int hexDigitValue(char16_t c) {
    if (c >= u'0' && c <= u'9') return c - u'0';
    if (c >= u'A' && c <= u'F') return c - u'A' + 10;
    if (c >= u'a' && c <= u'f') return c - u'a' + 10;
    return -1;
}

// Each record takes the slot of its position; slots beyond the records keep
// the fallback.
ColourTable slotsFromRecords(const std::vector<ColourRecord>& records, const ColourTable& fallback) {
    ColourTable table = fallback;
    for (std::size_t slot = 0; slot < table.size() && slot < records.size(); ++slot)
        for (int role = 0; role < kColourRoleCount; ++role)
            table[slot][ColourRole(role)] = colourFromText(records[slot].texts[role]);
    return table;
}

}  // namespace

Colour& ColourSlot::operator[](ColourRole role) { return this->*kRoleMembers[role]; }
const Colour& ColourSlot::operator[](ColourRole role) const { return this->*kRoleMembers[role]; }

uint32_t colourValueOf(std::u16string_view text) {
    auto pair = [&](std::size_t at) { return at < text.size() ? text.substr(at, 2) : std::u16string_view(); };
    std::u16string reordered;
    reordered.append(pair(4)).append(pair(2)).append(pair(0));
    uint32_t value = 0;
    for (const char16_t c : reordered) {
        const int digit = hexDigitValue(c);
        if (digit < 0) break;
        value = value << 4 | uint32_t(digit);
    }
    return value;
}

std::u16string colourTextOf(uint32_t value) {
    constexpr std::u16string_view kDigits = u"0123456789ABCDEF";
    std::u16string text;
    for (const int shift : {0, 8, 16}) {  // red, green, blue
        const uint32_t channel = value >> shift & 0xFF;
        text += kDigits[channel >> 4];
        text += kDigits[channel & 0xF];
    }
    return text;
}

Colour colourFromText(std::u16string_view text) {
    const std::u16string kept = truncated(text, kColourTextMax);
    return {kept, colourValueOf(kept)};
}

Colour colourFromValue(uint32_t value) { return colourFromText(colourTextOf(value & 0xFFFFFF)); }

ColourSlot defaultColourSlot(int slot) {
    ColourSlot colours;
    for (int role = 0; role < kColourRoleCount; ++role)
        colours[ColourRole(role)] = colourFromText(kDefaultColourTexts[slot][role]);
    return colours;
}

ColourTable defaultColourTable() {
    ColourTable table;
    for (int slot = 0; slot < kColourSlotCount; ++slot) table[slot] = defaultColourSlot(slot);
    return table;
}

bool differsFromDefault(const ColourSlot& colours, int slot) {
    for (int role = 0; role < kColourRoleCount; ++role)
        if (colours[ColourRole(role)].text != kDefaultColourTexts[slot][role]) return true;
    return false;
}

ColourInfoFile parseColourInfo(std::u16string_view text) {
    ColourInfoFile file;
    file.lineEnds = splitLines(text, kSmallLineMax, SubRule::EndsFileUnlessAfterLf).size();
    for (const auto& line : plainCsvLines(text)) {
        const auto fields = plainCsvFields(line, kColourFieldCount);
        ColourRecord record;
        record.number = plainCsvRowNumber(fields);
        if (record.number <= 0) continue;
        for (std::size_t role = 0; role < record.texts.size() && role + 1 < fields.size(); ++role)
            record.texts[role] = truncated(fields[role + 1], kColourTextMax);
        file.records.push_back(std::move(record));
    }
    return file;
}

int readColourInfoForProgram(const Io& io, std::u16string_view path, ColourInfoFile& file) {
    file = {};
    if (!namesFile(path)) return 0;
    const TextRead read = readTextFile(io, path, kColourReadMessages, Deliverable::Program);
    if (read.outcome != TextReadOutcome::Ok) return -1;
    file = parseColourInfo(read.text);
    return 0;
}

bool isCompleteColourFile(const ColourInfoFile& file) {
    return file.records.size() >= std::size_t(kColourSlotCount) || file.lineEnds == 1 + kColourSlotCount;
}

ColourTable applyColourInfo(const ColourInfoFile& file) {
    if (!isCompleteColourFile(file)) return defaultColourTable();
    return slotsFromRecords(file.records, defaultColourTable());
}

std::string colourInfoBytes(const ColourTable& table) {
    Utf16FileBuilder builder;
    builder.line(kColourFileHeader);
    for (int slot = 0; slot < kColourSlotCount; ++slot) {
        std::u16string row = toDecimal(slot + 1);
        for (int role = 0; role < kColourRoleCount; ++role) row.append(u",").append(table[slot][ColourRole(role)].text);
        builder.line(row);
    }
    return builder.bytes();
}

int writeColourInfo(const Io& io, std::u16string_view path, const ColourTable& table) {
    if (!namesFile(path)) return -1;
    return writeTextFile(io, path, colourInfoBytes(table), kColourWriteFailed, Deliverable::Program) ? 0 : -1;
}

int readColourInfoForFilter(const Io& io, std::u16string_view path, ColourTable& table) {
    if (!namesFile(path)) return -1;
    const TextRead read = readTextFile(io, path, kColourReadMessages, Deliverable::Filter);
    if (read.outcome != TextReadOutcome::Ok) return -1;
    table = slotsFromRecords(parseColourInfo(read.text).records, ColourTable{});
    return 0;
}

}  // namespace qucap
