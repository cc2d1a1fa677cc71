#include "tests/win/reference_image.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sstream>

namespace qucap::test {

namespace {

constexpr std::size_t kFileHeaderBytes = 14;
constexpr std::size_t kInfoHeaderBytes = 40;
constexpr std::size_t kPixelOffset = kFileHeaderBytes + kInfoHeaderBytes;
constexpr int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

void putLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out.push_back(char(value >> (8 * i) & 0xFF));
}

uint32_t littleEndianAt(std::string_view bytes, std::size_t offset, int count) {
    uint32_t value = 0;
    for (int i = count - 1; i >= 0; --i) value = value << 8 | uint8_t(bytes[offset + i]);
    return value;
}

std::size_t bmpRowBytes(int32_t width) { return (std::size_t(width) * 3 + 3) & ~std::size_t(3); }

}  // namespace

RgbImage imageOf(const FrameBuffer& frame) {
    RgbImage image(frame.width, frame.height);
    for (int32_t y = 1; y <= frame.height; ++y)
        for (int32_t x = 1; x <= frame.width; ++x) std::copy_n(frame.pixel(x, y), 3, image.at(x - 1, y - 1));
    return image;
}

std::string encodeBmp(const RgbImage& image) {
    const std::size_t rowBytes = bmpRowBytes(image.width);
    const std::size_t pixelBytes = rowBytes * std::size_t(image.height);
    std::string out;
    out.reserve(kPixelOffset + pixelBytes);
    out += "BM";
    putLittleEndian(out, uint32_t(kPixelOffset + pixelBytes), 4);
    putLittleEndian(out, 0, 4);  // reserved
    putLittleEndian(out, uint32_t(kPixelOffset), 4);
    putLittleEndian(out, uint32_t(kInfoHeaderBytes), 4);
    putLittleEndian(out, uint32_t(image.width), 4);
    putLittleEndian(out, uint32_t(image.height), 4);  // positive: the bottom row comes first
    putLittleEndian(out, 1, 2);                       // planes
    putLittleEndian(out, 24, 2);                      // bits per pixel
    putLittleEndian(out, 0, 4);                       // uncompressed
    putLittleEndian(out, uint32_t(pixelBytes), 4);
    putLittleEndian(out, uint32_t(kPixelsPerMetre), 4);
    putLittleEndian(out, uint32_t(kPixelsPerMetre), 4);
    putLittleEndian(out, 0, 4);  // colours used
    putLittleEndian(out, 0, 4);  // important colours
    for (int32_t y = image.height - 1; y >= 0; --y) {
        const char* row = reinterpret_cast<const char*>(image.at(0, y));
        out.append(row, std::size_t(image.width) * 3);
        out.append(rowBytes - std::size_t(image.width) * 3, '\0');
    }
    return out;
}

std::optional<RgbImage> decodeBmp(std::string_view bytes) {
    if (bytes.size() < kPixelOffset || bytes.substr(0, 2) != "BM") return std::nullopt;
    const uint32_t pixelOffset = littleEndianAt(bytes, 10, 4);
    const uint32_t infoBytes = littleEndianAt(bytes, 14, 4);
    const int32_t width = int32_t(littleEndianAt(bytes, 18, 4));
    const int32_t signedHeight = int32_t(littleEndianAt(bytes, 22, 4));
    const uint32_t planes = littleEndianAt(bytes, 26, 2);
    const uint32_t bitsPerPixel = littleEndianAt(bytes, 28, 2);
    const uint32_t compression = littleEndianAt(bytes, 30, 4);
    if (infoBytes < kInfoHeaderBytes || planes != 1 || bitsPerPixel != 24 || compression != 0) return std::nullopt;
    if (width <= 0 || width > kMaxBmpSide || signedHeight == 0 || signedHeight < -kMaxBmpSide ||
        signedHeight > kMaxBmpSide)
        return std::nullopt;
    const bool topDown = signedHeight < 0;
    const int32_t height = topDown ? -signedHeight : signedHeight;
    const std::size_t rowBytes = bmpRowBytes(width);
    if (pixelOffset < kFileHeaderBytes + infoBytes || pixelOffset > bytes.size() ||
        bytes.size() - pixelOffset < rowBytes * std::size_t(height))
        return std::nullopt;
    RgbImage image(width, height);
    for (int32_t stored = 0; stored < height; ++stored) {
        const int32_t y = topDown ? stored : height - 1 - stored;
        const char* row = bytes.data() + pixelOffset + rowBytes * std::size_t(stored);
        std::copy_n(reinterpret_cast<const uint8_t*>(row), std::size_t(width) * 3, image.at(0, y));
    }
    return image;
}

bool writeBmpFile(const std::filesystem::path& path, const RgbImage& image) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    const std::string bytes = encodeBmp(image);
    out.write(bytes.data(), std::streamsize(bytes.size()));
    return bool(out.flush());
}

std::optional<RgbImage> readBmpFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    return decodeBmp(bytes);
}

ImageComparison compareImages(const RgbImage& expected, const RgbImage& actual, const ImageTolerance& tolerance) {
    ImageComparison result;
    result.sameSize = expected.width == actual.width && expected.height == actual.height &&
                      expected.pixels.size() == actual.pixels.size();
    if (!result.sameSize) return result;
    result.pixelCount = int64_t(expected.width) * expected.height;
    for (std::size_t i = 0; i + 2 < expected.pixels.size(); i += 3) {
        int pixelDifference = 0;
        for (std::size_t c = i; c < i + 3; ++c)
            pixelDifference = std::max(pixelDifference, std::abs(int(expected.pixels[c]) - int(actual.pixels[c])));
        result.largestDifference = std::max(result.largestDifference, pixelDifference);
        if (pixelDifference > tolerance.channelThreshold) ++result.differingPixels;
    }
    result.matches = double(result.differingPixels) <= tolerance.maxDifferingShare * double(result.pixelCount);
    return result;
}

std::filesystem::path referenceFolder() { return std::filesystem::path(QUCAP_TEST_DATA) / "reference"; }

::testing::AssertionResult matchesReference(const std::filesystem::path& folder, const std::string& name,
                                            const RgbImage& actual, const ImageTolerance& tolerance) {
    const std::filesystem::path reference = folder / name;
    const char* update = std::getenv("QUCAP_UPDATE_REFERENCES");
    if (update != nullptr && std::string_view(update) == "1") {
        std::error_code ignored;
        std::filesystem::create_directories(folder, ignored);
        if (!writeBmpFile(reference, actual))
            return ::testing::AssertionFailure() << "could not write the reference " << reference.string();
        return ::testing::AssertionSuccess() << "reference " << reference.string() << " written";
    }
    const std::optional<RgbImage> expected = readBmpFile(reference);
    if (!expected)
        return ::testing::AssertionFailure() << "no readable reference " << reference.string()
                                             << " (run once with QUCAP_UPDATE_REFERENCES=1 to make it)";
    const ImageComparison c = compareImages(*expected, actual, tolerance);
    if (c.matches) return ::testing::AssertionSuccess();
    const std::string actualName = name + ".actual.bmp";
    writeBmpFile(actualName, actual);
    std::ostringstream why;
    if (!c.sameSize)
        why << "size " << actual.width << "x" << actual.height << " instead of " << expected->width << "x"
            << expected->height;
    else
        why << c.differingPixels << " of " << c.pixelCount << " pixels differ by more than "
            << tolerance.channelThreshold << " (largest difference " << c.largestDifference << ")";
    return ::testing::AssertionFailure() << name << ": " << why.str() << "; actual image written to " << actualName;
}

}  // namespace qucap::test
