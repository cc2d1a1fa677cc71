#pragma once
// The display-item lists: which fonts and encoders the program offers in its
// drop-down lists, kept in three files in the program folder.
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/io/io.h"

namespace qucap {

enum class DisplayListKind { Fonts = 1, VideoEncoders = 2, AudioEncoders = 3 };

inline constexpr std::u16string_view kDisplayListReadFailed = u"リスト表示ファイルの読み込みに失敗しました";
inline constexpr std::u16string_view kDisplayListSizeFailed = u"リスト表示ファイルのサイズ取得に失敗しました";
inline constexpr std::u16string_view kDisplayListWriteFailed = u"リスト表示ファイルの書き込みに失敗しました";

// "DispFontNameList.txt", "DispVideoEncList.txt", "DispAudioEncList.txt".
std::u16string_view displayListFileName(DisplayListKind kind);

// The names of a list file: one per line, each cut to 63 characters; a SUB
// right after a LF is ignored and any other SUB ends the file.
std::vector<std::u16string> parseDisplayList(std::u16string_view text);

// The bytes of a list file holding these names.
std::string displayListBytes(const std::vector<std::u16string>& names);

class DisplayLists {
public:
    explicit DisplayLists(std::u16string programFolder) : folder_(std::move(programFolder)) {}

    std::u16string path(DisplayListKind kind) const;

    // Loads the kind's file into its table. A missing file is first created
    // with every source name (so a first run offers everything); when that
    // fails nothing is loaded and nothing is said. A failed load keeps the table.
    void load(const Io& io, DisplayListKind kind, const std::vector<std::u16string>& sourceNames);

    // Writes the chosen names and loads the file again; -1 with the message on failure.
    int save(const Io& io, DisplayListKind kind, const std::vector<std::u16string>& chosenNames);

    // Exact, case-sensitive membership.
    bool isListed(DisplayListKind kind, std::u16string_view name) const;

    const std::vector<std::u16string>& names(DisplayListKind kind) const { return tables_[index(kind)]; }

private:
    static std::size_t index(DisplayListKind kind) { return std::size_t(kind) - 1; }

    std::u16string folder_;
    std::array<std::vector<std::u16string>, 3> tables_;
};

}  // namespace qucap
