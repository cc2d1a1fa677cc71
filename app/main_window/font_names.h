#pragma once
// The font-name table: the installed TrueType families of the Japanese
// character set, vertical ("@") variants left out, in enumeration order.
#include <string>
#include <vector>

namespace qucap {

std::vector<std::u16string> installedJapaneseFontNames();

}  // namespace qucap
