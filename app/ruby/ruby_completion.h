#pragma once
// A line's ruby text completed with the proposal: the kanji the user's own
// groups do not yet cover get groups of their own, put between the user's
// groups so that every one of those still lands on the characters it did.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/ruby/reading_alignment.h"

namespace qucap {

// Text put into the ruby text at `at` (an index of the text before any insertion).
struct RubyInsertion {
    std::size_t at = 0;
    std::u16string text;
    bool operator==(const RubyInsertion&) const = default;
};

struct RubyCompletion {
    std::u16string ruby;                   // the ruby text with the insertions made
    std::vector<RubyInsertion> insertions;  // in order; none when nothing was left to propose
    bool operator==(const RubyCompletion&) const = default;
};

// `ruby` is the line's plain ruby text as the user left it, `spans` the
// proposal for the plain body. Spans that overlap a base the user gave a
// reading, that would move one of the user's groups, that pass the line's
// nine groups or take the text past `capacity` characters are left out.
// Text after the user's last ")" (a group being typed) stays last.
RubyCompletion completeRuby(std::u16string_view plainBody, std::u16string_view ruby, const std::vector<RubySpan>& spans,
                            std::size_t capacity);

}  // namespace qucap
