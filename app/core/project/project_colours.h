#pragma once
// The program's colour table with a note of whether it was changed in the
// program since the colour-info file was read or chosen. Only a changed
// table is written back, so a file the user never touched in the program
// keeps its bytes (and whatever the filter reads from it).
#include <string_view>

#include "app/core/project/data_file_save.h"
#include "captiondata/colour/colour_info.h"
#include "captiondata/io/io.h"

namespace qucap {

class ProjectColours {
public:
    const ColourTable& table() const { return table_; }
    const ColourSlot& operator[](int slot) const { return table_[std::size_t(slot)]; }
    bool changed() const { return changed_; }

    // The table read from the project's file (or the defaults): unchanged.
    void load(const ColourTable& table);
    // One colour set in the program; changed when it differs.
    void set(int slot, ColourRole role, const Colour& colour);
    // The slot's three colours back to the default table.
    void reset(int slot);

private:
    ColourTable table_ = defaultColourTable();
    bool changed_ = false;
};

// The save dialog offered when the project has no colour-info file yet.
SaveFileRequest colourInfoSaveRequest(std::u16string_view projectFolder);

// The save point's colour step: writes the file only when the table was
// changed in the program; 0 when nothing needed writing. A project without a
// colour-info file asks for a name first (cancel gives -1), takes it and
// records it as InpColName in the project file.
int saveChangedColours(const Io& io, const ProjectColours& colours, DataFileProject& project);

}  // namespace qucap
