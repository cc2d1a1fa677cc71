#include "app/tabs/caption_editors.h"

#include <richedit.h>

#include <algorithm>

#include "win32/wide.h"

namespace qucap {
namespace {

// The effect bits of the markup are the rich edit's own effect and mask bits.
constexpr DWORD kEffectMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
constexpr Rgb kBlack{0, 0, 0};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kEditorBackground{102, 102, 102};
constexpr LONG kEditorPoints = 14;

COLORREF colourRef(Rgb colour) { return RGB(colour.r, colour.g, colour.b); }
Rgb rgbOf(COLORREF colour) { return {GetRValue(colour), GetGValue(colour), GetBValue(colour)}; }

CHARFORMAT2W emptyFormat() {
    CHARFORMAT2W format{};
    format.cbSize = sizeof format;
    return format;
}

void setFormat(HWND editor, DWORD scope, CHARFORMAT2W& format) {
    SendMessageW(editor, EM_SETCHARFORMAT, scope, LPARAM(&format));
}

CHARFORMAT2W selectionCharFormat(HWND editor) {
    CHARFORMAT2W format = emptyFormat();
    SendMessageW(editor, EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&format));
    return format;
}

std::optional<Rgb> plainColourOf(const CHARFORMAT2W& format) {
    if (!(format.dwMask & CFM_COLOR) || (format.dwEffects & CFE_AUTOCOLOR)) return std::nullopt;
    return rgbOf(format.crTextColor);
}

// The border editors are read-only for the user; the program still formats them.
class Writable {
public:
    explicit Writable(HWND editor) : editor_(editor), readOnly_(GetWindowLongW(editor, GWL_STYLE) & ES_READONLY) {
        if (readOnly_) SendMessageW(editor_, EM_SETREADONLY, FALSE, 0);
    }
    ~Writable() {
        if (readOnly_) SendMessageW(editor_, EM_SETREADONLY, TRUE, 0);
    }
    Writable(const Writable&) = delete;
    Writable& operator=(const Writable&) = delete;

private:
    HWND editor_;
    bool readOnly_;
};

// Gives the characters [from, to) the format, keeping the user's selection.
template <typename Format>
void formatRuns(HWND editor, std::size_t count, Format formatAt) {
    const EditorSelection kept = editorSelection(editor);
    std::size_t from = 0;
    while (from < count) {
        std::size_t to = from + 1;
        CHARFORMAT2W format = formatAt(from);
        while (to < count) {
            CHARFORMAT2W next = formatAt(to);
            if (next.dwEffects != format.dwEffects || next.crTextColor != format.crTextColor) break;
            ++to;
        }
        setEditorSelection(editor, {LONG(from), LONG(to)});
        setFormat(editor, SCF_SELECTION, format);
        from = to;
    }
    setEditorSelection(editor, kept);
}

CHARFORMAT2W effectsAndColour(unsigned effects, Rgb colour) {
    CHARFORMAT2W format = emptyFormat();
    format.dwMask = kEffectMask | CFM_COLOR;
    format.dwEffects = effects & kEffectMask;
    format.crTextColor = colourRef(colour);
    return format;
}

}  // namespace

EditorSelection editorSelection(HWND editor) {
    CHARRANGE range{};
    SendMessageW(editor, EM_EXGETSEL, 0, LPARAM(&range));
    return {range.cpMin, range.cpMax};
}

void setEditorSelection(HWND editor, EditorSelection selection) {
    CHARRANGE range{selection.start, selection.end};
    SendMessageW(editor, EM_EXSETSEL, 0, LPARAM(&range));
}

void prepareTextEditor(HWND editor) { SendMessageW(editor, EM_SETEVENTMASK, 0, ENM_CHANGE); }

void setEditorLimit(HWND editor, std::size_t characters) { SendMessageW(editor, EM_EXLIMITTEXT, 0, LPARAM(characters)); }

void setEditorContent(HWND editor, std::u16string_view plain, Rgb textColour) {
    Writable writable(editor);
    const std::u16string text(plain);
    SetWindowTextW(editor, wide(text));
    CHARFORMAT2W format = effectsAndColour(0, textColour);
    format.dwMask |= CFM_FACE | CFM_SIZE | CFM_CHARSET;
    format.yHeight = kEditorPoints * 20;
    format.bCharSet = SHIFTJIS_CHARSET;
    lstrcpynW(format.szFaceName, L"\xFF2D\xFF33 \x30B4\x30B7\x30C3\x30AF", LF_FACESIZE);  // ＭＳ ゴシック
    setFormat(editor, SCF_ALL, format);
    setFormat(editor, SCF_DEFAULT, format);
    SendMessageW(editor, EM_SETBKGNDCOLOR, 0, LPARAM(colourRef(kEditorBackground)));
    const LRESULT options = SendMessageW(editor, EM_GETLANGOPTIONS, 0, 0);
    SendMessageW(editor, EM_SETLANGOPTIONS, 0, options & ~LRESULT(IMF_DUALFONT));
}

void showInTextEditor(HWND editor, std::u16string_view marked) {
    const std::u16string plain = plainText(marked);
    setEditorContent(editor, plain, kWhite);
    const std::vector<CharFormat> formats = textControlFormats(marked);
    formatRuns(editor, std::min(formats.size(), plain.size()), [&](std::size_t i) {
        return effectsAndColour(formats[i].effects, formats[i].colour.value_or(kWhite));
    });
    setEditorSelection(editor, {0, 0});
}

void showInBorderEditor(HWND editor, std::u16string_view plain, std::u16string_view marked) {
    Writable writable(editor);
    setEditorContent(editor, plain, kBlack);
    const std::vector<Rgb> colours = borderControlColours(marked);
    formatRuns(editor, plain.size(),
               [&](std::size_t i) { return effectsAndColour(0, i < colours.size() ? colours[i] : kBlack); });
    setEditorSelection(editor, {0, 0});
}

std::vector<EditorCharacter> readEditorLine(HWND text, HWND border) {
    const std::u16string characters = windowText(text);
    const LONG borderLength = GetWindowTextLengthW(border);
    const EditorSelection keptText = editorSelection(text);
    const EditorSelection keptBorder = editorSelection(border);
    std::vector<EditorCharacter> line;
    for (std::size_t i = 0; i < characters.size(); ++i) {
        const LONG at = LONG(i);
        EditorCharacter c;
        c.character = characters[i];
        setEditorSelection(text, {at, at + 1});
        const CHARFORMAT2W format = selectionCharFormat(text);
        c.format.effects = unsigned(format.dwMask & format.dwEffects & kEffectMask);
        c.format.colour = plainColourOf(format);
        c.borderColour = kBlack;
        if (at < borderLength) {
            setEditorSelection(border, {at, at + 1});
            c.borderColour = plainColourOf(selectionCharFormat(border));
        }
        line.push_back(c);
    }
    setEditorSelection(text, keptText);
    setEditorSelection(border, keptBorder);
    return line;
}

SelectionFormat selectionFormat(HWND editor) {
    const CHARFORMAT2W format = selectionCharFormat(editor);
    SelectionFormat result;
    result.uniformEffects = unsigned(format.dwMask & kEffectMask);
    result.effects = unsigned(format.dwEffects & format.dwMask & kEffectMask);
    result.colour = plainColourOf(format);
    return result;
}

void setSelectionEffect(HWND editor, unsigned effectBit, bool on) {
    CHARFORMAT2W format = emptyFormat();
    format.dwMask = effectBit & kEffectMask;
    format.dwEffects = on ? format.dwMask : 0;
    setFormat(editor, SCF_SELECTION, format);
}

void setSelectionColour(HWND editor, Rgb colour) {
    Writable writable(editor);
    CHARFORMAT2W format = emptyFormat();
    format.dwMask = CFM_COLOR;
    format.crTextColor = colourRef(colour);
    setFormat(editor, SCF_SELECTION, format);
}

void insertIntoEditor(HWND editor, LONG at, std::u16string_view text) {
    setEditorSelection(editor, {at, at});
    const std::u16string terminated(text);
    SendMessageW(editor, EM_REPLACESEL, TRUE, LPARAM(wide(terminated)));
}

}  // namespace qucap
