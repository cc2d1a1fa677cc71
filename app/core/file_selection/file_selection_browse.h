#pragma once
// The browse dialogs of the file-selection tab: their kind, title, filters
// and what a choice changes.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/core/file_selection/file_selection_fields.h"

namespace qucap {

enum class BrowseDialogKind {
    Open,    // requires an existing path and file
    Save,    // requires an existing path, asks before overwriting
    Folder,  // file-system folders only
};

struct FileFilter {
    std::u16string_view description;
    std::u16string_view pattern;
    bool operator==(const FileFilter&) const = default;
};

// What a browse button changes besides its own field.
enum class BrowseEffect {
    FieldOnly,
    ClearsEverything,     // every field cleared and the caption list emptied first
    EmptiesCaptionList,   // the caption list emptied first
};

struct BrowseDialog {
    int button;
    FileField field;
    BrowseDialogKind kind;
    std::u16string_view kindText;  // e.g. "動画ﾌｧｲﾙ"; the folder dialog's whole title
    std::vector<FileFilter> filters;
    std::u16string_view initialName;
    std::u16string_view defaultExtension;
    BrowseEffect effect;
};

// The dialog behind a browse button; nothing for any other control.
const BrowseDialog* browseDialogFor(int button);
// Open: kind + "を開く"; save: "名前を付けて" + kind + "の保存"; folder: as given.
std::u16string browseDialogTitle(const BrowseDialog& dialog);

}  // namespace qucap
