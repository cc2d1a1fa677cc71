#include "app/core/project/project_colours.h"

#include "captiondata/text/paths.h"

namespace qucap {

void ProjectColours::load(const ColourTable& table) {
    table_ = table;
    changed_ = false;
}

void ProjectColours::set(int slot, ColourRole role, const Colour& colour) {
    Colour& kept = table_[std::size_t(slot)][role];
    if (kept == colour) return;
    kept = colour;
    changed_ = true;
}

void ProjectColours::reset(int slot) {
    const ColourSlot defaults = defaultColourSlot(slot);
    for (int role = 0; role < kColourRoleCount; ++role) set(slot, ColourRole(role), defaults[ColourRole(role)]);
}

SaveFileRequest colourInfoSaveRequest(std::u16string_view projectFolder) {
    return {joinPath(projectFolder, u"無題-色"), u"色情報ﾌｧｲﾙ", u"csv", {{u"カンマ区切りﾌｧｲﾙ (*.csv)", u"*.csv"}, allFilesFilter()}};
}

int saveChangedColours(const Io& io, const ProjectColours& colours, DataFileProject& project) {
    if (!colours.changed()) return 0;
    return saveUnderProjectName(io, project, colourInfoSaveRequest(project.projectFolder), u"InpColName",
                                [&](std::u16string_view path) { return writeColourInfo(io, path, colours.table()); });
}

}  // namespace qucap
