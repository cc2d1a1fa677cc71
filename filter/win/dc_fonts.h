#pragma once
// The caption fonts selected on one device context: created on first use
// from a FontSpec with the filter's fixed CreateFontW arguments, kept while
// the context lives, and deselected before they are deleted.
#include <windows.h>

#include <cstddef>
#include <utility>
#include <vector>

#include "filter/core/rasteriser.h"

namespace qucap {

// A memory device context (CreateCompatibleDC of the screen), deleted at the
// end of its owner's life.
class MemoryDc {
public:
    MemoryDc() : dc_(CreateCompatibleDC(nullptr)) {}
    ~MemoryDc() {
        if (dc_ != nullptr) DeleteDC(dc_);
    }
    MemoryDc(const MemoryDc&) = delete;
    MemoryDc& operator=(const MemoryDc&) = delete;
    HDC get() const { return dc_; }

private:
    HDC dc_;
};

// CreateFontW with the face, cell height, escapement (= orientation) and
// weight of `font`; width 0, no italic/underline/strike-out, Shift-JIS,
// default output and clip precision, antialiased, default pitch and family.
HFONT createCaptionFont(const FontSpec& font);

class DcFonts {
public:
    explicit DcFonts(HDC dc) : dc_(dc) {}
    ~DcFonts();
    DcFonts(const DcFonts&) = delete;
    DcFonts& operator=(const DcFonts&) = delete;

    // Selects the font on the context; false (and nothing selected by us)
    // when GDI cannot create it.
    bool select(const FontSpec& font);

    // A filter uses a handful of fonts; more than this many distinct ones
    // means someone keeps changing them, and the old ones are let go.
    static constexpr std::size_t kMaxFonts = 32;

private:
    void releaseAll();

    HDC dc_;
    HGDIOBJ original_ = nullptr;  // the context's own font, put back before deleting ours
    std::vector<std::pair<FontSpec, HFONT>> fonts_;
    HFONT selected_ = nullptr;
};

}  // namespace qucap
