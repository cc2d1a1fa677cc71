#include "captiondata/caption/caption_file.h"

#include <optional>

#include "captiondata/caption/csv_fields.h"
#include "captiondata/io/text_file.h"
#include "captiondata/limits.h"
#include "captiondata/markup/markup_check.h"
#include "captiondata/text/lines.h"
#include "captiondata/text/u16.h"
#include "captiondata/text/utf16_writer.h"
#include "captiondata/time/time_text.h"

namespace qucap {

namespace {

constexpr std::size_t kFieldCount = 13;

// Field positions of a row line.
enum Field : std::size_t { Number = 0, Start = 1, Duration = 2, Orientation = 3, Lock = 12 };
constexpr std::size_t textField(int index) { return 4 + 2 * std::size_t(index); }
constexpr std::size_t positionField(int index) { return 5 + 2 * std::size_t(index); }

struct RowLine {
    CaptionRow row;
    std::u16string startText, durationText;
};

// The row a line holds, or nothing when its first field is not a positive number.
std::optional<RowLine> parseRowLine(std::u16string_view line) {
    const auto fields = splitQuotedFields(line, kFieldCount, kCaptionTextMax);
    RowLine parsed;
    CaptionRow& row = parsed.row;
    row.number = readLeadingInt(fields[Number]);
    if (row.number <= 0) return std::nullopt;
    parsed.startText = fields[Start];
    parsed.durationText = fields[Duration];
    row.orientation = truncated(fields[Orientation], kOrientationMax);
    for (int i = 0; i < kTextCount; ++i) {
        row.texts[i] = fields[textField(i)];
        row.positions[i] = readLeadingInt(fields[positionField(i)]);
    }
    const int32_t lock = readLeadingInt(fields[Lock]);
    row.lock = (lock >= 0 && lock <= 3) ? lock : 0;
    return parsed;
}

// The filter's check of one row against the row stored before it; the
// message (without the row number) of the first failure, or nothing.
std::optional<std::u16string> filterRowFault(const RowLine& line, const CaptionRow* previous) {
    const CaptionRow& row = line.row;
    if (!isValidCaptionTime(line.startText, TimeChecker::Filter)) return u"行目の開始時間の指定に誤りがあります";
    if (!isValidCaptionTime(line.durationText, TimeChecker::Filter)) return u"行目の表示時間の指定に誤りがあります";
    if ((row.start > 0 || row.duration > 0) && previous && row.start < previous->end()) {
        const auto end = int32_t(std::min<int64_t>(previous->end(), INT32_MAX));
        return u"行目の開始時間の指定に誤りがあります\n" + formatTime(end, TimeForm::Caption) + u"以降の時間を設定して下さい";
    }
    if (row.orientation != kVertical && row.orientation != kHorizontal) return u"行目の縦横指定に誤りがあります";
    if (const MarkupFault fault = firstMarkupFault(row.texts); fault != MarkupFault::None)
        return std::u16string(markupFaultMessage(fault));
    return std::nullopt;
}

// Both readers: the filter checks each row before storing it and stops at
// the first fault.
int readRows(const Io& io, std::u16string_view path, Deliverable who, CaptionTable& table,
             ReadFindings* findings = nullptr) {
    if (findings) *findings = {};
    const TextRead read = readTextFile(io, path, {kCaptionReadFailed, kCaptionSizeFailed}, who);
    if (read.outcome != TextReadOutcome::Ok) return -1;
    ReadFindings found = read.findings;
    if (found.notText) {
        table.clear();
        if (findings) *findings = std::move(found);
        return 0;
    }
    const auto lines = splitLines(read.text, kCaptionLineMax, SubRule::EndsLine);
    table.assign(lines.size(), CaptionRow{});
    std::size_t next = 0;
    for (const auto& line : lines) {
        auto parsed = parseRowLine(line);
        if (!parsed) {
            if (isUnreadLine(line, splitQuotedFields(line, 1, kCaptionTextMax)[0])) ++found.unreadLines;
            continue;
        }
        parsed->row.start = parseTime(parsed->startText);
        parsed->row.duration = parseTime(parsed->durationText);
        if (who == Deliverable::Filter) {
            const CaptionRow* previous = next > 0 ? &table[next - 1] : nullptr;
            if (auto fault = filterRowFault(*parsed, previous)) {
                io.ui.warn(toDecimal(parsed->row.number) + *fault, Deliverable::Filter);
                return -1;
            }
        }
        table[next++] = std::move(parsed->row);
    }
    if (findings) *findings = std::move(found);
    return 0;
}

}  // namespace

int readCaptionInfoForProgram(const Io& io, std::u16string_view path, CaptionTable& table,
                              ReadFindings* findings) {
    return namesFile(path) ? readRows(io, path, Deliverable::Program, table, findings) : 0;
}

int readCaptionInfoForFilter(const Io& io, std::u16string_view path, CaptionTable& table) {
    return namesFile(path) ? readRows(io, path, Deliverable::Filter, table) : -1;
}

std::string captionInfoBytes(const std::vector<CaptionFileRow>& rows) {
    Utf16FileBuilder file;
    file.line(kCaptionFileHeader);
    if (rows.empty()) {
        file.line(kCaptionSampleRow);
        return file.bytes();
    }
    for (const CaptionFileRow& row : rows) file.line(captionFileLine(row));
    return file.bytes();
}

std::u16string captionFileLine(const CaptionFileRow& row) {
    std::u16string line = quoteField(row.number) + u',' + quoteField(row.start) + u',' + quoteField(row.duration) + u',' +
                          std::u16string(row.vertical ? kVertical : kHorizontal);
    for (int i = 0; i < kTextCount; ++i) line += u',' + quoteField(row.texts[i]) + u',' + toDecimal(row.positions[i]);
    line += u',' + toDecimal(row.lock);
    return line;
}

int writeCaptionInfo(const Io& io, std::u16string_view path, const std::vector<CaptionFileRow>& rows) {
    if (!namesFile(path)) return -1;
    return writeTextFile(io, path, captionInfoBytes(rows), kCaptionWriteFailed, Deliverable::Program) ? 0 : -1;
}

CaptionTable rebuildCaptionTable(const std::vector<CaptionFileRow>& rows) {
    CaptionTable table(rows.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const CaptionFileRow& from = rows[i];
        CaptionRow& row = table[i];
        row.number = readLeadingInt(from.number);
        row.start = parseTime(from.start);
        row.duration = parseTime(from.duration);
        row.orientation = std::u16string(from.vertical ? kVertical : kHorizontal);
        row.texts = from.texts;
        row.positions = from.positions;
        row.lock = from.lock;
    }
    return table;
}

}  // namespace qucap
