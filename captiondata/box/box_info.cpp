#include "captiondata/box/box_info.h"

#include <algorithm>

#include "captiondata/io/text_file.h"
#include "captiondata/limits.h"
#include "captiondata/text/plain_csv.h"
#include "captiondata/text/u16.h"
#include "captiondata/text/utf16_writer.h"
#include "captiondata/time/time_text.h"

namespace qucap {

namespace {

constexpr ReadMessages kBoxReadMessages{kBoxReadFailed, kBoxSizeFailed};

// The numeric fields other than the times, with the value an empty box-list
// cell stands for.
struct NumberColumn {
    BoxField field;
    int32_t emptyCellValue;
};
constexpr std::array<NumberColumn, 12> kNumberColumns = {{
    {BoxNumberField, 0}, {StartFrameField, 1}, {EndFrameField, 1},
    {Box1XField, 1}, {Box1YField, 1}, {Box1WidthField, 1}, {Box1HeightField, 1},
    {Box2XField, 0}, {Box2YField, 0}, {Box2WidthField, 0}, {Box2HeightField, 0},
    {TransparencyField, 0},
}};

constexpr std::array<int32_t BoxRect::*, 4> kRectMembers = {&BoxRect::x, &BoxRect::y, &BoxRect::width, &BoxRect::height};

// The numeric member of a row behind a field (const or not, as the row).
template <class Row>
auto& numberIn(Row& row, BoxField field) {
    if (field >= Box1XField && field <= Box2HeightField) {
        const int at = field - Box1XField;
        return row.boxes[at / 4].*kRectMembers[at % 4];
    }
    switch (field) {
    case StartFrameField: return row.startFrame;
    case StartTimeField: return row.startTime;
    case EndFrameField: return row.endFrame;
    case EndTimeField: return row.endTime;
    case TransparencyField: return row.transparency;
    default: return row.number;
    }
}

const std::u16string& fieldOrEmpty(const std::vector<std::u16string>& fields, BoxField field) {
    static const std::u16string kEmpty;
    return std::size_t(field) < fields.size() ? fields[field] : kEmpty;
}

// A time field of the filter's reader: longer texts cannot be a caption time.
int32_t timeOfField(std::u16string_view text) { return text.size() <= kTimeTextMax ? parseTime(text) : 0; }

// The fields of a row; the time fields are given by the caller.
BoxListCells cellsOf(const BoxRow& row, std::u16string startTime, std::u16string endTime) {
    BoxListCells cells;
    for (const auto& column : kNumberColumns) cells[column.field] = toDecimal(numberIn(row, column.field));
    cells[StartTimeField] = std::move(startTime);
    cells[EndTimeField] = std::move(endTime);
    cells[ColourField] = row.colour;
    return cells;
}

std::u16string joinedByCommas(const BoxListCells& cells) {
    std::u16string line;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        if (i > 0) line += u',';
        line += cells[i];
    }
    return line;
}

int readBoxInfo(const Io& io, std::u16string_view path, BoxTable& table, Deliverable who,
                ReadFindings* findings = nullptr) {
    const TextRead read = readTextFile(io, path, kBoxReadMessages, who);
    if (read.outcome != TextReadOutcome::Ok) return -1;
    ReadFindings found = read.findings;
    if (found.notText)
        table.clear();
    else
        table = parseBoxInfo(read.text, who == Deliverable::Filter ? BoxTimes::Parsed : BoxTimes::Zero,
                             &found.unreadLines);
    if (findings) *findings = std::move(found);
    return 0;
}

}  // namespace

BoxTable parseBoxInfo(std::u16string_view text, BoxTimes times, std::size_t* unreadLines) {
    BoxTable table;
    if (unreadLines) *unreadLines = 0;
    for (const auto& line : plainCsvLines(text)) {
        const auto fields = plainCsvFields(line, kBoxFieldCount);
        if (plainCsvRowNumber(fields) <= 0) {
            if (unreadLines && isUnreadLine(line, fields.empty() ? u"" : fields[0])) ++*unreadLines;
            continue;
        }
        BoxRow row;
        for (const auto& column : kNumberColumns)
            numberIn(row, column.field) = readLeadingInt(fieldOrEmpty(fields, column.field));
        if (times == BoxTimes::Parsed) {
            row.startTime = timeOfField(fieldOrEmpty(fields, StartTimeField));
            row.endTime = timeOfField(fieldOrEmpty(fields, EndTimeField));
        }
        row.colour = truncated(fieldOrEmpty(fields, ColourField), kBoxColourMax);
        table.push_back(std::move(row));
    }
    return table;
}

int readBoxInfoForProgram(const Io& io, std::u16string_view path, BoxTable& table, ReadFindings* findings) {
    if (findings) *findings = {};
    if (!namesFile(path)) return 0;
    return readBoxInfo(io, path, table, Deliverable::Program, findings);
}

int readBoxInfoForFilter(const Io& io, std::u16string_view path, BoxTable& table) {
    if (!namesFile(path)) return -1;
    return readBoxInfo(io, path, table, Deliverable::Filter);
}

int32_t frameTime(int32_t frame, int64_t frameDuration) {
    const int64_t time = (int64_t(frame) - 1) * frameDuration / 10'000;
    return int32_t(std::clamp<int64_t>(time, 0, INT32_MAX));
}

std::u16string boxSampleRow(int32_t frameWidth) {
    return u"1,1,0:00:00.00,301,0:00:10.01," + toDecimal((int64_t(frameWidth) - 300) / 2) +
           u",70,300,100,0,0,0,0,黒,16";
}

std::string boxInfoBytes(const std::vector<BoxRow>& rows, const BoxMovie& movie, bool fileExisted) {
    Utf16FileBuilder builder;
    builder.line(kBoxFileHeader);
    for (const auto& row : rows) {
        auto timeOf = [&](int32_t frame) { return formatTime(frameTime(frame, movie.frameDuration), TimeForm::Caption); };
        builder.line(joinedByCommas(cellsOf(row, timeOf(row.startFrame), timeOf(row.endFrame))));
    }
    if (rows.empty() && !fileExisted) builder.line(boxSampleRow(movie.frameWidth));
    return builder.bytes();
}

int writeBoxInfo(const Io& io, std::u16string_view path, const std::vector<BoxRow>& rows, const BoxMovie& movie) {
    if (!namesFile(path)) return -1;
    const bool existed = io.files.exists(path);
    return writeTextFile(io, path, boxInfoBytes(rows, movie, existed), kBoxWriteFailed, Deliverable::Program) ? 0 : -1;
}

BoxRow boxRowFromCells(const BoxListCells& cells) {
    BoxRow row;
    for (const auto& column : kNumberColumns) {
        const auto& cell = cells[column.field];
        numberIn(row, column.field) = cell.empty() ? column.emptyCellValue : readLeadingInt(cell);
    }
    row.colour = truncated(cells[ColourField], kBoxColourMax);
    return row;
}

BoxListCells boxListCellsOf(const BoxRow& row) { return cellsOf(row, {}, {}); }

}  // namespace qucap
