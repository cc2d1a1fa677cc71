#pragma once
// The "$" codes of caption texts: reading them token by token, the
// formatting state they build up, the plain text, and the normalisations
// that drop codes which change nothing.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>
#include <utility>

namespace qucap {

// Body texts are line-1 and line-2 body (even indexes), ruby texts the odd ones.
enum class TextKind { Body, Ruby };
constexpr TextKind kindOfText(int textIndex) { return textIndex % 2 == 0 ? TextKind::Body : TextKind::Ruby; }

// The effects as the bits the rich edit control uses for them.
enum EffectBit : unsigned { kBold = 1, kItalic = 2, kUnderline = 4, kStrikeOut = 8 };

struct EffectCode {
    char16_t on;   // upper case: the effect starts with the next character
    char16_t off;  // lower case: it ends
    EffectBit bit;
};
// In the order every writer of effect codes uses.
inline constexpr std::array<EffectCode, 4> kEffectCodes{{
    {u'H', u'h', kBold},
    {u'I', u'i', kItalic},
    {u'U', u'u', kUnderline},
    {u'S', u's', kStrikeOut},
}};

// The eight colour slots in palette order; upper case chooses the text
// colour, lower case the border colour.
inline constexpr std::u16string_view kColourLetters = u"RGBYMCKW";

enum class TokenKind {
    Visible,       // one visible character
    Dollar,        // "$$": one visible "$"
    Effect,        // an effect switched on or off
    TextColour,    // upper-case colour letter
    BorderColour,  // lower-case colour letter
    OtherCode,     // "$" with a character that is no code; kept for the checks to report
    LoneDollar,    // a "$" ending the text without a partner
};

struct MarkupToken {
    TokenKind kind = TokenKind::Visible;
    std::u16string_view text;  // the one or two characters of the token
    unsigned effect = 0;       // Effect: its bit
    bool on = false;           // Effect: switched on
    char16_t letter = 0;       // the character after "$" for every code
};

// The token starting at `at` (at < text.size()). A "$" always pairs with the
// character after it, so pairs are formed from the left.
MarkupToken readToken(std::u16string_view text, std::size_t at);

// Calls visit(token) for every token of the text, left to right.
template <typename Visit>
void forEachToken(std::u16string_view text, Visit&& visit) {
    for (std::size_t at = 0; at < text.size();) {
        const MarkupToken token = readToken(text, at);
        at += token.text.size();
        visit(token);
    }
}

// The formatting in force at some point of a text: the effects that are on
// and the slot letters of the last text-colour and border-colour codes
// (0 while no such code has been met).
struct FormattingState {
    unsigned effects = 0;
    char16_t textColour = 0;    // upper-case slot letter
    char16_t borderColour = 0;  // lower-case slot letter

    // Whether applying the code token would change the state.
    bool changedBy(const MarkupToken& token) const;
    void apply(const MarkupToken& token);

    // "$H$I$U$S" for the effects that are on, in that order; offCodes() the
    // lower-case counterparts; colourCodes() the text then border code held.
    std::u16string onCodes() const;
    std::u16string offCodes() const;
    std::u16string colourCodes() const;
    std::u16string allCodes() const { return onCodes() + colourCodes(); }

    friend bool operator==(const FormattingState&, const FormattingState&) = default;
};

// The state after every code of the text, starting from `from`.
FormattingState stateAfter(std::u16string_view text, FormattingState from = {});

// The visible characters: code pairs removed, "$$" read as "$", a "$"
// without partner at the end dropped.
std::u16string plainText(std::u16string_view marked);

// Normalises markup as it is appended, piece by piece. Body: a code that
// would not change the state is dropped. Ruby: the same inside parentheses;
// outside them every code is dropped and only visible characters stay, and
// the state carries from one group to the next. Each appended piece is read
// on its own, so a piece should end on a whole token.
class MarkupNormaliser {
public:
    explicit MarkupNormaliser(TextKind kind) : kind_(kind) {}
    void append(std::u16string_view markup);
    const std::u16string& text() const { return text_; }
    std::u16string take() { return std::move(text_); }

private:
    void appendToken(const MarkupToken& token);

    TextKind kind_;
    bool insideGroup_ = false;
    FormattingState state_;
    std::u16string text_;
};

std::u16string normaliseBodyText(std::u16string_view marked);
std::u16string normaliseRubyText(std::u16string_view marked);

// Where the ruby-group step stops copying: once the result comes within
// kGroupMarkMargin characters of kRubyStepCeiling at a parenthesis, or
// within kCharacterMargin at anything else. The margins leave room for the
// codes a parenthesis brings, so the result never exceeds 1023 characters.
inline constexpr std::size_t kRubyStepCeiling = 1024;
inline constexpr std::size_t kGroupMarkMargin = 14;
inline constexpr std::size_t kCharacterMargin = 2;

// Frames every reading of a ruby text with explicit formatting: codes
// between the base characters are dropped; each "(" is followed by the
// group-start codes (at first `carried`, then the effects and last colours
// the previous reading ended with); each ")" is preceded by the off-codes of
// the effects still on and "$W$k". A ")" without an open group is copied as
// a character, and so is a "(" inside a group.
std::u16string formatRubyGroups(std::u16string_view ruby, const FormattingState& carried);

}  // namespace qucap
