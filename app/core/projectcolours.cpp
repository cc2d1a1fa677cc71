#include "app/core/projectcolours.h"

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

int saveChangedColours(const Io& io, std::u16string_view path, const ProjectColours& colours) {
    if (!colours.changed() || !namesFile(path)) return 0;
    return writeColourInfo(io, path, colours.table());
}

}  // namespace qucap
