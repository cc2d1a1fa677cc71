#pragma once
// The picture's cuts: each decoded frame shrunk to a small grey thumbnail,
// the difference of each thumbnail from the one before, and a cut where the
// difference stands far above those around it. The threshold follows the
// movie: a moving pattern changes every frame about as much, and a fade
// changes a little each frame, so neither stands out; a cut changes the
// picture at once.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qucap {

inline constexpr int kThumbnailWidth = 32;
inline constexpr int kThumbnailHeight = 18;
using Thumbnail = std::array<uint8_t, std::size_t(kThumbnailWidth * kThumbnailHeight)>;

// Luma8: the first plane of the planar YUV types (NV12, I420, YV12), one
// brightness byte a pixel, which decoders give without a conversion.
enum class PixelLayout { Yuy2, Rgb24, Rgb32, Luma8 };

struct PictureView {
    const uint8_t* pixels = nullptr;
    int width = 0, height = 0;
    std::ptrdiff_t stride = 0;  // bytes from one row to the next
    PixelLayout layout = PixelLayout::Yuy2;
};

// The mean brightness of each cell of the picture, from a grid of samples
// (a few per cell, so the cost does not grow with the picture).
Thumbnail greyThumbnail(const PictureView& picture);

// Summed absolute difference of two thumbnails (0 to 255 per cell).
int32_t thumbnailDifference(const Thumbnail& a, const Thumbnail& b);

struct CutRules {
    int32_t minDifference = 12 * kThumbnailWidth * kThumbnailHeight;  // a mean change of 12 of 255
    int32_t ratio = 3;   // how far a cut stands above the frames beside it
    int window = 12;     // frames each side whose typical change it stands above
};

// The first frames of new shots, ascending, from the differences
// (differences[i] between frame i-1 and frame i; differences[0] unused).
std::vector<int64_t> cutsOf(const std::vector<int32_t>& differences, const CutRules& rules = {});

// Takes the frames one by one.
class ShotDetector {
public:
    void add(const Thumbnail& frame);
    int64_t frames() const { return int64_t(differences_.size()); }
    std::vector<int64_t> cuts(const CutRules& rules = {}) const { return cutsOf(differences_, rules); }

private:
    std::optional<Thumbnail> previous_;
    std::vector<int32_t> differences_;
};

// The cuts as a cache file's body (the frame count and frame duration, then
// a cut per line), and back.
struct CutList {
    int64_t frames = 0;
    int64_t frameDuration = 0;  // 100-ns units
    std::vector<int64_t> cuts;
    bool operator==(const CutList&) const = default;
};
std::string cutListBytes(const CutList& list);
std::optional<CutList> cutListFromBytes(std::string_view body);

}  // namespace qucap
