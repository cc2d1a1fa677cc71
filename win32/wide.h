#pragma once
// UTF-16 text handed to the W functions of Win32: wchar_t is char16_t's
// size on Windows, so the characters are passed as they are.
#include <string>

namespace qucap {

inline const wchar_t* wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

// For the fields of Win32 structures that take a non-const pointer but only read.
inline wchar_t* wideForReading(const std::u16string& text) { return const_cast<wchar_t*>(wide(text)); }

}  // namespace qucap
