#include "tests/support/iconv_shiftjis.h"

#include <iconv.h>

#include <memory>
#include <vector>

namespace qucap::test {

std::optional<std::u16string> IconvShiftJisDecoder::decode(std::string_view bytes) const {
    iconv_t cd = iconv_open("UTF-16LE", "CP932");
    if (cd == reinterpret_cast<iconv_t>(-1)) return std::nullopt;
    std::unique_ptr<void, int (*)(iconv_t)> closer(cd, iconv_close);
    std::string input(bytes);
    std::vector<char> output(input.size() * 2 + 2);
    char* in = input.data();
    char* out = output.data();
    std::size_t inLeft = input.size();
    std::size_t outLeft = output.size();
    if (iconv(cd, &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1)) return std::nullopt;
    std::u16string text((output.size() - outLeft) / 2, u'\0');
    for (std::size_t i = 0; i < text.size(); ++i)
        text[i] = char16_t(static_cast<unsigned char>(output[2 * i]) | static_cast<unsigned char>(output[2 * i + 1]) << 8);
    return text;
}

}  // namespace qucap::test
