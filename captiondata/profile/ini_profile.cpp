#include "captiondata/profile/ini_profile.h"

namespace qucap {

IniRead IniProfile::read(std::u16string_view file) const {
    ReadResult result = files_.readFile(file);
    IniRead read{result.status, {}};
    if (result.status == ReadStatus::Ok) read.document = IniDocument::parse(decodeTextFile(result.bytes, shiftJis_));
    return read;
}

std::u16string IniProfile::readString(std::u16string_view file, std::u16string_view section,
                                      std::u16string_view key, std::u16string_view fallback) const {
    return read(file).document.readString(section, key, fallback);
}

int32_t IniProfile::readInt(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                            int32_t fallback) const {
    return read(file).document.readInt(section, key, fallback);
}

bool IniProfile::writeString(std::u16string_view file, std::u16string_view section, std::u16string_view key,
                             std::u16string_view value) {
    IniRead current = read(file);
    if (!current.readable()) return false;
    if (!current.document.set(section, key, value)) return false;
    return files_.writeFile(file, current.document.bytes()) == WriteStatus::Ok;
}

}  // namespace qucap
