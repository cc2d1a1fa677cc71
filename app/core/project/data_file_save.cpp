#include "app/core/project/data_file_save.h"

#include "captiondata/profile/ini_profile.h"
#include "captiondata/text/paths.h"

namespace qucap {

int saveUnderProjectName(const Io& io, DataFileProject& project, const SaveFileRequest& request, std::u16string_view key,
                         const std::function<int(std::u16string_view path)>& write) {
    if (namesFile(project.path)) return write(project.path);
    const auto chosen = io.ui.askSaveFileName(request);
    if (!chosen) return -1;
    project.path = *chosen;
    const int result = write(project.path);
    if (!IniProfile(io).writeString(project.projectFilePath, u"FileName", key, project.path))
        io.ui.warn(kProfileWriteFailed, Deliverable::Program);
    return result;
}

}  // namespace qucap
