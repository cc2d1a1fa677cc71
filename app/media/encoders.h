#pragma once
// The installed encoders: the four name tables read from the system's
// device categories, and the chosen video and audio encoders added to the
// graph record.
#include <string_view>

#include "app/core/media/encoder_tables.h"
#include "app/media/filter_graph.h"

namespace qucap {

// The friendly names of the video compressor, audio compressor and
// DirectShow filters categories, in enumeration order.
EncoderCategoryNames readEncoderCategoryNames();

// The four tables. Each is built in two passes, as the program sizes its
// tables: the first counts the matching devices, the second copies their
// names; a device that appears between the passes does not overflow the
// count of the first.
EncoderTables buildEncoderTables();

// The category identifier of a classification.
const GUID& categoryId(EncoderCategory category);

// addVideoEncoder / addAudioEncoder: remove and release the graph's previous
// encoder of that kind, look the chosen name up in the category its table
// gives (a compressor-table name among the compressors, any other among the
// DirectShow filters) and add the device under its friendly name. 0 when an
// encoder was added; -1 when no device matches (nothing is added: that
// stream is then written uncompressed) or the graph refuses it.
int addVideoEncoder(FilterGraph& graph, const EncoderTables& tables, std::u16string_view name);
int addAudioEncoder(FilterGraph& graph, const EncoderTables& tables, std::u16string_view name);

// showEncoderProperties: the standard property frame of each filter of the
// graph named `name` that has property pages; filters without pages are
// skipped silently. The number of frames shown.
int showEncoderProperties(FilterGraph& graph, std::u16string_view name);

}  // namespace qucap
