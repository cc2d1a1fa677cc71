#include "app/import/webvtt_cue_tokens.h"

#include <array>
#include <optional>

#include "app/import/text_scan.h"

namespace qucap {
namespace {

struct NamedReference {
    std::u16string_view name;
    char16_t character;
};
// The references cue text needs for its own syntax and the direction marks,
// with the typographic ones subtitle files commonly carry.
constexpr std::array<NamedReference, 29> kNamedReferences{{
    {u"amp", u'&'},       {u"lt", u'<'},        {u"gt", u'>'},        {u"lrm", u'\u200E'},
    {u"rlm", u'\u200F'},  {u"nbsp", u'\u00A0'}, {u"quot", u'"'},      {u"apos", u'\''},
    {u"copy", u'\u00A9'}, {u"reg", u'\u00AE'},  {u"trade", u'\u2122'}, {u"hellip", u'\u2026'},
    {u"mdash", u'\u2014'}, {u"ndash", u'\u2013'}, {u"lsquo", u'\u2018'}, {u"rsquo", u'\u2019'},
    {u"ldquo", u'\u201C'}, {u"rdquo", u'\u201D'}, {u"laquo", u'\u00AB'}, {u"raquo", u'\u00BB'},
    {u"middot", u'\u00B7'}, {u"times", u'\u00D7'}, {u"divide", u'\u00F7'}, {u"deg", u'\u00B0'},
    {u"yen", u'\u00A5'},  {u"ensp", u'\u2002'}, {u"emsp", u'\u2003'}, {u"thinsp", u'\u2009'},
    {u"zwj", u'\u200D'},
}};
constexpr std::size_t kLongestName = 32;

// A code point as UTF-16; none (U+0000), surrogates and values past
// U+10FFFF become U+FFFD.
std::u16string utf16Of(char32_t code) {
    if (code == 0 || (code >= 0xD800 && code <= 0xDFFF) || code > 0x10FFFF) return u"\uFFFD";
    std::u16string text;
    appendUtf16(text, code);
    return text;
}

bool isTagSpace(char16_t c) { return c == u'\t' || c == u'\f' || c == u' '; }
bool isAnySpace(char16_t c) { return isTagSpace(c) || c == u'\n' || c == u'\r'; }

// The annotation with white space trimmed and each run of it one space.
std::u16string folded(std::u16string_view text) {
    std::u16string out;
    bool space = false;
    for (const char16_t c : text) {
        if (isAnySpace(c)) {
            space = !out.empty();
        } else {
            if (space) out += u' ';
            out += c;
            space = false;
        }
    }
    return out;
}

// The character a file's NUL stands for, as WebVTT reads it.
char16_t textCharacter(char16_t c) { return c == 0 ? u'\uFFFD' : c; }

}  // namespace

// At a "&": a numeric reference "&#65;" / "&#x41;" or a known name with its
// ";" becomes its character; anything else leaves the "&" as text.
void CueTokenizer::appendReference(std::u16string& out, CueToken& token) {
    const std::size_t amp = at_;
    std::size_t at = amp + 1;
    if (at < text_.size() && text_[at] == u'#') {
        const bool hex = at + 1 < text_.size() && (text_[at + 1] == u'x' || text_[at + 1] == u'X');
        at += hex ? 2 : 1;
        const std::size_t digits = at;
        char32_t code = 0;
        for (int d; at < text_.size() && (d = digitValue(text_[at], hex)) >= 0; ++at)
            code = code > 0x10FFFF ? code : code * (hex ? 16 : 10) + char32_t(d);
        if (at > digits && at < text_.size() && text_[at] == u';') {
            out += utf16Of(code);
            at_ = at + 1;
            return;
        }
    } else {
        while (at < text_.size() && at - amp <= kLongestName && (isAsciiLetter(text_[at]) || isAsciiDigit(text_[at]))) ++at;
        if (at > amp + 1 && at < text_.size() && text_[at] == u';') {
            const std::u16string_view name = text_.substr(amp + 1, at - amp - 1);
            for (const NamedReference& reference : kNamedReferences) {
                if (reference.name != name) continue;
                out += reference.character;
                at_ = at + 1;
                return;
            }
            if (token.unknownReference.empty()) token.unknownReference = text_.substr(amp, at + 1 - amp);
        }
    }
    out += u'&';
    ++at_;
}

CueToken CueTokenizer::next() {
    enum class State { Data, Tag, StartTag, StartTagClass, StartTagAnnotation, EndTag, TimestampTag };
    State state = State::Data;
    CueToken token;
    token.start = at_;
    std::u16string result, buffer;
    const auto startTag = [&] {
        token.kind = CueTokenKind::StartTag;
        token.value = std::move(result);
        token.annotation = folded(buffer);
        return std::move(token);
    };
    const auto tagOf = [&](CueTokenKind kind) {
        token.kind = kind;
        token.value = std::move(result);
        return std::move(token);
    };
    while (true) {
        const bool end = at_ >= text_.size();
        const char16_t c = end ? 0 : text_[at_];
        switch (state) {
        case State::Data:
            if (end || (c == u'<' && !result.empty())) return tagOf(CueTokenKind::Text);
            if (c == u'&') {
                appendReference(result, token);
                continue;
            }
            if (c == u'<')
                state = State::Tag;
            else
                result += textCharacter(c);
            break;
        case State::Tag:
            if (end) return startTag();
            if (isTagSpace(c) || c == u'\n') {
                state = State::StartTagAnnotation;
            } else if (c == u'.') {
                state = State::StartTagClass;
            } else if (c == u'/') {
                state = State::EndTag;
            } else if (c >= u'0' && c <= u'9') {
                result = c;
                state = State::TimestampTag;
            } else if (c == u'>') {
                ++at_;
                return startTag();
            } else {
                result = textCharacter(c);
                state = State::StartTag;
            }
            break;
        case State::StartTag:
        case State::StartTagClass: {
            const bool inClass = state == State::StartTagClass;
            if (end || c == u'>' || isTagSpace(c) || c == u'\n' || (inClass && c == u'.')) {
                if (inClass) token.classes.push_back(std::move(buffer));
                buffer.clear();
                if (end) return startTag();
                if (c == u'>') {
                    ++at_;
                    return startTag();
                }
                if (c == u'\n') buffer = c;
                state = c == u'.' ? State::StartTagClass : State::StartTagAnnotation;
            } else if (c == u'.') {
                state = State::StartTagClass;
            } else {
                (inClass ? buffer : result) += textCharacter(c);
            }
            break;
        }
        case State::StartTagAnnotation:
            if (end) return startTag();
            if (c == u'&') {
                appendReference(buffer, token);
                continue;
            }
            if (c == u'>') {
                ++at_;
                return startTag();
            }
            buffer += textCharacter(c);
            break;
        case State::EndTag:
        case State::TimestampTag:
            if (end || c == u'>') {
                if (!end) ++at_;
                return tagOf(state == State::EndTag ? CueTokenKind::EndTag : CueTokenKind::Timestamp);
            }
            result += textCharacter(c);
            break;
        }
        ++at_;
    }
}

}  // namespace qucap
