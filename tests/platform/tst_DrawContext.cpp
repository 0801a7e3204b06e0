#include "platform/DrawContext.h"

#include <algorithm>
#include <climits>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using platform::Colour15;
using platform::DrawContext;
using platform::RasterOp;
using Lines = std::vector<std::string>;

const platform::Pen red{platform::Rgb15(255, 0, 0)};
const platform::Brush green{platform::Rgb15(0, 255, 0)};

// A surface selected into a context with the red pen and the green brush.
struct Canvas {
    Canvas(int width, int height) : surface(width, height) {
        dc.SelectSurface(&surface);
        dc.SelectPen(&red);
        dc.SelectBrush(&green);
    }

    // One string per row: '.' black, 'o' pen, '#' brush, '?' anything else.
    Lines Picture() const {
        Lines rows(surface.Height());
        for (int y = 0; y < surface.Height(); ++y) {
            for (int x = 0; x < surface.Width(); ++x) {
                const Colour15 c = surface.Pixel(x, y);
                rows[y] += c == 0 ? '.' : c == red.colour ? 'o' : c == green.colour ? '#' : '?';
            }
        }
        return rows;
    }

    platform::Surface surface;
    DrawContext dc;
};

// Lines along a column or a row just outside the surface light nothing.
TEST(DrawContext, LinesJustOffTheSurfaceDrawNothing) {
    Canvas c(4, 3);
    for (auto [x0, y0, x1, y1] :
         {std::tuple{4, 0, 4, 3}, {-1, 3, -1, -1}, {0, -1, 4, -1}, {4, 3, -1, 3}}) {
        c.dc.MoveTo(x0, y0);
        c.dc.LineTo(x1, y1);
    }
    EXPECT_EQ(c.Picture(), (Lines{"....", "....", "...."}));
}

TEST(DrawContext, FiguresReachingTheLimitsOfIntAreClippedBeforeAnyPixelIsVisited) {
    Canvas c(6, 4);
    c.dc.Ellipse(INT_MIN, INT_MIN, INT_MAX, INT_MAX);
    for (auto [x0, y0, x1, y1] : {std::tuple{INT_MIN, 1, INT_MAX, 1},
                                  {INT_MIN, INT_MIN, INT_MAX, INT_MAX},
                                  {INT_MAX, -1, INT_MIN, -1}}) {
        c.dc.MoveTo(x0, y0);
        c.dc.LineTo(x1, y1);
    }
    EXPECT_EQ(c.Picture(), (Lines{"o#####", "oooooo", "##o###", "###o##"}));
}

TEST(DrawContext, ArcsRunCounterClockwiseBetweenTheRadials) {
    Canvas outline(12, 12);
    outline.dc.SelectBrush(nullptr);
    outline.dc.Ellipse(0, 0, 12, 12);
    const auto part = [&](auto keep) { // the outline pixels (x, y) for which keep holds
        Lines rows = outline.Picture();
        for (int y = 0; y < 12; ++y) {
            for (int x = 0; x < 12; ++x) {
                rows[y][x] = keep(x, y) ? rows[y][x] : '.';
            }
        }
        return rows;
    };
    const auto arc = [](int xStart, int yStart, int xEnd, int yEnd) {
        Canvas c(12, 12);
        c.dc.Arc(0, 0, 12, 12, xStart, yStart, xEnd, yEnd);
        return c.Picture();
    };
    const Lines upperRight = part([](int x, int y) { return x >= 6 && y < 6; });
    EXPECT_EQ(arc(12, 6, 6, 0), upperRight); // three o'clock to twelve
    EXPECT_EQ(arc(1000, 6, 6, -50), upperRight);
    EXPECT_EQ(arc(0, 6, 12, 6), part([](int, int y) { return y >= 6; }));
    EXPECT_EQ(arc(6, 0, 12, 6), part([](int x, int y) { return x < 6 || y >= 6; }));
    EXPECT_EQ(arc(3, 9, 3, 9), outline.Picture());
    EXPECT_EQ(arc(2, 10, -2, 14), outline.Picture());
}

TEST(DrawContext, PatBltFillsTheClippedRectangle) {
    Canvas c(6, 5);
    c.dc.PatBlt(-2, 3, 5, 100);
    c.dc.PatBlt(-5, 1, INT_MAX, 1);
    c.dc.PatBlt(4, 0, 0, 3); // empty rectangles
    c.dc.PatBlt(INT_MAX, 0, INT_MAX, 1);
    EXPECT_EQ(c.dc.SelectBrush(nullptr), &green);
    c.dc.PatBlt(0, 0, 6, 5);
    EXPECT_EQ(c.Picture(), (Lines{"......", "######", "......", "###...", "###..."}));
}

TEST(DrawContext, BitBltTakesOnlyPixelsOnBothSurfaces) {
    Canvas from(4, 4);
    for (int i = 0; i < 16; ++i) {
        from.surface.SetPixel(i % 4, i / 4, static_cast<Colour15>(i + 1));
    }
    Canvas to(5, 5);
    to.dc.BitBlt(3, -1, 4, 4, from.dc, -1, 0, RasterOp::SourceCopy);
    DrawContext empty;
    EXPECT_EQ(empty.SelectSurface(&from.surface), nullptr);
    EXPECT_EQ(empty.SelectSurface(nullptr), &from.surface);
    to.dc.BitBlt(0, 0, 5, 5, empty, 0, 0, RasterOp::SourceCopy); // nothing to copy from
    for (int y = 0; y < 5; ++y) {
        for (int x = 0; x < 5; ++x) {
            EXPECT_EQ(to.surface.Pixel(x, y), x == 4 && y < 3 ? 1 + 4 * (y + 1) : 0) << x << y;
        }
    }
}

TEST(DrawContext, BitBltWithinOneSurfaceReadsEachPixelBeforeOverwritingIt) {
    for (auto [dx, dy] : {std::pair{1, 1}, {-1, -1}, {2, 0}, {-1, 0}}) {
        Canvas c(6, 6);
        for (int i = 0; i < 36; ++i) {
            c.surface.SetPixel(i % 6, i / 6, static_cast<Colour15>(i * 0x0421 + 7));
        }
        Canvas original(6, 6);
        Canvas expected(6, 6);
        original.dc.BitBlt(0, 0, 6, 6, c.dc, 0, 0, RasterOp::SourceCopy);
        expected.dc.BitBlt(0, 0, 6, 6, c.dc, 0, 0, RasterOp::SourceCopy);
        expected.dc.BitBlt(1 + dx, 1 + dy, 4, 4, original.dc, 1, 1, RasterOp::SourceOr);
        c.dc.BitBlt(1 + dx, 1 + dy, 4, 4, c.dc, 1, 1, RasterOp::SourceOr);
        EXPECT_TRUE(std::equal(c.surface.Bits(), c.surface.Bits() + 72, expected.surface.Bits()));
    }
}

} // namespace
