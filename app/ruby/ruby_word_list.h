#pragma once
// The project's own readings of names and terms ("ルビ辞書.csv" in the
// project folder: one "surface,reading" a line), found in a line before the
// analyser reads the rest.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

inline constexpr std::u16string_view kRubyWordListName = u"ルビ辞書.csv";

struct RubyWord {
    std::u16string surface;
    std::u16string reading;  // hiragana
    bool operator==(const RubyWord&) const = default;
};

class RubyWordList {
public:
    // Reads the decoded file: a line's first field is the surface, its
    // second the reading (katakana or hiragana), both trimmed of blanks.
    // Lines starting with # or lacking either field are skipped; a surface
    // given again takes the later reading.
    static RubyWordList parse(std::u16string_view text);

    // The longest word that `text` starts with at `at`, or nothing.
    const RubyWord* longestAt(std::u16string_view text, std::size_t at) const;
    const std::vector<RubyWord>& words() const { return words_; }

private:
    std::vector<RubyWord> words_;  // longest surfaces first
};

}  // namespace qucap
