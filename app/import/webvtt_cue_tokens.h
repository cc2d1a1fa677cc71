#pragma once
// The tokens of a WebVTT cue's text: runs of text (with character
// references decoded), start tags with their classes and annotation, end
// tags and timestamp tags.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

enum class CueTokenKind { Text, StartTag, EndTag, Timestamp };

struct CueToken {
    CueTokenKind kind = CueTokenKind::Text;
    std::u16string value;  // the text, the tag's name or the timestamp as written
    std::vector<std::u16string> classes;
    std::u16string annotation;  // "<v Name>": "Name", white space folded
    std::size_t start = 0;      // where the token starts in the cue text
    std::u16string unknownReference;  // the first "&name;" of the token it could not decode
};

class CueTokenizer {
public:
    explicit CueTokenizer(std::u16string_view text) : text_(text) {}
    bool atEnd() const { return at_ >= text_.size(); }
    // The next token; call only while not at the end.
    CueToken next();

private:
    void appendReference(std::u16string& out, CueToken& token);
    std::u16string_view text_;
    std::size_t at_ = 0;
};

}  // namespace qucap
