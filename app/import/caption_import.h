#pragma once
// Which reader a caption file goes to: the formats, their names on the
// command line and in the open dialog, and the format a file's content shows.
#include <optional>
#include <span>
#include <string_view>

#include "app/import/imported_captions.h"

namespace qucap {

enum class ImportFormat { Srt, WebVtt, Ttml, Ass };

struct ImportFormatInfo {
    ImportFormat format;
    std::u16string_view option;      // the value of --format
    std::u16string_view title;       // the open dialog's filter name
    std::u16string_view extensions;  // "*.srt" or several joined by ";"
    ImportedCaptions (*read)(std::u16string_view text);
};

// In the order the open dialog lists them.
std::span<const ImportFormatInfo> importFormats();
const ImportFormatInfo& formatInfo(ImportFormat format);
// The format of a --format value ("srt", "vtt", "ttml", "ass"), any case.
std::optional<ImportFormat> formatNamed(std::u16string_view option);

// The format from the content: a "WEBVTT" signature, a "<tt" root element, a
// "[Script Info]" or "[Events]" section, a "-->" timing line. Only where the
// content says none of these, the extension of `path` decides (".ssa" reads
// as ASS, ".xml" and ".dfxp" as TTML). Nothing when neither tells.
std::optional<ImportFormat> detectImportFormat(std::u16string_view text, std::u16string_view path);

}  // namespace qucap
