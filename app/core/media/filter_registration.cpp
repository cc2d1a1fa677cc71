#include "app/core/media/filter_registration.h"

namespace qucap {

std::u16string registrationToolPath(std::u16string_view systemDirectory) {
    std::u16string path(systemDirectory);
    if (path.empty() || path.back() != u'\\') path += u'\\';
    return path + std::u16string(kRegistrationToolName);
}

std::u16string registrationParameters(RegistrationAction action, std::u16string_view modulePath) {
    const std::u16string_view switches = action == RegistrationAction::Register ? u"/s " : u"/u /s ";
    return std::u16string(switches) + u"\"" + std::u16string(modulePath) + u"\"";
}

int checkRegistrationFiles(const Io& io, std::u16string_view modulePath, std::u16string_view toolPath) {
    if (!io.files.isFile(modulePath)) {
        io.ui.warn(kFilterModuleMissing, Deliverable::Program);
        return -1;
    }
    if (!io.files.isFile(toolPath)) {
        io.ui.warn(kRegistrationToolMissing, Deliverable::Program);
        return -1;
    }
    return 0;
}

std::u16string graphFilterListText(const std::vector<std::u16string>& filterNames) {
    std::u16string text(kGraphFilterListHeading);
    for (const std::u16string& name : filterNames) {
        text += name;
        text += u'\n';
        if (text.size() >= kGraphFilterListMax) break;
    }
    if (text.size() > kGraphFilterListMax) {
        std::size_t length = kGraphFilterListMax;
        if (text[length - 1] >= 0xD800 && text[length - 1] <= 0xDBFF) --length;
        text.resize(length);
    }
    return text;
}

}  // namespace qucap
