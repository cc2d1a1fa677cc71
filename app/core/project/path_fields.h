#pragma once
// The paths a batch job takes, named as its messages name them, and the
// check that each fits the system's capacity for a path. A longer path would
// be cut where it is stored or read, and the job would read or write another
// file than the one named, so such a path is refused before anything is done.
#include <cstddef>
#include <string>
#include <string_view>

#include "captiondata/io/ui.h"
#include "captiondata/limits.h"
#include "captiondata/profile/ini_document.h"

namespace qucap {

enum class PathField {
    ProjectFile,
    SaveLocation,
    InputMovie,
    ColourInfo,
    CaptionInfo,
    BoxInfo,
    OutputMovie,
    SrtFile,
    SamiFile,
    WebVttFile,
    TtmlFile,
    BitmapFile,
};

// "出力動画ファイルのパスが長すぎます（255文字まで）"
std::u16string pathTooLongMessage(PathField field, std::size_t limit = kPathMax);

// Whether the path has at most `limit` characters; when it has more, warns
// with pathTooLongMessage.
bool pathFits(Ui& ui, PathField field, std::u16string_view path, std::size_t limit = kPathMax);

// The five paths of a project file's FileName section as the file holds
// them (reading cuts them to the capacity); warns about the first too long.
bool projectPathsFit(Ui& ui, const IniDocument& projectFile);

}  // namespace qucap
