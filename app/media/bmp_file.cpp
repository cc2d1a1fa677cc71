#include "app/media/bmp_file.h"

#include <cstdint>
#include <cstdlib>

namespace qucap {
namespace {

void putLittleEndian(std::string& out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out += char((value >> (8 * i)) & 0xFF);
}

}  // namespace

std::string bmpFileBytes(const RgbPicture& picture) {
    if (!holdsWholePicture(picture)) return {};
    const uint32_t width = uint32_t(picture.width);
    const uint32_t rows = uint32_t(std::llabs(int64_t(picture.height)));
    const std::size_t inRow = rgbRowBytes(picture.width, picture.bitsPerPixel);
    const std::size_t outRow = rgbRowBytes(picture.width, 24);
    const uint32_t imageBytes = uint32_t(outRow * rows);
    const std::size_t inPixel = std::size_t(picture.bitsPerPixel / 8);

    std::string file;
    file.reserve(kBmpHeaderBytes + imageBytes);
    // BITMAPFILEHEADER
    file += "BM";
    putLittleEndian(file, uint32_t(kBmpHeaderBytes) + imageBytes, 4);
    putLittleEndian(file, 0, 4);  // reserved
    putLittleEndian(file, uint32_t(kBmpHeaderBytes), 4);
    // BITMAPINFOHEADER: bottom-up, one plane, 24 bits, BI_RGB
    putLittleEndian(file, 40, 4);
    putLittleEndian(file, width, 4);
    putLittleEndian(file, rows, 4);
    putLittleEndian(file, 1, 2);
    putLittleEndian(file, 24, 2);
    putLittleEndian(file, 0, 4);
    putLittleEndian(file, imageBytes, 4);
    putLittleEndian(file, 2835, 4);  // 72 dots per inch, as pixels per metre
    putLittleEndian(file, 2835, 4);
    putLittleEndian(file, 0, 4);
    putLittleEndian(file, 0, 4);

    const bool topDown = picture.height < 0;
    for (uint32_t r = 0; r < rows; ++r) {
        // Row r of the file is the r-th row from the bottom of the picture.
        const uint32_t source = topDown ? rows - 1 - r : r;
        const uint8_t* from = picture.bytes.data() + std::size_t(source) * inRow;
        for (uint32_t x = 0; x < width; ++x, from += inPixel) file.append(reinterpret_cast<const char*>(from), 3);
        file.append(outRow - std::size_t(width) * 3, '\0');
    }
    return file;
}

}  // namespace qucap
