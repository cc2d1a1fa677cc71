#include "filter/core/filter_tables.h"

#include "captiondata/caption/caption_file.h"

namespace qucap {

void loadFilterTables(const Io& io, const DriveTypes& drives, const FilterSettings& settings, FilterTables& tables) {
    const auto passes = [&](std::u16string_view path, CheckedFile file) {
        return checkFilterPath(io, drives, path, file) == PathCheck::Passes;
    };
    if (passes(settings.captionInfoPath, CheckedFile::CaptionInfo))
        readCaptionInfoForFilter(io, settings.captionInfoPath, tables.captions);
    if (passes(settings.boxInfoPath, CheckedFile::BoxInfo)) readBoxInfoForFilter(io, settings.boxInfoPath, tables.boxes);
    if (passes(settings.colourInfoPath, CheckedFile::ColourInfo))
        readColourInfoForFilter(io, settings.colourInfoPath, tables.colours);
}

}  // namespace qucap
