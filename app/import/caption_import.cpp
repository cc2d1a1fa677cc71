#include "app/import/caption_import.h"

#include <array>

#include "app/import/readers.h"
#include "app/import/source_lines.h"
#include "app/import/text_scan.h"
#include "captiondata/text/u16.h"

namespace qucap {
namespace {

constexpr std::array<ImportFormatInfo, 4> kFormats{{
    {ImportFormat::Srt, u"srt", u"SubRip (*.srt)", u"*.srt", readSrt},
    {ImportFormat::WebVtt, u"vtt", u"WebVTT (*.vtt)", u"*.vtt", readWebVtt},
    {ImportFormat::Ttml, u"ttml", u"IMSC 1.1 / TTML (*.ttml;*.xml;*.dfxp)", u"*.ttml;*.xml;*.dfxp", readTtml},
    {ImportFormat::Ass, u"ass", u"ASS / SSA (*.ass;*.ssa)", u"*.ass;*.ssa", readAss},
}};

bool isWebVtt(std::u16string_view text) {
    constexpr std::u16string_view signature = u"WEBVTT";
    return text.substr(0, signature.size()) == signature &&
           (text.size() == signature.size() || isWhiteSpace(text[signature.size()]));
}

// The first element's local name is "tt" (after the declaration, comments,
// processing instructions and a document type).
bool hasTtRoot(std::u16string_view text) {
    for (std::size_t at = text.find(u'<'); at != std::u16string_view::npos; at = text.find(u'<', at + 1)) {
        if (at + 1 < text.size() && (text[at + 1] == u'?' || text[at + 1] == u'!')) continue;
        std::size_t end = at + 1;
        while (end < text.size() && !isWhiteSpace(text[end]) && text[end] != u'>' && text[end] != u'/') ++end;
        std::u16string_view name = text.substr(at + 1, end - at - 1);
        if (const std::size_t colon = name.find(u':'); colon != std::u16string_view::npos) name.remove_prefix(colon + 1);
        return name == u"tt";
    }
    return false;
}

bool hasAssSection(const std::vector<SourceLine>& lines) {
    for (const SourceLine& line : lines) {
        const std::u16string_view text = trimmedWhiteSpace(line.text);
        if (equalsIgnoringAsciiCase(text, u"[Script Info]") || equalsIgnoringAsciiCase(text, u"[Events]")) return true;
    }
    return false;
}

bool hasTimingLine(const std::vector<SourceLine>& lines) {
    for (const SourceLine& line : lines)
        if (line.text.find(u"-->") != std::u16string_view::npos) return true;
    return false;
}

std::optional<ImportFormat> formatOfExtension(std::u16string_view path) {
    const std::size_t dot = path.find_last_of(u'.');
    const std::size_t slash = path.find_last_of(u"\\/");
    if (dot == std::u16string_view::npos || (slash != std::u16string_view::npos && dot < slash)) return std::nullopt;
    const std::u16string pattern = u"*" + std::u16string(path.substr(dot));
    for (const ImportFormatInfo& info : kFormats) {
        std::u16string_view list = info.extensions;
        for (std::size_t next; !list.empty(); list = next == std::u16string_view::npos ? u"" : list.substr(next + 1)) {
            next = list.find(u';');
            if (equalsIgnoringAsciiCase(list.substr(0, next), pattern)) return info.format;
        }
    }
    return std::nullopt;
}

}  // namespace

std::span<const ImportFormatInfo> importFormats() { return kFormats; }

const ImportFormatInfo& formatInfo(ImportFormat format) {
    for (const ImportFormatInfo& info : kFormats)
        if (info.format == format) return info;
    return kFormats.front();
}

std::optional<ImportFormat> formatNamed(std::u16string_view option) {
    for (const ImportFormatInfo& info : kFormats)
        if (equalsIgnoringAsciiCase(option, info.option)) return info.format;
    return std::nullopt;
}

std::optional<ImportFormat> detectImportFormat(std::u16string_view text, std::u16string_view path) {
    if (!text.empty() && text.front() == u'\uFEFF') text.remove_prefix(1);
    if (isWebVtt(text)) return ImportFormat::WebVtt;
    if (hasTtRoot(text)) return ImportFormat::Ttml;
    const std::vector<SourceLine> lines = sourceLines(text);
    if (hasAssSection(lines)) return ImportFormat::Ass;
    if (hasTimingLine(lines)) return ImportFormat::Srt;
    return formatOfExtension(path);
}

}  // namespace qucap
