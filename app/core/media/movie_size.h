#pragma once
// The size limit of AVI files written without the OpenDML extension: such a
// multiplexer ends its file's one RIFF chunk at 2 GiB and loses the frames
// after it. The synthesis warns before it starts when an uncompressed movie
// would pass the limit, and refuses a written movie that holds fewer frames
// than its multiplexer took.
#include <cstdint>
#include <string_view>

namespace qucap {

inline constexpr uint64_t kPlainAviLimitBytes = uint64_t(1) << 31;

inline constexpr std::u16string_view kLargeMovieWarning =
    u"出力動画が2GBを超える見込みです。この環境のAVIマルチプレクサは2GBを超える動画を書けないため、"
    u"圧縮するエンコーダを選ぶか、短い動画に分けて下さい";
inline constexpr std::u16string_view kMovieCutShort =
    u"出力動画がAVIマルチプレクサの書ける大きさ（2GB）を超えたため、動画の終わりまで書けませんでした。"
    u"書きかけの動画は削除しました";

// Bytes of the movie's pictures as uncompressed 32-bit frames: what the
// caption filter hands on, before any encoder.
uint64_t uncompressedPictureBytes(int64_t frames, int32_t width, int32_t height);

// Whether such pictures alone pass the limit of a multiplexer without OpenDML.
bool passesPlainAviLimit(int64_t frames, int32_t width, int32_t height);

}  // namespace qucap
