#pragma once
// Offers: the four encoder name tables built from the friendly names of the
// video compressor, audio compressor and DirectShow filter categories, the
// classification that tells which category a chosen encoder is looked up
// in, and the text `Qucapcmd encoders` prints.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

// A friendly name longer than this is kept as its first kEncoderNameCut
// characters.
inline constexpr std::size_t kEncoderNameMax = 64;
inline constexpr std::size_t kEncoderNameCut = 63;

// Friendly names as enumerated, in enumeration order, per category.
struct EncoderCategoryNames {
    std::vector<std::u16string> videoCompressors;
    std::vector<std::u16string> audioCompressors;
    std::vector<std::u16string> directShowFilters;
};

struct EncoderTables {
    std::vector<std::u16string> videoCompressors;     // every video compressor
    std::vector<std::u16string> videoEncoderFilters;  // DirectShow filters named like video encoders
    std::vector<std::u16string> audioCompressors;     // every audio compressor
    std::vector<std::u16string> audioEncoderFilters;  // DirectShow filters named like audio encoders
};

// The category a chosen encoder is looked up in.
enum class EncoderCategory { VideoCompressors, AudioCompressors, DirectShowFilters };

// The name as a table holds it: cut to 63 characters when longer than 64
// (one character less when the cut would split a surrogate pair).
std::u16string encoderTableName(std::u16string_view friendlyName);

// Case-sensitive name filters of the DirectShow filters category.
// Video: contains "Encoder" or "encoder", and neither "Audio" nor "audio".
bool isVideoEncoderFilterName(std::u16string_view name);
// Audio: contains "Encoder", "Processor", "encoder" or "processor", and
// neither "Video" nor "video".
bool isAudioEncoderFilterName(std::u16string_view name);

// The four tables, names cut, in enumeration order.
EncoderTables buildEncoderTables(const EncoderCategoryNames& names);

// Whether a chosen name (exact comparison) is in the compressor table.
bool isVideoCompressorName(const EncoderTables& tables, std::u16string_view name);
bool isAudioCompressorName(const EncoderTables& tables, std::u16string_view name);

// Where addVideoEncoder / addAudioEncoder look the chosen name up: the
// compressor category for a compressor-table name, else the DirectShow
// filters category.
EncoderCategory videoEncoderCategory(const EncoderTables& tables, std::u16string_view name);
EncoderCategory audioEncoderCategory(const EncoderTables& tables, std::u16string_view name);

// Whether a device's friendly name is the chosen table name: equal as is, or
// equal after the table's cut (a long name in the combo box is the cut one,
// and must still find its device).
bool encoderNameMatches(std::u16string_view deviceFriendlyName, std::u16string_view chosenName);

// The four lists under Japanese headings, each name on its own line with two
// spaces in front, "  （なし）" for an empty list, a blank line between lists.
std::u16string encoderListText(const EncoderTables& tables);

}  // namespace qucap
