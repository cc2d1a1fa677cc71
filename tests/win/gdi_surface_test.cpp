#include "filter/win/gdi_surface.h"

#include <cstring>
#include <functional>

#include <gtest/gtest.h>

#include "filter/win/gdi_rasteriser.h"

namespace qucap {
namespace {

const FontSpec kGothic16{u"ＭＳ ゴシック", 16, 0, 400};
constexpr uint8_t kBackground = 0x80;

struct Bgra {
    uint8_t b, g, r, a;
    bool operator==(const Bgra&) const = default;
};

Bgra at(const FrameBuffer& frame, int32_t x, int32_t y) {
    const uint8_t* p = frame.pixel(x, y);
    return {p[0], p[1], p[2], frame.bytesPerPixel == 4 ? p[3] : uint8_t(0)};
}

FrameBuffer clearedFrame(FrameSurface& surface, uint8_t value) {
    const FrameBuffer frame = surface.frame();
    std::memset(frame.bits, value, frame.byteSize());
    return frame;
}

// Frame coordinates inside the GDI rectangle (left/top included, right/bottom excluded).
bool inside(const PixelRect& rect, int32_t x, int32_t y) {
    return x - 1 >= rect.left && x - 1 < rect.right && y - 1 >= rect.top && y - 1 < rect.bottom;
}

void forEachPixel(const FrameBuffer& frame, const std::function<void(int32_t, int32_t)>& visit) {
    for (int32_t y = 1; y <= frame.height; ++y)
        for (int32_t x = 1; x <= frame.width; ++x) visit(x, y);
}

TEST(GdiSurfaceTest, OneSurfacePerGeometryWithTheFrameOfItsHeader) {
    GdiSurfaceFactory factory;
    FrameSurface* bottomUp = factory.surface({5, 3, 24});
    ASSERT_NE(bottomUp, nullptr);
    EXPECT_EQ(factory.surface({5, 3, 24}), bottomUp);
    FrameSurface* topDown = factory.surface({5, -3, 24});
    FrameSurface* deep = factory.surface({5, 3, 32});
    ASSERT_NE(topDown, nullptr);
    ASSERT_NE(deep, nullptr);
    EXPECT_NE(topDown, bottomUp);
    EXPECT_NE(deep, bottomUp);

    const FrameBuffer f = bottomUp->frame();
    EXPECT_NE(f.bits, nullptr);
    EXPECT_EQ(f.width, 5);
    EXPECT_EQ(f.height, 3);
    EXPECT_EQ(f.bytesPerPixel, 3);
    EXPECT_EQ(f.stride, 16);  // 15 bytes padded to 4
    EXPECT_FALSE(f.topDown);
    EXPECT_TRUE(topDown->frame().topDown);
    EXPECT_EQ(topDown->frame().height, 3);
    EXPECT_EQ(deep->frame().stride, 20);
    EXPECT_EQ(deep->frame().bytesPerPixel, 4);

    // A 4K frame can be made; nonsense geometries are refused.
    FrameSurface* large = factory.surface({4096, 2160, 32});
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->frame().byteSize(), std::size_t(4096) * 4 * 2160);
    EXPECT_EQ(factory.surface({0, 3, 32}), nullptr);
    EXPECT_EQ(factory.surface({5, 0, 32}), nullptr);
    EXPECT_EQ(factory.surface({-5, 3, 32}), nullptr);
    EXPECT_EQ(factory.surface({5, 3, 16}), nullptr);
    EXPECT_EQ(factory.surface({100000, 3, 32}), nullptr);
    EXPECT_EQ(factory.surface({5, INT32_MIN, 32}), nullptr);
}

TEST(GdiSurfaceTest, FillBlackWritesTheRectangleOnlyAndZeroesTheFourthByte) {
    for (const SurfaceGeometry geometry : {SurfaceGeometry{7, 5, 32}, SurfaceGeometry{7, -5, 32}, SurfaceGeometry{7, 5, 24}}) {
        SCOPED_TRACE(testing::Message() << geometry.height << " rows, " << geometry.bitsPerPixel << " bits");
        GdiSurfaceFactory factory;
        FrameSurface* surface = factory.surface(geometry);
        ASSERT_NE(surface, nullptr);
        const FrameBuffer frame = clearedFrame(*surface, 0xFF);
        const PixelRect rect{2, 1, 5, 3};
        surface->canvas().fillBlack(rect);
        surface->canvas().flush();
        forEachPixel(frame, [&](int32_t x, int32_t y) {
            const Bgra expected = inside(rect, x, y) ? Bgra{0, 0, 0, 0} : Bgra{0xFF, 0xFF, 0xFF, uint8_t(frame.bytesPerPixel == 4 ? 0xFF : 0)};
            EXPECT_EQ(at(frame, x, y), expected) << "at " << x << "," << y;
        });
        // The padding after the 21 bytes of a 24-bit row is left alone.
        if (frame.bytesPerPixel == 3) {
            for (int32_t row = 0; row < frame.height; ++row)
                for (int32_t byte = 21; byte < frame.stride; ++byte) EXPECT_EQ(frame.bits[row * frame.stride + byte], 0xFF);
        }
    }
}

TEST(GdiSurfaceTest, FillBlackBeyondTheFrameIsClipped) {
    GdiSurfaceFactory factory;
    FrameSurface* surface = factory.surface({2, 2, 32});
    ASSERT_NE(surface, nullptr);
    const FrameBuffer frame = clearedFrame(*surface, 0xFF);
    surface->canvas().fillBlack({-100000, -5, 100000, 1});
    surface->canvas().flush();
    EXPECT_EQ(at(frame, 1, 1), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(at(frame, 2, 1), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(at(frame, 1, 2), (Bgra{0xFF, 0xFF, 0xFF, 0xFF}));
    surface->canvas().fillBlack({5, 5, 9, 9});  // wholly outside: nothing
    surface->canvas().flush();
    EXPECT_EQ(at(frame, 2, 2), (Bgra{0xFF, 0xFF, 0xFF, 0xFF}));
}

struct TextCheck {
    int inkPixels = 0;        // exactly the text colour
    int backgroundPixels = 0;  // white (opaque) or untouched (transparent)
    int strayPixels = 0;       // changed outside the text's extent, or another colour inside
};

// Draws 字幕 at (x, y) and sorts every pixel of the frame.
TextCheck drawAndCheck(FrameSurface& surface, int32_t x, int32_t y, TextStyle style) {
    GdiRasteriser measurer;
    const TextExtent extent = measurer.textExtent(kGothic16, u"字幕");
    const PixelRect box{x, y, x + extent.cx, y + extent.cy};
    const FrameBuffer frame = clearedFrame(surface, kBackground);
    surface.canvas().drawText(kGothic16, x, y, u"字幕", style);
    surface.canvas().flush();
    const Bgra untouched{kBackground, kBackground, kBackground, uint8_t(frame.bytesPerPixel == 4 ? kBackground : 0)};
    const uint32_t colour = style.transparent ? style.colour : 0;
    const Bgra ink{blueOf(colour), greenOf(colour), redOf(colour), 0};
    const Bgra background = style.transparent ? untouched : Bgra{0xFF, 0xFF, 0xFF, 0};
    TextCheck check;
    forEachPixel(frame, [&](int32_t px, int32_t py) {
        const Bgra p = at(frame, px, py);
        if (!inside(box, px, py)) {
            check.strayPixels += p == untouched ? 0 : 1;
        } else if (p == ink) {
            ++check.inkPixels;
        } else if (p == background) {
            ++check.backgroundPixels;
        } else if (style.transparent || p == untouched || !(p.r == p.g && p.g == p.b)) {
            ++check.strayPixels;  // opaque text fills its extent, antialiased in greys at most
        }
    });
    return check;
}

TEST(GdiSurfaceTest, OpaqueTextIsBlackOnWhiteWithinItsExtent) {
    GdiSurfaceFactory factory;
    FrameSurface* surface = factory.surface({80, 30, 32});
    ASSERT_NE(surface, nullptr);
    const TextCheck check = drawAndCheck(*surface, 10, 5, {});
    EXPECT_GT(check.inkPixels, 20);
    EXPECT_GT(check.backgroundPixels, check.inkPixels);
    EXPECT_EQ(check.strayPixels, 0);
}

TEST(GdiSurfaceTest, TransparentTextKeepsTheBackgroundAndDrawsItsColour) {
    GdiSurfaceFactory factory;
    FrameSurface* surface = factory.surface({80, 30, 24});
    ASSERT_NE(surface, nullptr);
    const TextCheck check = drawAndCheck(*surface, 10, 5, {true, colourRefOf(255, 0, 0)});
    EXPECT_GT(check.inkPixels, 20);
    EXPECT_GT(check.backgroundPixels, check.inkPixels);
    EXPECT_EQ(check.strayPixels, 0);

    // The next opaque text is black on white again on the same context.
    const TextCheck opaque = drawAndCheck(*surface, 10, 5, {});
    EXPECT_EQ(opaque.inkPixels, check.inkPixels);
    EXPECT_GT(opaque.backgroundPixels, opaque.inkPixels);
    EXPECT_EQ(opaque.strayPixels, 0);
}

TEST(GdiSurfaceTest, TextPartlyOutsideTheFrameIsClipped) {
    GdiSurfaceFactory factory;
    FrameSurface* surface = factory.surface({8, 8, 32});
    ASSERT_NE(surface, nullptr);
    const FrameBuffer frame = clearedFrame(*surface, kBackground);
    surface->canvas().drawText(kGothic16, -4, -4, u"字幕字幕", {});
    surface->canvas().drawText(kGothic16, 100000, 100000, u"字", {});
    surface->canvas().drawText(kGothic16, 2, 2, u"", {});
    surface->canvas().flush();
    EXPECT_NE(at(frame, 1, 1), (Bgra{kBackground, kBackground, kBackground, kBackground}));
}

TEST(GdiSurfaceTest, TopDownAndBottomUpSurfacesAddressTheSamePicture) {
    GdiSurfaceFactory factory;
    FrameSurface* bottomUp = factory.surface({61, 23, 24});
    FrameSurface* topDown = factory.surface({61, -23, 24});
    ASSERT_NE(bottomUp, nullptr);
    ASSERT_NE(topDown, nullptr);
    for (FrameSurface* surface : {bottomUp, topDown}) {
        clearedFrame(*surface, kBackground);
        surface->canvas().fillBlack({0, 0, 3, 2});
        surface->canvas().drawText(kGothic16, 5, 4, u"字幕", {true, colourRefOf(0, 200, 0)});
        surface->canvas().drawText(kGothic16, 40, 6, u"字", {});
        surface->canvas().flush();
    }
    const FrameBuffer a = bottomUp->frame();
    const FrameBuffer b = topDown->frame();
    int differing = 0;
    forEachPixel(a, [&](int32_t x, int32_t y) { differing += at(a, x, y) == at(b, x, y) ? 0 : 1; });
    EXPECT_EQ(differing, 0);
    // The black corner is at the top-left in frame coordinates, and in the
    // last row of memory of the bottom-up bitmap.
    EXPECT_EQ(at(a, 1, 1), (Bgra{0, 0, 0, 0}));
    EXPECT_EQ(a.bits[std::size_t(22) * a.stride], 0);
    EXPECT_EQ(a.bits[0], kBackground);
    EXPECT_EQ(b.bits[0], 0);
}

}  // namespace
}  // namespace qucap
