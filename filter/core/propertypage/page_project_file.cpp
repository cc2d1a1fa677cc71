#include "filter/core/propertypage/page_project_file.h"

#include <string>

#include "captiondata/profile/ini_profile.h"
#include "captiondata/project/project_keys.h"
#include "captiondata/project/project_settings.h"
#include "captiondata/text/u16.h"

namespace qucap {

namespace {

struct PageKey {
    ProfileKey key;
    std::u16string (*value)(const PageValues& values);
};

template <auto field>
std::u16string textOf(const PageValues& values) {
    return values.*field;
}

template <auto field>
std::u16string numberOf(const PageValues& values) {
    return toDecimal(values.*field);
}

// In the order they are written.
constexpr PageKey kPageKeys[] = {
    {kInpCapName.key, textOf<&PageValues::captionPath>}, {kMainName.key, textOf<&PageValues::mainFace>},
    {kRubyName.key, textOf<&PageValues::rubyFace>},      {kMainSize.key, numberOf<&PageValues::mainSize>},
    {kRubySize.key, numberOf<&PageValues::rubySize>},    {kLayoutType.key, numberOf<&PageValues::layoutType>},
    {kLayoutFill.key, numberOf<&PageValues::fillFlag>},  {kLayoutSide.key, numberOf<&PageValues::sideFlag>},
    {kTimeDisp.key, numberOf<&PageValues::timeDisplay>}, {kBorderType.key, numberOf<&PageValues::borderType>},
    {kMainWidth.key, numberOf<&PageValues::mainWidth>},  {kRubyWidth.key, numberOf<&PageValues::rubyWidth>},
};

}  // namespace

int writePageSettings(const Io& io, const PageValues& values) {
    const std::u16string& project = values.projectPath;
    if (!namesFile(project) || !io.files.isFile(project)) return 0;
    IniProfile profile(io);
    for (const PageKey& entry : kPageKeys) {
        if (!profile.writeString(project, entry.key.section, entry.key.name, entry.value(values))) {
            io.ui.warn(kConfWriteFailed, Deliverable::Filter);
            return -1;
        }
    }
    return 0;
}

}  // namespace qucap
