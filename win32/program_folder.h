#pragma once
// The folder of the running program: the settings file, the display-item
// lists and the filter module live there.
#include <string>

namespace qucap {

// Without a trailing backslash.
std::u16string programFolder();

}  // namespace qucap
