#include "app/export/subtitles.h"

#include <algorithm>
#include <array>

#include "app/export/ttml.h"
#include "app/export/webvtt.h"
#include "captiondata/limits.h"
#include "captiondata/text/paths.h"
#include "captiondata/text/u16.h"
#include "captiondata/text/utf16_writer.h"
#include "captiondata/time/time_text.h"

namespace qucap {

namespace {

constexpr std::u16string_view kUntitled = u"無題";
constexpr std::size_t kSrtNumberMax = 5;
constexpr std::size_t kSamiSizeMax = 3;

// The name up to its last "."; empty when it has none.
std::u16string nameBeforeLastDot(std::u16string_view name) {
    const auto dot = name.rfind(u'.');
    return dot == std::u16string_view::npos ? std::u16string() : std::u16string(name.substr(0, dot));
}

std::u16string subtitleTime(int64_t milliseconds) {
    return formatTime(int32_t(std::clamp<int64_t>(milliseconds, 0, INT32_MAX)), TimeForm::Subtitle);
}

// The SAMI font size: three quarters of the body size plus 4, in points.
std::u16string samiFontSize(int32_t mainSize) {
    const int64_t size = ((int64_t(mainSize) + 4) * 100 / 4 * 3) / 100;
    return truncated(toDecimal(size), kSamiSizeMax);
}

void samiHeader(Utf16FileBuilder& file, const std::vector<SubtitleRow>& rows, const SamiSettings& settings) {
    const std::u16string mediaName = fileNameOf(settings.inputMoviePath);
    const std::u16string title = markupEscaped(nameBeforeLastDot(mediaName));
    const int64_t total = rows.empty() ? 0 : rows.back().end();
    const std::u16string_view alignment = settings.side == 1 ? u"left" : u"center";
    const std::u16string fontName = markupEscaped(truncated(settings.fontName, kFontNameMax));
    file.line(u"<SAMI>")
        .line(u"  <Head>")
        .line(u"    <Title>" + title + u"</Title>")
        .line(u"    <SAMIParam>")
        .line(u"      Copyright {" + std::u16string(kSamiCopyright) + u"}")
        .line(u"      Media {" + mediaName + u"}")
        .line(u"      Metrics {time:ms; duration: " + toDecimal(total) + u";}")
        .line(u"      Spec {MSFT:1.0;}")
        .line(u"    </SAMIParam>")
        .line(u"")
        .line(u"    <STYLE TYPE='text/css'><!--")
        .line(u"      P {")
        .line(u"          margin-top:        0pt;")
        .line(u"          margin-left:       0pt;")
        .line(u"          margin-bottom:     0pt;")
        .line(u"          margin-top:        0pt;")
        .line(u"          font-size:        " + samiFontSize(settings.fontSize) + u"pt;")
        .line(u"          text-align:       " + std::u16string(alignment) + u";")
        .line(u"          font-family:      '" + fontName + u"', sans-serif;")
        .line(u"          font-weight:      normal;")
        .line(u"          color:            white;")
        .line(u"          background-color: black;")
        .line(u"        }")
        .line(u"")
        .line(u"      .JACC {Name:Japanese; lang:ja-JP; SAMIType:CC;}")
        .line(u"    -->")
        .line(u"    </STYLE>")
        .line(u"  </Head>")
        .line(u"")
        .line(u"  <Body>");
}

void samiSync(Utf16FileBuilder& file, int64_t milliseconds) {
    file.line(u"    <SYNC Start=" + toDecimal(milliseconds) + u"><P Class=JACC>");
}

void samiClear(Utf16FileBuilder& file, int64_t milliseconds) {
    samiSync(file, milliseconds);
    file.line(u"<Br>");
}

struct ExportKind {
    std::u16string_view extension, titleWord, filterDescription, filterPattern;
    std::u16string_view createFailed, done;
};

// By SubtitleKind.
constexpr ExportKind kExportKinds[] = {
    {u"smi", u"SAMIﾌｧｲﾙ", u"SAMIﾌｧｲﾙ (*.smi)", u"*.smi", kSamiCreateFailed, kSamiDone},
    {u"srt", u"SRTﾌｧｲﾙ", u"SRTﾌｧｲﾙ (*.srt)", u"*.srt", kSrtCreateFailed, kSrtDone},
    {u"vtt", u"WebVTTﾌｧｲﾙ", u"WebVTTﾌｧｲﾙ (*.vtt)", u"*.vtt", kWebVttCreateFailed, kWebVttDone},
    {u"ttml", u"TTMLﾌｧｲﾙ", u"TTMLﾌｧｲﾙ (*.ttml)", u"*.ttml", kTtmlCreateFailed, kTtmlDone},
};

const ExportKind& exportKind(SubtitleKind kind) { return kExportKinds[int(kind)]; }

int writeSubtitleFile(const Io& io, std::u16string_view path, const std::string& bytes, const ExportKind& kind) {
    if (io.files.writeFile(path, bytes) != WriteStatus::Ok) {
        io.ui.warn(kind.createFailed, Deliverable::Program);
        return -1;
    }
    io.ui.messageBox(kind.done, kProgramTitle, MessageIcon::Information);
    return 0;
}

}  // namespace

std::vector<bool> acceptedRows(const std::vector<SubtitleRow>& rows) {
    std::vector<bool> accepted(rows.size(), false);
    int64_t latestStart = -1;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].start <= latestStart) continue;
        accepted[i] = true;
        latestStart = rows[i].start;
    }
    return accepted;
}

std::vector<SubtitleRow> exportedRows(const std::vector<SubtitleRow>& rows) {
    const std::vector<bool> accepted = acceptedRows(rows);
    std::vector<SubtitleRow> exported;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!accepted[i] || rows[i].duration <= 0) continue;
        bool showsText = false;
        for (const auto& [body, ruby] : rows[i].lineMarkups())
            showsText = showsText || !isEmptyLine(cueLine(body, ruby, RunDetail::TextOnly));
        if (showsText) exported.push_back(rows[i]);
    }
    return exported;
}

std::vector<SubtitleRow> subtitleRows(const CaptionList& list) {
    std::vector<SubtitleRow> rows(std::size_t(list.rowCount()));
    for (int i = 0; i < list.rowCount(); ++i) {
        SubtitleRow& row = rows[std::size_t(i)];
        row.start = parseTime(list.cell(i, ColStart));
        row.duration = parseTime(list.cell(i, ColDuration));
        row.line1Markup = list.cell(i, kMarkupColumns[Line1Body]);
        row.line1Plain = list.cell(i, kPlainColumns[Line1Body]);
        row.line2Markup = list.cell(i, kMarkupColumns[Line2Body]);
        row.line2Plain = list.cell(i, kPlainColumns[Line2Body]);
        row.line1Ruby = list.cell(i, kMarkupColumns[Line1Ruby]);
        row.line2Ruby = list.cell(i, kMarkupColumns[Line2Ruby]);
        row.vertical = list.cell(i, ColOrientation) == kVertical;
    }
    return rows;
}

std::string srtBytes(const std::vector<SubtitleRow>& rows) {
    Utf16FileBuilder file;
    const auto accepted = acceptedRows(rows);
    int64_t number = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!accepted[i]) continue;
        const SubtitleRow& row = rows[i];
        file.line(truncated(toDecimal(++number), kSrtNumberMax));
        file.line(subtitleTime(row.start) + u" --> " + subtitleTime(row.end()));
        // A blank line ends a cue in SRT: a line without plain text (empty,
        // or codes only) is left out so the line after it stays in the cue.
        if (!row.line1Plain.empty()) file.line(row.line1Plain);
        if (!row.line2Plain.empty()) file.line(row.line2Plain);
        file.line(u"");
    }
    return file.bytes();
}

std::string samiBytes(const std::vector<SubtitleRow>& rows, const SamiSettings& settings) {
    Utf16FileBuilder file;
    samiHeader(file, rows, settings);
    const auto accepted = acceptedRows(rows);
    const SubtitleRow* previous = nullptr;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!accepted[i]) continue;
        const SubtitleRow& row = rows[i];
        if (previous && row.start > previous->end()) samiClear(file, previous->end());
        samiSync(file, row.start);
        if (!row.line1Markup.empty()) file.line(markupEscaped(row.line1Plain) + u"<Br>");
        if (!row.line2Markup.empty()) file.line(markupEscaped(row.line2Plain));
        if (i + 1 == rows.size()) samiClear(file, row.end());
        previous = &row;
    }
    file.line(u"  </Body>").line(u"</SAMI>");
    return file.bytes();
}

std::u16string defaultSubtitleName(std::u16string_view inputMoviePath) {
    const std::u16string folder = folderOf(inputMoviePath);
    if (folder.empty()) return std::u16string(kUntitled);
    return folder + u"\\" + nameBeforeLastDot(fileNameOf(inputMoviePath));
}

SaveFileRequest subtitleSaveRequest(SubtitleKind kind, std::u16string_view inputMoviePath) {
    const ExportKind& k = exportKind(kind);
    return {defaultSubtitleName(inputMoviePath), std::u16string(k.titleWord), std::u16string(k.extension),
            {{std::u16string(k.filterDescription), std::u16string(k.filterPattern)}, allFilesFilter()}};
}

SamiSettings samiSettingsOf(const ProjectSettings& settings) {
    return {settings.inputMoviePath, settings.mainFontName, settings.mainSize, settings.sideFlag};
}

int exportSrt(const Io& io, std::u16string_view outputPath, const CaptionList& list) {
    return writeSubtitleFile(io, outputPath, srtBytes(subtitleRows(list)), exportKind(SubtitleKind::Srt));
}

int exportSami(const Io& io, std::u16string_view outputPath, const CaptionList& list, const SamiSettings& settings) {
    return writeSubtitleFile(io, outputPath, samiBytes(subtitleRows(list), settings), exportKind(SubtitleKind::Sami));
}

int exportWebVtt(const Io& io, std::u16string_view outputPath, const CaptionList& list, const CueStyle& style) {
    return writeSubtitleFile(io, outputPath, webVttBytes(subtitleRows(list), style.colours),
                             exportKind(SubtitleKind::WebVtt));
}

int exportTtml(const Io& io, std::u16string_view outputPath, const CaptionList& list, const CueStyle& style) {
    return writeSubtitleFile(io, outputPath, ttmlBytes(subtitleRows(list), style), exportKind(SubtitleKind::Ttml));
}

int chooseAndExport(const Io& io, SubtitleKind kind, const CaptionList& list, const SamiSettings& settings,
                    const CueStyle& style) {
    const auto path = io.ui.askSaveFileName(subtitleSaveRequest(kind, settings.inputMoviePath));
    if (!path) return -1;
    switch (kind) {
    case SubtitleKind::Sami: return exportSami(io, *path, list, settings);
    case SubtitleKind::Srt: return exportSrt(io, *path, list);
    case SubtitleKind::WebVtt: return exportWebVtt(io, *path, list, style);
    case SubtitleKind::Ttml: return exportTtml(io, *path, list, style);
    }
    return -1;
}

}  // namespace qucap
