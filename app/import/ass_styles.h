#pragma once
// The pieces of an ASS or SSA file the reader takes apart: a section's
// Format line, the fields of a Style or Dialogue line, colours and the
// styles by name.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/import/imported_captions.h"

namespace qucap {

// The field names of a Format line, in order.
class AssFormat {
public:
    explicit AssFormat(std::span<const std::u16string_view> names);
    static AssFormat parse(std::u16string_view formatValue);
    std::size_t size() const { return size_; }
    // The first field of the name, found without regard to ASCII case.
    std::optional<std::size_t> indexOf(std::u16string_view name) const;

private:
    void add(std::u16string_view name);

    std::size_t size_ = 0;
    std::unordered_map<std::u16string, std::size_t> indexes_;
};

// The formats that hold where a section has no Format line.
AssFormat defaultV4PlusStyleFormat();
AssFormat defaultV4StyleFormat();
AssFormat defaultEventFormat();

// The value split into at most `count` fields at its commas, the last field
// taking the rest (a Dialogue's text may hold commas).
std::vector<std::u16string_view> splitFields(std::u16string_view value, std::size_t count);

// "&HAABBGGRR", "&HBBGGRR&" (any number of digits) or SSA's decimal value;
// the byte order is blue, green, red, the alpha is not kept.
std::optional<Rgb> assColour(std::u16string_view text);
// Bold is on for -1 or 1 and for a font weight of 600 and more.
bool assBold(int32_t value);

struct AssStyle {
    ImportStyle style;
    bool vertical = false;  // a font name starting with "@"
};

// Style lines by name. Names are found without regard to ASCII case, and a
// leading "*" (older tools write "*Default") is ignored.
class AssStyles {
public:
    struct Added {
        std::u16string name;
        std::vector<std::u16string_view> unreadableColours;  // left without a colour
    };
    // A Style line's fields by the format.
    Added add(std::span<const std::u16string_view> fields, const AssFormat& format);
    const AssStyle* find(std::u16string_view name) const;

private:
    std::unordered_map<std::u16string, AssStyle> byName_;
};

}  // namespace qucap
