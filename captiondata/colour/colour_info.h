#pragma once
// The colour-info file: for each of the eight colour slots of the caption
// markup, the text colour and the start and end colour of the border
// gradation. The program reads, applies and writes it; the filter reads it.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/io/io.h"

namespace qucap {

// Slots in the order of the markup letters R G B Y M C K W.
enum ColourSlotIndex : int {
    SlotRed, SlotGreen, SlotBlue, SlotYellow, SlotMagenta, SlotCyan, SlotBlack, SlotWhite
};
constexpr int kColourSlotCount = 8;

// The three colours of a slot, in the order of the file's columns.
enum ColourRole : int { TextColour, BorderStartColour, BorderEndColour };
constexpr int kColourRoleCount = 3;

inline constexpr std::u16string_view kColourFileHeader = u"0,文字色,縁取り開始,縁取り終了";
inline constexpr std::u16string_view kColourReadFailed = u"色情報ファイルの読み込みに失敗しました";
inline constexpr std::u16string_view kColourSizeFailed = u"色情報ファイルのサイズ取得に失敗しました";
inline constexpr std::u16string_view kColourWriteFailed = u"色情報ファイルの書き込みに失敗しました";

// One colour, as its text RRGGBB and as the platform's colour value 0x00BBGGRR.
struct Colour {
    std::u16string text;
    uint32_t value = 0;
    bool operator==(const Colour&) const = default;
};

// A default-constructed slot is all black with empty texts (the filter's
// state before it has read a file).
struct ColourSlot {
    Colour text;
    Colour borderStart;
    Colour borderEnd;

    Colour& operator[](ColourRole role);
    const Colour& operator[](ColourRole role) const;
    bool operator==(const ColourSlot&) const = default;
};

using ColourTable = std::array<ColourSlot, kColourSlotCount>;

// Text RRGGBB to 0x00BBGGRR: the pairs are put in blue, green, red order and
// read as one hexadecimal number (its leading hexadecimal digits); an empty
// text gives black.
uint32_t colourValueOf(std::u16string_view text);
// 0x00BBGGRR to six upper-case hexadecimal digits RRGGBB.
std::u16string colourTextOf(uint32_t value);

// A colour from its text (cut to six characters) or from its value.
Colour colourFromText(std::u16string_view text);
Colour colourFromValue(uint32_t value);

// The default texts, slot by slot in role order (also written for a new project).
extern const std::array<std::array<std::u16string_view, kColourRoleCount>, kColourSlotCount> kDefaultColourTexts;
ColourSlot defaultColourSlot(int slot);
ColourTable defaultColourTable();
// True when any of the slot's three texts differs from its default.
bool differsFromDefault(const ColourSlot& colours, int slot);

// One stored row of the file: its number and three colour texts as read.
struct ColourRecord {
    int32_t number = 0;
    std::array<std::u16string, kColourRoleCount> texts;
};

// What the program keeps of a read file until the colour tab applies it.
struct ColourInfoFile {
    std::vector<ColourRecord> records;  // rows with a positive number, in file order
    std::size_t lineEnds = 0;           // counted as the apply rule counts them
};

// The rows and line ends of a decoded file.
ColourInfoFile parseColourInfo(std::u16string_view text);

// Program: reads the file into `file`. 0, reading nothing, for an empty or
// "設定なし" name; -1 when the file is missing (no message) or could not be
// read (message titled "カブレン字幕付加システム"). Whenever nothing was
// read `file` is emptied, so the apply step gives the defaults.
int readColourInfoForProgram(const Io& io, std::u16string_view path, ColourInfoFile& file);

// True when the file holds eight stored rows (whatever follows them: blank
// lines, more rows), or had exactly nine line ends: the header and eight
// rows, one of which may be a skipped row.
bool isCompleteColourFile(const ColourInfoFile& file);

// The colour table the program works with: the first eight stored rows when
// the file is complete, which are the colours the filter draws with, else
// the defaults. A slot without a stored row keeps its defaults too.
ColourTable applyColourInfo(const ColourInfoFile& file);

// The bytes of the file for this table.
std::string colourInfoBytes(const ColourTable& table);

// Writes the file; -1 without a message for an empty or "設定なし" name, -1
// with "色情報ファイルの書き込みに失敗しました" when writing fails (the old
// file stays).
int writeColourInfo(const Io& io, std::u16string_view path, const ColourTable& table);

// Filter: the slots take the first eight stored rows in order; a slot without
// a row is black. -1 without a message for an empty or "設定なし" name or a
// missing file, -1 with a message titled "カブレン字幕合成フィルタ" when reading
// fails; the table is left as it was whenever the read fails.
int readColourInfoForFilter(const Io& io, std::u16string_view path, ColourTable& table);

}  // namespace qucap
