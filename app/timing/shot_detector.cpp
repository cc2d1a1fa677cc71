#include "app/timing/shot_detector.h"

#include <algorithm>

namespace qucap {
namespace {

constexpr int kSamplesPerCellSide = 4;

int greyAt(const uint8_t* row, int x, PixelLayout layout) {
    switch (layout) {
        case PixelLayout::Yuy2: return row[2 * x];
        case PixelLayout::Rgb24: return (row[3 * x] + 2 * row[3 * x + 1] + row[3 * x + 2]) / 4;
        case PixelLayout::Rgb32: return (row[4 * x] + 2 * row[4 * x + 1] + row[4 * x + 2]) / 4;
        case PixelLayout::Luma8: return row[x];
    }
    return 0;
}

// The middle value of the differences around frame i (i itself left out).
int32_t typicalAround(const std::vector<int32_t>& differences, std::size_t i, int window) {
    std::vector<int32_t> around;
    const std::size_t from = i > std::size_t(window) ? i - std::size_t(window) : 1;
    const std::size_t to = std::min(differences.size(), i + std::size_t(window) + 1);
    for (std::size_t j = from; j < to; ++j)
        if (j != i) around.push_back(differences[j]);
    if (around.empty()) return 0;
    std::nth_element(around.begin(), around.begin() + std::ptrdiff_t(around.size() / 2), around.end());
    return around[around.size() / 2];
}

bool readWhole(std::string_view text, int64_t& value) {
    if (text.empty() || text.size() > 18) return false;
    value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return false;
        value = value * 10 + (c - '0');
    }
    return true;
}

}  // namespace

Thumbnail greyThumbnail(const PictureView& picture) {
    Thumbnail thumbnail{};
    if (!picture.pixels || picture.width <= 0 || picture.height <= 0) return thumbnail;
    constexpr int kAcross = kThumbnailWidth * kSamplesPerCellSide, kDown = kThumbnailHeight * kSamplesPerCellSide;
    // Sample points at the middles of a grid over the whole picture; their
    // columns worked out once, not at every row.
    std::array<int, kAcross> columns;
    for (int i = 0; i < kAcross; ++i) columns[std::size_t(i)] = (i * 2 + 1) * picture.width / (2 * kAcross);
    for (int cy = 0; cy < kThumbnailHeight; ++cy)
        for (int cx = 0; cx < kThumbnailWidth; ++cx) {
            int sum = 0;
            for (int sy = 0; sy < kSamplesPerCellSide; ++sy) {
                const int y = ((cy * kSamplesPerCellSide + sy) * 2 + 1) * picture.height / (2 * kDown);
                const uint8_t* row = picture.pixels + std::ptrdiff_t(y) * picture.stride;
                for (int sx = 0; sx < kSamplesPerCellSide; ++sx)
                    sum += greyAt(row, columns[std::size_t(cx * kSamplesPerCellSide + sx)], picture.layout);
            }
            thumbnail[std::size_t(cy * kThumbnailWidth + cx)] = uint8_t(sum / (kSamplesPerCellSide * kSamplesPerCellSide));
        }
    return thumbnail;
}

int32_t thumbnailDifference(const Thumbnail& a, const Thumbnail& b) {
    int32_t sum = 0;
    for (std::size_t i = 0; i < a.size(); ++i) sum += a[i] > b[i] ? a[i] - b[i] : b[i] - a[i];
    return sum;
}

std::vector<int64_t> cutsOf(const std::vector<int32_t>& differences, const CutRules& rules) {
    std::vector<int64_t> cuts;
    for (std::size_t i = 1; i < differences.size(); ++i) {
        const int32_t d = differences[i];
        if (d < rules.minDifference) continue;
        // Above both neighbours: a change spread over frames (a fade, a pan) is no cut.
        const int32_t before = i > 1 ? differences[i - 1] : 0;
        const int32_t after = i + 1 < differences.size() ? differences[i + 1] : 0;
        if (int64_t(d) < int64_t(rules.ratio) * std::max(before, after)) continue;
        // And above the movement typical around it.
        if (int64_t(d) < int64_t(rules.ratio) * typicalAround(differences, i, rules.window)) continue;
        cuts.push_back(int64_t(i));
    }
    return cuts;
}

void ShotDetector::add(const Thumbnail& frame) {
    differences_.push_back(previous_ ? thumbnailDifference(*previous_, frame) : 0);
    previous_ = frame;
}

std::string cutListBytes(const CutList& list) {
    std::string body = std::to_string(list.frames) + " " + std::to_string(list.frameDuration) + "\n";
    for (const int64_t cut : list.cuts) body += std::to_string(cut) + "\n";
    return body;
}

std::optional<CutList> cutListFromBytes(std::string_view body) {
    CutList list;
    const std::size_t heading = body.find('\n');
    const std::size_t space = body.substr(0, heading).find(' ');
    if (heading == std::string_view::npos || space == std::string_view::npos ||
        !readWhole(body.substr(0, space), list.frames) ||
        !readWhole(body.substr(space + 1, heading - space - 1), list.frameDuration))
        return std::nullopt;
    body.remove_prefix(heading + 1);
    while (!body.empty()) {
        const std::size_t end = body.find('\n');
        int64_t cut = 0;
        if (end == std::string_view::npos || !readWhole(body.substr(0, end), cut) || cut >= list.frames ||
            (!list.cuts.empty() && cut <= list.cuts.back()))
            return std::nullopt;
        list.cuts.push_back(cut);
        body.remove_prefix(end + 1);
    }
    return list;
}

}  // namespace qucap
