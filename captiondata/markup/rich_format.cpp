#include "captiondata/markup/rich_format.h"

namespace qucap {
namespace {

// The formatting every editor text starts with: no effect, white text, black border.
constexpr FormattingState kEditorStart{0, u'W', u'k'};

Rgb slotColour(char16_t letter) { return editorColourOf(letter).value_or(Rgb{}); }

template <typename Each>
void forEachVisibleCharacter(std::u16string_view marked, Each&& each) {
    FormattingState state = kEditorStart;
    forEachToken(marked, [&](const MarkupToken& token) {
        state.apply(token);
        if (token.kind == TokenKind::Visible || token.kind == TokenKind::Dollar) each(state);
    });
}

std::u16string codesOf(const EditorCharacter& c) {
    std::u16string codes;
    for (const EffectCode& effect : kEffectCodes) {
        codes += u'$';
        codes += (c.format.effects & effect.bit) ? effect.on : effect.off;
    }
    if (auto letter = colourToCode(c.format.colour)) codes += {u'$', *letter};
    if (auto letter = colourToCode(c.borderColour)) codes += {u'$', char16_t(*letter - u'A' + u'a')};
    if (c.character == u'$') codes += u'$';
    codes += c.character;
    return codes;
}

}  // namespace

std::optional<Rgb> editorColourOf(char16_t letter) {
    if (letter >= u'a' && letter <= u'z') letter = char16_t(letter - u'a' + u'A');
    for (const EditorColour& slot : kEditorColours)
        if (slot.letter == letter) return slot.colour;
    return std::nullopt;
}

std::optional<char16_t> colourToCode(std::optional<Rgb> colour) {
    if (!colour) return std::nullopt;
    // Index by the channels in use: bit 0 red, bit 1 green, bit 2 blue.
    static constexpr char16_t kByChannels[8] = {u'K', u'R', u'G', u'Y', u'B', u'M', u'C', u'W'};
    return kByChannels[(colour->r ? 1 : 0) | (colour->g ? 2 : 0) | (colour->b ? 4 : 0)];
}

std::vector<CharFormat> textControlFormats(std::u16string_view marked) {
    std::vector<CharFormat> formats;
    forEachVisibleCharacter(marked, [&](const FormattingState& state) {
        formats.push_back({state.effects, slotColour(state.textColour)});
    });
    return formats;
}

std::vector<Rgb> borderControlColours(std::u16string_view marked) {
    std::vector<Rgb> colours;
    forEachVisibleCharacter(marked, [&](const FormattingState& state) { colours.push_back(slotColour(state.borderColour)); });
    return colours;
}

std::u16string markupFromEditor(std::span<const EditorCharacter> line, TextKind kind) {
    MarkupNormaliser normaliser(kind);
    for (const EditorCharacter& c : line) {
        if (normaliser.text().size() >= kEditorMarkupMax) break;
        normaliser.append(codesOf(c));
    }
    if (kind == TextKind::Ruby) return normaliseBodyText(formatRubyGroups(normaliser.text(), {}));

    std::u16string text = normaliser.take();
    const FormattingState atEnd = stateAfter(text);
    for (const EffectCode& effect : kEffectCodes) {
        if (!(atEnd.effects & effect.bit) || text.size() + 2 >= kEditorBodyClosingMax) continue;
        text += u'$';
        text += effect.off;
    }
    return normaliseBodyText(text);
}

}  // namespace qucap
