#pragma once
// The benchmarks and screenshot runs under Wine take their inputs from the
// environment the scripts set.
#include <windows.h>

#include <string>

namespace qucap::test {

// The variable's value, empty when it is not set.
inline std::u16string environmentVariable(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(name, value, MAX_PATH)) return {};
    return reinterpret_cast<const char16_t*>(value);
}

}  // namespace qucap::test
