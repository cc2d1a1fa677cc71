#pragma once
// The box-info file: for ranges of movie frames, up to two filled rectangles
// of one colour and transparency drawn over the picture. The program reads it
// into the box list and writes it back; the filter reads it and draws it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/io/io.h"
#include "captiondata/io/text_file.h"

namespace qucap {

inline constexpr std::u16string_view kBoxFileHeader =
    u"0,開始フレーム,開始時間,終了フレーム,終了時間,Ｘ位置,Ｙ位置,幅,高さ,Ｘ位置,Ｙ位置,幅,高さ,色,透明度";
inline constexpr std::u16string_view kBoxReadFailed = u"枠情報ファイルの読み込みに失敗しました";
inline constexpr std::u16string_view kBoxSizeFailed = u"枠情報ファイルのサイズ取得に失敗しました";
inline constexpr std::u16string_view kBoxWriteFailed = u"枠情報ファイルの書き込みに失敗しました";

// The colour words in the order of the colour slots R G B Y M C K W.
inline constexpr std::array<std::u16string_view, 8> kBoxColourWords = {
    u"赤", u"緑", u"青", u"黄", u"桃", u"水", u"黒", u"白"};

// The fields of a file row, which are also the columns of the box list.
enum BoxField : int {
    BoxNumberField, StartFrameField, StartTimeField, EndFrameField, EndTimeField,
    Box1XField, Box1YField, Box1WidthField, Box1HeightField,
    Box2XField, Box2YField, Box2WidthField, Box2HeightField,
    ColourField, TransparencyField,
};
constexpr std::size_t kBoxFieldCount = 15;

struct BoxRect {
    int32_t x = 0, y = 0, width = 0, height = 0;  // frame pixels, top-left corner
    bool operator==(const BoxRect&) const = default;
};

struct BoxRow {
    int32_t number = 0;      // 1-based; 0 or less marks an empty slot
    int32_t startFrame = 0;  // first frame, 1-based
    int32_t startTime = 0;   // milliseconds (the program keeps 0)
    int32_t endFrame = 0;    // last frame
    int32_t endTime = 0;     // milliseconds (the program keeps 0)
    std::array<BoxRect, 2> boxes{};  // box 2 all 0: there is no second box
    std::u16string colour;           // one of kBoxColourWords, at most 2 characters
    int32_t transparency = 0;        // 0 (the picture shows through) to 64 (covered)

    bool isBox() const { return number > 0; }
    bool operator==(const BoxRow&) const = default;
};

// The rows read, in file order.
using BoxTable = std::vector<BoxRow>;

// One row of the box list: its cell texts by BoxField (the time cells are
// hidden and empty).
using BoxListCells = std::array<std::u16string, kBoxFieldCount>;

// Which reader: the program keeps the times 0, the filter parses them.
enum class BoxTimes { Zero, Parsed };

// The rows of a decoded file whose first field is a positive number;
// `unreadLines`, when given, counts the other lines that hold text and are
// not the header or a comment (first field "0").
BoxTable parseBoxInfo(std::u16string_view text, BoxTimes times, std::size_t* unreadLines = nullptr);

// Program: fills `table` (times 0). 0, reading nothing, for an empty or
// "設定なし" name; -1 when the file is missing or a folder (no message) or
// could not be read (message titled "カブレン字幕付加システム"). The table is
// kept when the read fails. Bytes that are no text at all give no row;
// `findings`, when given, tells what else the file held.
int readBoxInfoForProgram(const Io& io, std::u16string_view path, BoxTable& table, ReadFindings* findings = nullptr);

// Filter: fills `table` with the times of fields 3 and 5 (0 when longer than
// 11 characters). -1 without a message for an empty or "設定なし" name or a
// missing file or folder; -1 with a message titled "カブレン字幕合成フィルタ"
// when reading fails. The table is kept when the read fails. Bytes that are
// no text at all give no row, as in the program.
int readBoxInfoForFilter(const Io& io, std::u16string_view path, BoxTable& table);

// The movie time of a frame: (frame - 1) x frame duration (100-ns units) /
// 10000, in 64-bit arithmetic, kept within 0 and the largest 32-bit time.
int32_t frameTime(int32_t frame, int64_t frameDuration);

// The geometry the writer needs from the input movie.
struct BoxMovie {
    int64_t frameDuration = 0;  // 100-ns units
    int32_t frameWidth = 0;     // pixels
};

// The row written after the header when the list is empty and the file is new.
std::u16string boxSampleRow(int32_t frameWidth);

// The bytes of the file: the rows with times computed from their frames; for
// no rows, the sample row when the file is new, else the header only.
std::string boxInfoBytes(const std::vector<BoxRow>& rows, const BoxMovie& movie, bool fileExisted);

// Writes the file; -1 without a message for an empty or "設定なし" name, -1
// with "枠情報ファイルの書き込みに失敗しました" when writing fails (the old
// file stays).
int writeBoxInfo(const Io& io, std::u16string_view path, const std::vector<BoxRow>& rows, const BoxMovie& movie);

// A box-list row read for writing: an empty start or end frame cell gives 1,
// an empty box-1 cell 1, an empty box-2 cell 0, an empty transparency cell 0.
BoxRow boxRowFromCells(const BoxListCells& cells);
// The cells the box list shows for a row (time cells left empty).
BoxListCells boxListCellsOf(const BoxRow& row);

}  // namespace qucap
