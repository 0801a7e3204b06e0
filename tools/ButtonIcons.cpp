#include "ButtonIcons.h"

#include <QPolygon>
#include <algorithm>
#include <array>

namespace ButtonArt {

namespace {

// The views' own colours, so that an icon looks like the view it stands for.
const QColor Outline(0, 0, 0);
const QColor ViewGround(144, 144, 144);
const QColor ViewFrame(64, 64, 64);
const QColor CentreLine(0, 200, 0);
const QColor RoadEdge(224, 224, 224);
const QColor FixedBlue(0, 0, 255);
const QColor SampleTeal(0, 200, 200);
const QColor SelectedRed(255, 0, 0);
const QColor Sky(136, 184, 240);
const QColor Asphalt(72, 72, 80);
const QColor Grass(72, 152, 64);
const QColor Empty(192, 192, 192);
const QColor ArrowBlue(0, 64, 176);

enum class View { Top, Side, Front, SplinePoint, ExpandTop, ExpandSide, Perspective, None };

void Pen(QPainter& p, const QColor& colour, int width = 1) {
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(Qt::NoBrush);
}

void Fill(QPainter& p, const QPolygon& shape, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(shape);
}

void Dot(QPainter& p, int x, int y, const QColor& colour) {
    p.fillRect(x, y, 2, 2, colour);
}

// A filled triangle arrowhead with its tip at (x, y), pointing along (dx, dy), a unit step.
void ArrowHead(QPainter& p, int x, int y, int dx, int dy, int size, const QColor& colour) {
    const int bx = x - dx * size;
    const int by = y - dy * size;
    Fill(p,
         QPolygon({QPoint(x, y), QPoint(bx - dy * size, by + dx * size),
                   QPoint(bx + dy * size, by - dx * size)}),
         colour);
}

// ---- Miniature views: the view's grey ground and the one thing it is used for.

// A closed course seen from above: the centre line inside the road's edge.
void MiniTop(QPainter& p, int w, int h) {
    if (h >= 9) {
        Pen(p, RoadEdge);
        p.drawEllipse(QRect(0, 1, w - 1, h - 3));
        Pen(p, CentreLine);
        p.drawEllipse(QRect(1, 2, w - 3, h - 5));
    } else {
        Pen(p, CentreLine);
        p.drawEllipse(QRect(1, 1, w - 3, h - 3));
    }
}

// A height profile over the ground line.
void MiniSide(QPainter& p, int w, int h) {
    Pen(p, ViewFrame);
    p.drawLine(0, h - 2, w - 1, h - 2);
    Pen(p, CentreLine);
    p.drawPolyline(QPolygon({QPoint(0, h - 3), QPoint(w / 3, h / 3), QPoint(w / 2, h / 3),
                             QPoint(w * 3 / 4, h / 2), QPoint(w - 1, h / 4)}));
}

// The banked road seen head-on: the road's cross-section with its two edges.
void MiniFront(QPainter& p, int w, int h) {
    const int y0 = h * 2 / 3;
    Pen(p, ViewFrame);
    p.drawLine(0, h - 2, w - 1, h - 2);
    Pen(p, RoadEdge);
    p.drawLine(1, y0 + 1, w - 2, y0 - 2);
    Pen(p, CentreLine);
    p.drawLine(w / 2, y0 - 1, w / 2, h / 4);
    Dot(p, 1, y0, FixedBlue);
    Dot(p, w - 3, y0 - 3, FixedBlue);
}

// The roll dial: a circle with the roll pointer.
void MiniSplinePoint(QPainter& p, int w, int h) {
    const int r = (std::min(w, h) - 3) / 2;
    const QPoint c(w / 2, h / 2);
    Pen(p, RoadEdge);
    p.drawEllipse(c, r, r);
    Pen(p, CentreLine);
    p.drawLine(c, c + QPoint(r * 2 / 3, -r * 2 / 3));
}

// The course unrolled straight, with its two edges, for editing widths.
void MiniExpandTop(QPainter& p, int w, int h) {
    const int inset = w >= 9 ? 2 : 1;
    Pen(p, RoadEdge);
    p.drawLine(inset, 0, inset + 1, h - 1);
    p.drawLine(w - 1 - inset, 0, w - 2 - inset, h - 1);
    Pen(p, CentreLine);
    p.drawLine(w / 2, 0, w / 2, h - 1);
    if (h >= 9) {
        Dot(p, inset, h / 2 - 1, FixedBlue);
        Dot(p, w - 2 - inset, h / 2 - 1, SelectedRed);
    }
}

// The height profile unrolled along the course, with its points and sample dots.
void MiniExpandSide(QPainter& p, int w, int h) {
    const QPolygon profile({QPoint(0, h * 2 / 3), QPoint(w / 4, h / 3), QPoint(w / 2, h / 2),
                            QPoint(w * 3 / 4, h / 4), QPoint(w - 1, h / 3)});
    Pen(p, CentreLine);
    p.drawPolyline(profile);
    for (int x = 1; x < w; x += 2) {
        p.fillRect(x, h - 2, 1, 1, SampleTeal);
    }
    if (h >= 9) {
        Dot(p, w / 4 - 1, h / 3 - 1, FixedBlue);
        Dot(p, w * 3 / 4 - 1, h / 4 - 1, SelectedRed);
    }
}

// The driver's view: sky, and the road narrowing to the horizon.
void MiniPerspective(QPainter& p, int w, int h) {
    const int horizon = h / 3;
    p.fillRect(0, 0, w, horizon, Sky);
    p.fillRect(0, horizon, w, h - horizon, Grass);
    Fill(p,
         QPolygon(
             {QPoint(w / 2 - 1, horizon), QPoint(w / 2 + 1, horizon), QPoint(w, h), QPoint(-1, h)}),
         Asphalt);
    p.fillRect(w / 2, h - 3, 1, 2, RoadEdge);
}

void DrawMiniView(QPainter& p, View view, const QRect& r) {
    p.fillRect(r, view == View::None ? Empty : ViewGround);
    p.save();
    p.setClipRect(r);
    p.translate(r.topLeft());
    const int w = r.width();
    const int h = r.height();
    switch (view) {
    case View::Top:
        MiniTop(p, w, h);
        break;
    case View::Side:
        MiniSide(p, w, h);
        break;
    case View::Front:
        MiniFront(p, w, h);
        break;
    case View::SplinePoint:
        MiniSplinePoint(p, w, h);
        break;
    case View::ExpandTop:
        MiniExpandTop(p, w, h);
        break;
    case View::ExpandSide:
        MiniExpandSide(p, w, h);
        break;
    case View::Perspective:
        MiniPerspective(p, w, h);
        break;
    case View::None:
        break;
    }
    p.restore();
}

// One view in a small window frame.
void DrawViewIcon(QPainter& p, View view, int size) {
    p.fillRect(0, 0, size, size, ViewFrame);
    DrawMiniView(p, view, QRect(1, 1, size - 2, size - 2));
}

// A layout: the area right of the tool panel cut into slots as the layout cuts it, each
// slot showing the view placed there. The area is 19 x 15 inside a 1-pixel frame.
enum class Split { Quarters, TwoOverOne, TwoBesideOne };

void DrawLayoutIcon(QPainter& p, Split split, const std::array<View, 4>& placed) {
    p.fillRect(0, 1, 21, 17, ViewFrame);
    const QRect topLeft(1, 2, 9, 7), topRight(11, 2, 9, 7);
    const QRect bottomLeft(1, 10, 9, 7), bottomRight(11, 10, 9, 7);
    switch (split) {
    case Split::Quarters:
        DrawMiniView(p, placed[0], topLeft);
        DrawMiniView(p, placed[1], topRight);
        DrawMiniView(p, placed[2], bottomLeft);
        DrawMiniView(p, placed[3], bottomRight);
        break;
    case Split::TwoOverOne:
        DrawMiniView(p, placed[0], topLeft);
        DrawMiniView(p, placed[1], topRight);
        DrawMiniView(p, placed[2], QRect(1, 10, 19, 7));
        break;
    case Split::TwoBesideOne:
        DrawMiniView(p, placed[0], topLeft);
        DrawMiniView(p, placed[1], bottomLeft);
        DrawMiniView(p, placed[2], QRect(11, 2, 9, 15));
        break;
    }
}

// ---- Tool icons, each in an 18 x 18 box.

// A pencil writing a spline point.
void DrawEdit(QPainter& p) {
    const QPolygon body({QPoint(5, 10), QPoint(12, 3), QPoint(15, 6), QPoint(8, 13)});
    const QPolygon cap({QPoint(12, 3), QPoint(14, 1), QPoint(17, 4), QPoint(15, 6)});
    const QPolygon wood({QPoint(5, 10), QPoint(8, 13), QPoint(2, 16)});
    Fill(p, body, QColor(248, 200, 32));
    Fill(p, cap, QColor(232, 120, 144));
    Fill(p, wood, QColor(240, 208, 160));
    Pen(p, Outline);
    p.drawPolygon(
        QPolygon({QPoint(2, 16), QPoint(5, 10), QPoint(14, 1), QPoint(17, 4), QPoint(8, 13)}));
    p.drawLine(12, 3, 15, 6);
    p.drawLine(2, 16, 3, 15);
    p.fillRect(1, 15, 3, 3, SelectedRed);
}

// Sample positions along a curve.
void DrawSamples(QPainter& p) {
    const QPolygon curve({QPoint(1, 15), QPoint(5, 9), QPoint(9, 6), QPoint(13, 5), QPoint(16, 2)});
    Pen(p, QColor(0, 144, 0));
    p.drawPolyline(curve);
    for (const QPoint& point :
         {QPoint(3, 12), QPoint(6, 8), QPoint(9, 6), QPoint(12, 5), QPoint(15, 3)}) {
        p.fillRect(point.x() - 1, point.y() - 1, 3, 3, QColor(0, 160, 160));
        p.fillRect(point.x(), point.y(), 1, 1, Outline);
    }
    Pen(p, ArrowBlue);
    p.drawLine(14, 9, 14, 16);
    ArrowHead(p, 14, 8, 0, -1, 2, ArrowBlue);
    ArrowHead(p, 14, 17, 0, 1, 2, ArrowBlue);
}

// Both road edges pushed apart.
void DrawWidth(QPainter& p) {
    p.fillRect(6, 1, 6, 16, Asphalt);
    p.fillRect(5, 1, 1, 16, Outline);
    p.fillRect(12, 1, 1, 16, Outline);
    p.fillRect(6, 1, 1, 16, RoadEdge);
    p.fillRect(11, 1, 1, 16, RoadEdge);
    p.fillRect(2, 8, 14, 2, SelectedRed);
    ArrowHead(p, 0, 8, -1, 0, 3, SelectedRed);
    ArrowHead(p, 17, 8, 1, 0, 3, SelectedRed);
}

// A circular arrow: the course runs round and comes back to its start.
void DrawLoop(QPainter& p) {
    Pen(p, QColor(0, 144, 0), 3);
    p.drawArc(QRect(2, 3, 13, 13), 60 * 16, 290 * 16);
    ArrowHead(p, 16, 5, 1, 0, 4, QColor(0, 144, 0));
}

// Arrows to all four sides: the view slides.
void DrawCameraMove(QPainter& p) {
    Pen(p, ArrowBlue, 2);
    p.drawLine(4, 8, 13, 8);
    p.drawLine(8, 4, 8, 13);
    ArrowHead(p, 0, 8, -1, 0, 3, ArrowBlue);
    ArrowHead(p, 17, 8, 1, 0, 3, ArrowBlue);
    ArrowHead(p, 8, 0, 0, -1, 3, ArrowBlue);
    ArrowHead(p, 8, 17, 0, 1, 3, ArrowBlue);
    p.fillRect(7, 7, 3, 3, SelectedRed);
}

// A magnifier.
void DrawCameraZoom(QPainter& p) {
    Pen(p, QColor(96, 56, 24), 3);
    p.drawLine(11, 11, 15, 15);
    p.setPen(QPen(Outline, 2));
    p.setBrush(QColor(200, 232, 255));
    p.drawEllipse(QRect(1, 1, 11, 11));
    p.fillRect(4, 6, 6, 2, ArrowBlue);
    p.fillRect(6, 4, 2, 6, ArrowBlue);
}

// ---- The perspective view's draw modes: the road ahead as outlines or as a texture.

const QPolygon RoadAhead({QPoint(0, 17), QPoint(7, 4), QPoint(10, 4), QPoint(17, 17)});

void DrawWireframe(QPainter& p) {
    p.fillRect(0, 0, 18, 18, ViewGround);
    Pen(p, QColor(255, 255, 255));
    p.drawLine(0, 17, 7, 4);
    p.drawLine(17, 17, 10, 4);
    for (const int y : {4, 6, 9, 13}) {
        const int half = 1 + (y - 4) * 7 / 13;
        p.drawLine(8 - half, y, 9 + half, y);
    }
}

void DrawTexture(QPainter& p) {
    p.fillRect(0, 0, 18, 18, ViewGround);
    Fill(p, RoadAhead, Asphalt);
    Pen(p, QColor(255, 255, 255));
    p.drawLine(1, 17, 7, 5);
    p.drawLine(16, 17, 10, 5);
    p.fillRect(8, 14, 2, 4, QColor(255, 255, 255));
    p.fillRect(8, 8, 2, 3, QColor(255, 255, 255));
    p.fillRect(8, 5, 1, 1, QColor(255, 255, 255));
}

} // namespace

void DrawIcon(QPainter& p, Icon icon, const QRect& box) {
    p.save();
    p.setClipRect(box);
    p.translate(box.topLeft());
    switch (icon) {
    case Icon::Edit:
        DrawEdit(p);
        break;
    case Icon::Samples:
        DrawSamples(p);
        break;
    case Icon::Width:
        DrawWidth(p);
        break;
    case Icon::Loop:
        DrawLoop(p);
        break;
    case Icon::CameraMove:
        DrawCameraMove(p);
        break;
    case Icon::CameraZoom:
        DrawCameraZoom(p);
        break;
    case Icon::TopView:
        DrawViewIcon(p, View::Top, box.width());
        break;
    case Icon::SideView:
        DrawViewIcon(p, View::Side, box.width());
        break;
    case Icon::FrontView:
        DrawViewIcon(p, View::Front, box.width());
        break;
    case Icon::ExpandTopView:
        DrawViewIcon(p, View::ExpandTop, box.width());
        break;
    case Icon::ExpandSideView:
        DrawViewIcon(p, View::ExpandSide, box.width());
        break;
    case Icon::ShapeLayout:
        DrawLayoutIcon(p, Split::Quarters, {View::Top, View::Side, View::Front, View::SplinePoint});
        break;
    case Icon::HeightLayout:
        DrawLayoutIcon(p, Split::TwoOverOne,
                       {View::Top, View::Perspective, View::ExpandSide, View::None});
        break;
    case Icon::WidthLayout:
        DrawLayoutIcon(p, Split::TwoBesideOne,
                       {View::Top, View::Perspective, View::ExpandTop, View::None});
        break;
    case Icon::RollLayout:
        DrawLayoutIcon(p, Split::Quarters,
                       {View::Top, View::Perspective, View::SplinePoint, View::None});
        break;
    case Icon::Wireframe:
        DrawWireframe(p);
        break;
    case Icon::Texture:
        DrawTexture(p);
        break;
    }
    p.restore();
}

} // namespace ButtonArt
