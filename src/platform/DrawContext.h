#pragma once

#include "platform/Surface.h"

namespace platform {

struct Pen {
    Colour15 colour; // solid, 1 pixel wide
};

struct Brush {
    Colour15 colour; // solid
};

// Block-copy raster operations: the source replaces, ANDs into or ORs into the target.
enum class RasterOp { SourceCopy, SourceAnd, SourceOr };

// A memory drawing context: draws with the selected pen and brush on the selected surface.
// Pens, brushes and surfaces belong to the caller and must outlive their selection.
// Everything is clipped to the surface; with nothing selected nothing is drawn. Boxes
// exclude their right and bottom edges, so one with right <= left or bottom <= top is empty.
class DrawContext {
public:
    // Each Select returns what was selected before (nothing at first).
    Surface* SelectSurface(Surface* s);
    const Pen* SelectPen(const Pen* p);
    const Brush* SelectBrush(const Brush* b);
    Surface* GetSurface() const { return surface; }

    void MoveTo(int x, int y);
    // A line from the current position that leaves out its end pixel, which becomes the
    // current position. Without a pen only the position moves.
    void LineTo(int x, int y);
    // The ellipse inscribed in the box: its outline with the pen, its inside with the brush.
    void Ellipse(int left, int top, int right, int bottom);
    // The part of the ellipse's outline swept counter-clockwise (as seen on the screen) from
    // the direction of the start point to that of the end point, both taken from the box's
    // centre. Equal directions draw the whole outline.
    void Arc(int left, int top, int right, int bottom, int xStart, int yStart, int xEnd, int yEnd);
    // Fills the rectangle with the brush.
    void PatBlt(int x, int y, int width, int height);
    // Combines the source's block at (sx, sy) into this surface at (x, y). Only pixels
    // that lie on both surfaces take part; the two may be the same surface.
    void BitBlt(int x, int y, int width, int height, const DrawContext& source, int sx, int sy,
                RasterOp op);

private:
    Surface* surface = nullptr;
    const Pen* pen = nullptr;
    const Brush* brush = nullptr;
    int currentX = 0;
    int currentY = 0;
};

} // namespace platform
