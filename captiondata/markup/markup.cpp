#include "captiondata/markup/markup.h"

namespace qucap {
namespace {

const EffectCode* effectOf(char16_t letter) {
    for (const EffectCode& code : kEffectCodes)
        if (letter == code.on || letter == code.off) return &code;
    return nullptr;
}

bool isColourLetter(char16_t letter) { return kColourLetters.find(letter) != std::u16string_view::npos; }

bool isBorderLetter(char16_t letter) {
    return letter >= u'a' && letter <= u'z' && isColourLetter(char16_t(letter - u'a' + u'A'));
}

std::u16string code(char16_t letter) { return {u'$', letter}; }

bool isVisible(const MarkupToken& token, char16_t c) {
    return token.kind == TokenKind::Visible && token.text[0] == c;
}

}  // namespace

MarkupToken readToken(std::u16string_view text, std::size_t at) {
    MarkupToken token;
    if (text[at] != u'$') {
        token.text = text.substr(at, 1);
        return token;
    }
    if (at + 1 == text.size()) {
        token.kind = TokenKind::LoneDollar;
        token.text = text.substr(at, 1);
        return token;
    }
    token.text = text.substr(at, 2);
    token.letter = text[at + 1];
    if (token.letter == u'$') {
        token.kind = TokenKind::Dollar;
    } else if (const EffectCode* effect = effectOf(token.letter)) {
        token.kind = TokenKind::Effect;
        token.effect = effect->bit;
        token.on = token.letter == effect->on;
    } else if (isColourLetter(token.letter)) {
        token.kind = TokenKind::TextColour;
    } else if (isBorderLetter(token.letter)) {
        token.kind = TokenKind::BorderColour;
    } else {
        token.kind = TokenKind::OtherCode;
    }
    return token;
}

bool FormattingState::changedBy(const MarkupToken& token) const {
    switch (token.kind) {
        case TokenKind::Effect: return ((effects & token.effect) != 0) != token.on;
        case TokenKind::TextColour: return token.letter != textColour;
        case TokenKind::BorderColour: return token.letter != borderColour;
        default: return false;
    }
}

void FormattingState::apply(const MarkupToken& token) {
    switch (token.kind) {
        case TokenKind::Effect: effects = token.on ? effects | token.effect : effects & ~token.effect; break;
        case TokenKind::TextColour: textColour = token.letter; break;
        case TokenKind::BorderColour: borderColour = token.letter; break;
        default: break;
    }
}

std::u16string FormattingState::onCodes() const {
    std::u16string codes;
    for (const EffectCode& effect : kEffectCodes)
        if (effects & effect.bit) codes += code(effect.on);
    return codes;
}

std::u16string FormattingState::offCodes() const {
    std::u16string codes;
    for (const EffectCode& effect : kEffectCodes)
        if (effects & effect.bit) codes += code(effect.off);
    return codes;
}

std::u16string FormattingState::colourCodes() const {
    std::u16string codes;
    if (textColour) codes += code(textColour);
    if (borderColour) codes += code(borderColour);
    return codes;
}

FormattingState stateAfter(std::u16string_view text, FormattingState from) {
    forEachToken(text, [&](const MarkupToken& token) { from.apply(token); });
    return from;
}

std::u16string plainText(std::u16string_view marked) {
    std::u16string plain;
    forEachToken(marked, [&](const MarkupToken& token) {
        if (token.kind == TokenKind::Visible) plain += token.text;
        if (token.kind == TokenKind::Dollar) plain += u'$';
    });
    return plain;
}

void MarkupNormaliser::append(std::u16string_view markup) {
    forEachToken(markup, [&](const MarkupToken& token) { appendToken(token); });
}

void MarkupNormaliser::appendToken(const MarkupToken& token) {
    const bool ruby = kind_ == TextKind::Ruby;
    switch (token.kind) {
        case TokenKind::Visible:
            if (ruby && isVisible(token, insideGroup_ ? u')' : u'(')) insideGroup_ = !insideGroup_;
            text_ += token.text;
            return;
        case TokenKind::Dollar:
        case TokenKind::LoneDollar:  // kept so that the checks still report it
            text_ += token.text;
            return;
        case TokenKind::OtherCode:
            if (!ruby || insideGroup_) text_ += token.text;
            return;
        default:
            if ((ruby && !insideGroup_) || !state_.changedBy(token)) return;
            state_.apply(token);
            text_ += token.text;
    }
}

std::u16string normaliseBodyText(std::u16string_view marked) {
    MarkupNormaliser normaliser(TextKind::Body);
    normaliser.append(marked);
    return normaliser.take();
}

std::u16string normaliseRubyText(std::u16string_view marked) {
    MarkupNormaliser normaliser(TextKind::Ruby);
    normaliser.append(marked);
    return normaliser.take();
}

std::u16string formatRubyGroups(std::u16string_view ruby, const FormattingState& carried) {
    std::u16string result;
    FormattingState groupStart = carried;
    FormattingState state;  // the formatting of the result so far
    bool insideGroup = false;
    const auto appendCodes = [&](std::u16string_view codes) {
        result += codes;
        state = stateAfter(codes, state);
    };
    for (std::size_t at = 0; at < ruby.size();) {
        const MarkupToken token = readToken(ruby, at);
        at += token.text.size();
        const bool parenthesis = isVisible(token, u'(') || isVisible(token, u')');
        const std::size_t margin = parenthesis ? kGroupMarkMargin : kCharacterMargin;
        if (result.size() + margin >= kRubyStepCeiling) break;

        if (!insideGroup && isVisible(token, u'(')) {
            result += u'(';
            appendCodes(groupStart.allCodes());
            insideGroup = true;
        } else if (insideGroup && isVisible(token, u')')) {
            groupStart = state;
            appendCodes(state.offCodes());
            appendCodes(u"$W$k");
            result += u')';
            insideGroup = false;
        } else if (insideGroup) {
            result += token.text;
            state.apply(token);
        } else if (token.kind == TokenKind::Visible || token.kind == TokenKind::Dollar ||
                   token.kind == TokenKind::LoneDollar) {
            result += token.text;  // base characters; the codes between them are dropped
        }
    }
    return result;
}

}  // namespace qucap
