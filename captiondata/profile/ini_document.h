#pragma once
// The lines of an initialisation file in memory, with lookups and updates that
// follow the Windows private-profile rules: section and key names without
// regard to ASCII case, white space around names and values trimmed, the value
// being everything after the first "=", the first section of a name and the
// first key of a name in it winning. Lines that are neither sections nor keys
// (comments, stray text) are kept as they are.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

class IniDocument {
public:
    IniDocument() = default;
    // CR LF, a lone CR and a lone LF end a line; a last line without a line
    // end counts when it holds any character. Every other character is kept.
    static IniDocument parse(std::u16string_view text);

    // Whether a section of this name is there (with or without keys).
    bool hasSection(std::u16string_view section) const;
    // The trimmed value, or nothing when the section or the key is missing.
    std::optional<std::u16string> find(std::u16string_view section, std::u16string_view key) const;
    // The value, or `fallback` when the key is missing (an empty value stays empty).
    std::u16string readString(std::u16string_view section, std::u16string_view key,
                              std::u16string_view fallback) const;
    // Optional sign and leading digits; 0 when the value has no digits;
    // `fallback` when the key is missing or its value empty.
    int32_t readInt(std::u16string_view section, std::u16string_view key, int32_t fallback) const;

    // Replaces the key's value in place, or adds the key after the last key of
    // its section, or adds the section (after an empty line) at the end.
    // False, with nothing changed, when the names or the value cannot be
    // stored as one line that reads back the same (line breaks, "=" in a key,
    // "]" in a section, empty or padded names).
    bool set(std::u16string_view section, std::u16string_view key, std::u16string_view value);

    const std::vector<std::u16string>& lines() const { return lines_; }
    // FF FE, UTF-16LE, every line ended by CR LF.
    std::string bytes() const;

private:
    std::vector<std::u16string> lines_;
};

}  // namespace qucap
