#include "app/core/display_items/display_list.h"

#include <algorithm>

#include "captiondata/io/text_file.h"
#include "captiondata/limits.h"
#include "captiondata/text/lines.h"
#include "captiondata/text/paths.h"
#include "captiondata/text/utf16_writer.h"

namespace qucap {

std::u16string_view displayListFileName(DisplayListKind kind) {
    static constexpr std::u16string_view kNames[] = {u"DispFontNameList.txt", u"DispVideoEncList.txt",
                                                     u"DispAudioEncList.txt"};
    return kNames[std::size_t(kind) - 1];
}

std::vector<std::u16string> parseDisplayList(std::u16string_view text) {
    return splitLines(text, kDisplayNameMax, SubRule::EndsFileUnlessAfterLf);
}

std::string displayListBytes(const std::vector<std::u16string>& names) {
    Utf16FileBuilder file;
    for (const auto& name : names) file.line(name);
    return file.bytes();
}

std::u16string DisplayLists::path(DisplayListKind kind) const { return joinPath(folder_, displayListFileName(kind)); }

void DisplayLists::load(const Io& io, DisplayListKind kind, const std::vector<std::u16string>& sourceNames) {
    const std::u16string file = path(kind);
    if (!io.files.exists(file) && io.files.writeFile(file, displayListBytes(sourceNames)) != WriteStatus::Ok) return;
    const TextRead read = readTextFile(io, file, {kDisplayListReadFailed, kDisplayListSizeFailed}, Deliverable::Program);
    if (read.outcome == TextReadOutcome::Ok) tables_[index(kind)] = parseDisplayList(read.text);
}

int DisplayLists::save(const Io& io, DisplayListKind kind, const std::vector<std::u16string>& chosenNames) {
    if (!writeTextFile(io, path(kind), displayListBytes(chosenNames), kDisplayListWriteFailed, Deliverable::Program))
        return -1;
    load(io, kind, {});
    return 0;
}

bool DisplayLists::isListed(DisplayListKind kind, std::u16string_view name) const {
    const auto& table = tables_[index(kind)];
    return std::find(table.begin(), table.end(), name) != table.end();
}

}  // namespace qucap
