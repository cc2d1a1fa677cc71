#include "filter/win/dc_fonts.h"

namespace qucap {

namespace {

constexpr DWORD kShiftJisCharset = SHIFTJIS_CHARSET;  // 128
constexpr DWORD kAntialiasedQuality = ANTIALIASED_QUALITY;  // 4

}  // namespace

HFONT createCaptionFont(const FontSpec& font) {
    return CreateFontW(font.height, 0, font.escapement, font.escapement, font.weight, FALSE, FALSE, FALSE,
                       kShiftJisCharset, 0, 0, kAntialiasedQuality, 0,
                       reinterpret_cast<const wchar_t*>(font.face.c_str()));
}

DcFonts::~DcFonts() { releaseAll(); }

void DcFonts::releaseAll() {
    if (original_ != nullptr) SelectObject(dc_, original_);
    original_ = nullptr;
    selected_ = nullptr;
    for (auto& entry : fonts_) DeleteObject(entry.second);
    fonts_.clear();
}

bool DcFonts::select(const FontSpec& font) {
    HFONT handle = nullptr;
    for (auto& entry : fonts_)
        if (entry.first == font) handle = entry.second;
    if (handle == nullptr) {
        if (fonts_.size() >= kMaxFonts) releaseAll();
        handle = createCaptionFont(font);
        if (handle == nullptr) return false;
        fonts_.emplace_back(font, handle);
    }
    if (handle == selected_) return true;
    HGDIOBJ previous = SelectObject(dc_, handle);
    if (previous == nullptr || previous == HGDI_ERROR) return false;
    if (original_ == nullptr) original_ = previous;
    selected_ = handle;
    return true;
}

}  // namespace qucap
