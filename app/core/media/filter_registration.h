#pragma once
// Offers: the portable side of registering the caption filter module with
// the system's registration tool (its path, its parameters, the checks with
// their messages) and the text that lists the filters of a graph.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "captiondata/io/io.h"

namespace qucap {

inline constexpr std::u16string_view kFilterModuleMissing = u"カブレン字幕合成フィルタが見つかりません";
inline constexpr std::u16string_view kRegistrationToolMissing = u"regsvr32.exeが見つかりません";
inline constexpr std::u16string_view kRegistrationToolName = u"regsvr32.exe";
inline constexpr std::u16string_view kGraphFilterListHeading = u"登録されているフィルタ\n";
inline constexpr std::size_t kGraphFilterListMax = 255;

enum class RegistrationAction { Register, Unregister };

// The system directory, a "\" when it does not end with one, "regsvr32.exe".
std::u16string registrationToolPath(std::u16string_view systemDirectory);

// "/s " or "/u /s " followed by the module path in double quotation marks.
std::u16string registrationParameters(RegistrationAction action, std::u16string_view modulePath);

// 0 when both the module and the tool are files; otherwise -1 after the
// warning box (program title) for the first one missing, module first.
int checkRegistrationFiles(const Io& io, std::u16string_view modulePath, std::u16string_view toolPath);

// "登録されているフィルタ\n" followed by each name and "\n", cut at 255
// characters (never inside a surrogate pair).
std::u16string graphFilterListText(const std::vector<std::u16string>& filterNames);

}  // namespace qucap
