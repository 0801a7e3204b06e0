#include "platform/DrawContext.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <utility>

namespace platform {
namespace {

using std::int64_t;
using std::uint64_t;

// Products of coordinate differences need more than 64 bits when the coordinates span the
// whole int range.
using Wide = __int128;
using UnsignedWide = unsigned __int128;

// An inclusive range of offsets; empty when lo > hi.
struct Range {
    int64_t lo;
    int64_t hi;

    bool Empty() const { return lo > hi; }
    int64_t Size() const { return hi - lo + 1; }
    Range Intersect(Range other) const { return {std::max(lo, other.lo), std::min(hi, other.hi)}; }
};

constexpr Range NoOffsets{0, -1};

// The offsets o for which start + sign × o lies in [0, limit).
Range OnSurface(int64_t start, int sign, int64_t limit) {
    if (sign > 0) {
        return {-start, limit - 1 - start};
    }
    if (sign < 0) {
        return {start - (limit - 1), start};
    }
    return start >= 0 && start < limit ? Range{INT64_MIN, INT64_MAX} : NoOffsets;
}

int Sign(int64_t v) {
    return (v > 0) - (v < 0);
}

// Index of a pixel in the surface's memory, which holds the rows bottom-up.
std::ptrdiff_t IndexOf(const Surface& s, int64_t x, int64_t y) {
    return (s.Height() - 1 - y) * (s.Stride() / 2) + x;
}

// A Bresenham line from (x0, y0) to (x1, y1) without its end pixel. Step i of the n steps
// along the major axis moves j(i) = floor((2·m·i + n) / 2n) along the minor one, m being
// the minor extent: the nearest pixel, halves rounded away from the start. The closed form
// lets the steps be clipped to the surface before the loop, so far-away ends cost nothing.
void DrawLine(Surface& s, int x0, int y0, int x1, int y1, Colour15 colour) {
    const int64_t dx = int64_t{x1} - x0;
    const int64_t dy = int64_t{y1} - y0;
    const bool xMajor = std::abs(dx) >= std::abs(dy);
    const int64_t n = xMajor ? std::abs(dx) : std::abs(dy);
    const int64_t m = xMajor ? std::abs(dy) : std::abs(dx);
    if (n == 0) {
        return;
    }
    const Range xs = OnSurface(x0, Sign(dx), s.Width());
    const Range ys = OnSurface(y0, Sign(dy), s.Height());
    Range steps = (xMajor ? xs : ys).Intersect({0, n - 1});
    const Range minor = (xMajor ? ys : xs).Intersect({0, m});
    if (minor.Empty()) {
        return;
    }
    // Solving the closed form: j(i) >= lo from i = ceil((2n·lo − n) / 2m) on, and
    // j(i) <= hi up to i = ceil((2n·(hi + 1) − n) / 2m) − 1.
    const auto ceilDiv = [](Wide a, Wide b) { return static_cast<int64_t>((a + b - 1) / b); };
    if (minor.lo > 0) {
        steps.lo = std::max(steps.lo, ceilDiv(Wide{2} * n * minor.lo - n, Wide{2} * m));
    }
    if (minor.hi < m) {
        steps.hi = std::min(steps.hi, ceilDiv(Wide{2} * n * (minor.hi + 1) - n, Wide{2} * m) - 1);
    }
    if (steps.Empty()) {
        return;
    }
    const int64_t twoN = 2 * n;
    const int64_t twoM = 2 * m;
    // A line that starts on the surface, as most do, starts its minor count at j(0) = 0
    // with remainder n, without the wide division.
    int64_t j = 0;
    int64_t remainder = n;
    if (steps.lo > 0) {
        const Wide numerator = Wide{twoM} * steps.lo + n;
        // n lies in 1 .. 2^32, so 2n does not wrap to zero.
        // NOLINTNEXTLINE(clang-analyzer-core.DivideZero)
        j = static_cast<int64_t>(numerator / twoN);
        remainder = static_cast<int64_t>(numerator % twoN);
    }
    const int64_t x = x0 + Sign(dx) * (xMajor ? steps.lo : j);
    const int64_t y = y0 + Sign(dy) * (xMajor ? j : steps.lo);

    const std::ptrdiff_t down = -(s.Stride() / 2);
    const std::ptrdiff_t majorStep = xMajor ? Sign(dx) : Sign(dy) * down;
    const std::ptrdiff_t minorStep = xMajor ? Sign(dy) * down : Sign(dx);
    Colour15* pixels = s.Row(s.Height() - 1);
    std::ptrdiff_t at = IndexOf(s, x, y);
    for (int64_t k = steps.Size(); k > 0; --k) {
        pixels[at] = colour;
        at += majorStep;
        remainder += twoM;
        if (remainder >= twoN) {
            remainder -= twoN;
            at += minorStep;
        }
    }
}

uint64_t SquareRoot(uint64_t v) {
    auto r = static_cast<uint64_t>(std::sqrt(static_cast<double>(v)));
    while (UnsignedWide{r} * r > v) {
        --r;
    }
    while (UnsignedWide{r + 1} * (r + 1) <= v) {
        ++r;
    }
    return r;
}

// The ellipse inscribed in a w × h box, row by row in box coordinates. A pixel belongs to
// it when its centre lies inside: with the doubled offsets u = 2c + 1 − w, v = 2r + 1 − h
// from the centre, u²·h² + v²·w² <= w²·h². Both axes are symmetric by construction.
class EllipseShape {
public:
    EllipseShape(int64_t w, int64_t h) : w(w), h(h) {}

    // The columns of row r.
    Range Row(int64_t r) const {
        if (r < 0 || r >= h) {
            return NoOffsets;
        }
        const auto v = static_cast<UnsignedWide>(std::abs(2 * r + 1 - h));
        const UnsignedWide hh = UnsignedWide(h) * UnsignedWide(h);
        const UnsignedWide ww = UnsignedWide(w) * UnsignedWide(w);
        // Largest u with u² <= w²·(h² − v²) / h², then of the parity of w − 1 as u must be.
        auto u = static_cast<int64_t>(SquareRoot(static_cast<uint64_t>(ww * (hh - v * v) / hh)));
        if (((u ^ (w - 1)) & 1) != 0) {
            --u;
        }
        return u < 0 ? NoOffsets : Range{(w - 1 - u) / 2, (w - 1 + u) / 2};
    }

private:
    int64_t w;
    int64_t h;
};

// Calls draw(y, x0, x1, outline) for the visible runs of the ellipse in the box, row by
// row. The outline is every pixel of the ellipse with a 4-neighbour outside it, so it is
// closed and one pixel thin; the rest is the inside.
template <class Draw>
void ForEachEllipseRun(const Surface& s, int left, int top, int right, int bottom, Draw draw) {
    const int64_t w = int64_t{right} - left;
    const int64_t h = int64_t{bottom} - top;
    if (w <= 0 || h <= 0) {
        return;
    }
    const EllipseShape shape(w, h);
    const Range rows = OnSurface(top, 1, s.Height()).Intersect({0, h - 1});
    const Range columns = OnSurface(left, 1, s.Width());
    for (int64_t r = rows.lo; r <= rows.hi; ++r) {
        const Range span = shape.Row(r);
        const Range above = shape.Row(r - 1);
        const Range below = shape.Row(r + 1);
        const Range inside =
            above.Empty() || below.Empty()
                ? NoOffsets
                : Range{span.lo + 1, span.hi - 1}.Intersect(above).Intersect(below);
        const auto emit = [&](Range run, bool outline) {
            run = run.Intersect(columns);
            if (!run.Empty()) {
                draw(static_cast<int>(top + r), left + run.lo, left + run.hi, outline);
            }
        };
        if (inside.Empty()) {
            emit(span, true);
        } else {
            emit({span.lo, inside.lo - 1}, true);
            emit(inside, false);
            emit({inside.hi + 1, span.hi}, true);
        }
    }
}

// A direction from the box centre in doubled coordinates with y pointing up, so that a
// positive cross product turns counter-clockwise as seen on the screen.
struct Direction {
    Wide x;
    Wide y;

    bool IsZero() const { return x == 0 && y == 0; }
};

Wide Cross(Direction a, Direction b) {
    return a.x * b.y - a.y * b.x;
}

Wide Dot(Direction a, Direction b) {
    return a.x * b.x + a.y * b.y;
}

// The directions swept counter-clockwise from a start direction to an end direction,
// both included; equal directions sweep the full turn.
class Sweep {
public:
    Sweep(Direction from, Direction to)
        : start(Usable(from)), end(Usable(to)),
          whole(Cross(start, end) == 0 && Dot(start, end) > 0) {}

    bool Contains(Direction d) const { return whole || d.IsZero() || !Before(end, d); }

private:
    // A radial point at the centre gives no direction; it counts as pointing right.
    static Direction Usable(Direction d) { return d.IsZero() ? Direction{1, 0} : d; }

    // Whether a lies at a smaller angle from the start than b, angles taken in [0, 2π).
    bool Before(Direction a, Direction b) const {
        const bool aFirstHalf = InFirstHalf(a);
        if (aFirstHalf != InFirstHalf(b)) {
            return aFirstHalf;
        }
        return Cross(a, b) > 0;
    }

    // An angle from the start in [0, π).
    bool InFirstHalf(Direction d) const {
        const Wide c = Cross(start, d);
        return c > 0 || (c == 0 && Dot(start, d) > 0);
    }

    Direction start;
    Direction end;
    bool whole;
};

// Combines a row of pixels, walking backwards when the target lies after an overlapping
// source so that every source pixel is read before it is overwritten.
template <class Op>
void CombineRow(Colour15* target, const Colour15* source, std::size_t count, Op op) {
    if (std::less<>{}(source, target)) {
        for (std::size_t i = count; i-- > 0;) {
            target[i] = op(target[i], source[i]);
        }
    } else {
        for (std::size_t i = 0; i < count; ++i) {
            target[i] = op(target[i], source[i]);
        }
    }
}

void CombineRow(Colour15* target, const Colour15* source, std::size_t count, RasterOp op) {
    switch (op) {
    case RasterOp::SourceCopy:
        std::memmove(target, source, count * sizeof(Colour15));
        break;
    case RasterOp::SourceAnd:
        CombineRow(target, source, count, [](Colour15 t, Colour15 s) { return Colour15(t & s); });
        break;
    case RasterOp::SourceOr:
        CombineRow(target, source, count, [](Colour15 t, Colour15 s) { return Colour15(t | s); });
        break;
    }
}

} // namespace

Surface* DrawContext::SelectSurface(Surface* s) {
    return std::exchange(surface, s);
}

const Pen* DrawContext::SelectPen(const Pen* p) {
    return std::exchange(pen, p);
}

const Brush* DrawContext::SelectBrush(const Brush* b) {
    return std::exchange(brush, b);
}

void DrawContext::MoveTo(int x, int y) {
    currentX = x;
    currentY = y;
}

void DrawContext::LineTo(int x, int y) {
    if (surface != nullptr && pen != nullptr) {
        DrawLine(*surface, currentX, currentY, x, y, pen->colour);
    }
    MoveTo(x, y);
}

void DrawContext::Ellipse(int left, int top, int right, int bottom) {
    if (surface == nullptr) {
        return;
    }
    ForEachEllipseRun(*surface, left, top, right, bottom,
                      [this](int y, int64_t x0, int64_t x1, bool outline) {
                          if (outline ? pen == nullptr : brush == nullptr) {
                              return;
                          }
                          Colour15* row = surface->Row(y);
                          std::fill(row + x0, row + x1 + 1, outline ? pen->colour : brush->colour);
                      });
}

void DrawContext::Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd,
                      int yEnd) {
    if (surface == nullptr || pen == nullptr) {
        return;
    }
    const Wide centreX = Wide{left} + right;
    const Wide centreY = Wide{top} + bottom;
    const Sweep sweep({Wide{2} * xStart - centreX, centreY - Wide{2} * yStart},
                      {Wide{2} * xEnd - centreX, centreY - Wide{2} * yEnd});
    ForEachEllipseRun(*surface, left, top, right, bottom,
                      [&](int y, int64_t x0, int64_t x1, bool outline) {
                          if (!outline) {
                              return;
                          }
                          Colour15* row = surface->Row(y);
                          const Wide dy = centreY - (Wide{2} * y + 1);
                          for (int64_t x = x0; x <= x1; ++x) {
                              if (sweep.Contains({Wide{2} * x + 1 - centreX, dy})) {
                                  row[x] = pen->colour;
                              }
                          }
                      });
}

void DrawContext::PatBlt(int x, int y, int width, int height) {
    if (surface == nullptr || brush == nullptr) {
        return;
    }
    const Range columns = OnSurface(x, 1, surface->Width()).Intersect({0, int64_t{width} - 1});
    const Range rows = OnSurface(y, 1, surface->Height()).Intersect({0, int64_t{height} - 1});
    if (columns.Empty() || rows.Empty()) {
        return;
    }
    // The first row is filled and copied into the others.
    Colour15* first = surface->Row(static_cast<int>(y + rows.lo)) + (x + columns.lo);
    std::fill_n(first, columns.Size(), brush->colour);
    for (int64_t v = rows.lo + 1; v <= rows.hi; ++v) {
        std::memcpy(surface->Row(static_cast<int>(y + v)) + (x + columns.lo), first,
                    static_cast<std::size_t>(columns.Size()) * sizeof(Colour15));
    }
}

void DrawContext::BitBlt(int x, int y, int width, int height, const DrawContext& source, int sx,
                         int sy, RasterOp op) {
    const Surface* from = source.surface;
    if (surface == nullptr || from == nullptr) {
        return;
    }
    const Range columns = OnSurface(x, 1, surface->Width())
                              .Intersect(OnSurface(sx, 1, from->Width()))
                              .Intersect({0, int64_t{width} - 1});
    const Range rows = OnSurface(y, 1, surface->Height())
                           .Intersect(OnSurface(sy, 1, from->Height()))
                           .Intersect({0, int64_t{height} - 1});
    if (columns.Empty() || rows.Empty()) {
        return;
    }
    // Within one surface, copying downwards starts at the bottom row so that no source row
    // is overwritten before it is read.
    const bool bottomFirst = from == surface && y > sy;
    for (int64_t k = 0; k < rows.Size(); ++k) {
        const int64_t v = bottomFirst ? rows.hi - k : rows.lo + k;
        CombineRow(surface->Row(static_cast<int>(y + v)) + (x + columns.lo),
                   from->Row(static_cast<int>(sy + v)) + (sx + columns.lo),
                   static_cast<std::size_t>(columns.Size()), op);
    }
}

} // namespace platform
