#pragma once
// Ruby groups: a ruby text written as base(reading) groups, each anchored to
// the place in the line's plain body text where its base was found.
#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace qucap {

constexpr int kMaxRubyGroups = 9;
constexpr std::size_t kMaxRubyBaseLength = 255;
constexpr std::size_t kMaxRubyReadingLength = 1023;

struct RubyGroup {
    std::u16string base;
    std::u16string ruby;     // with its markup codes, laid out by its own pass
    int32_t anchor = 0;      // index in the plain body text
    bool operator==(const RubyGroup&) const = default;
};

// Groups 1 to 9 of one line (index 0 is group 1). `count` is the highest
// group number that was found; a group whose base was not found stays empty.
struct RubyGroups {
    std::array<RubyGroup, kMaxRubyGroups> groups;
    int count = 0;
};

// One group of a ruby text as the groups are read: where its text stands in
// the ruby text and where its base was found in the plain body text.
struct RubyGroupSpan {
    std::size_t start = 0;  // its base's first character in the ruby text
    std::size_t open = 0;   // its "("
    std::size_t close = 0;  // its ")"
    std::size_t anchor = std::u16string_view::npos;  // npos: its base was not found
};
struct RubyGroupSpans {
    std::array<RubyGroupSpan, kMaxRubyGroups> spans;
    int count = 0;  // the groups read; text after the last one's ")" is in none
};
// The groups of `ruby` as buildRubyGroups reads them, with their places.
RubyGroupSpans scanRubyGroups(std::u16string_view ruby, std::u16string_view plainBody);

// Reads the groups of `ruby` in order and looks for each base in `plainBody`
// from one character after the previous match; an empty base matches at the
// search position. Text after the last ")" is not part of any group.
RubyGroups buildRubyGroups(std::u16string_view ruby, std::u16string_view plainBody);

// What puts a group on the base at `anchor` of `plainBody` when the search
// for it starts at `from` (one character after the previous group's base):
// an empty group "base()" for each earlier occurrence of the base in
// between, so the reading lands on exactly those characters.
struct RubyFillers {
    std::u16string text;
    int groups = 0;  // the empty groups `text` holds
};
RubyFillers rubyFillers(std::u16string_view plainBody, std::u16string_view base, std::size_t from, std::size_t anchor);

}  // namespace qucap
