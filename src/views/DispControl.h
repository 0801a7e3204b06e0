#pragma once

#include "base/VectorMath.h"
#include "platform/DrawContext.h"

class CameraControl;

// The drawing kit every two-dimensional view shares: one set of pens, brushes and
// marker bitmaps, and the operations that clear a view, draw point markers, hand out
// line pens, stamp masked bitmaps and hit-test the mouse. The colours of the whole
// program live here.
namespace DispControl {

// What a point marker shows.
enum PointFlag { PointAuto = 0, HandleEnd = 1, PointSelected = 3, PointFixed = 6, SmallDot = 8 };
// What a line is.
enum LineFlag {
    HandleLine = 1,
    CentreLine = 2,
    CrossSectionLine = 4,
    GridLine = 5,
    SelectedCentreLine = 7,
    EdgeLine = 9,
    WhiteLine = 11,
    WarningLine = 12, // marks where the course check found a fault
    CombLine = 13,    // the curvature comb
};
// Which bitmap is stamped.
enum DesignFlag { SelectDesign = 0, HandDesign = 1, CameraDesign = 10 };

void CreateDrawObjects();
void DeleteDrawObjects();

void ClearView(CameraControl& camera);
void ClearView(platform::DrawContext& surface, int width, int height);
void DrawPoint(platform::DrawContext& surface, int x, int y, int viewWidth, int viewHeight,
               int pointFlag);
const platform::Pen* GetLinePen(int lineFlag);
void DrawDesign(platform::DrawContext& surface, int x, int y, int designFlag);
bool HitPoint(int px, int py, int x, int y);

int GetHitRadius();
int GetGridSpacing();
int GetGridLineCount();

Vec3d MakeDevelopedPoint(const Vec3d& centre, double lateral, double along);
double PlaneDistance(const Vec3d& a, const Vec3d& b);
double SpaceDistance(const Vec3d& a, const Vec3d& b);

} // namespace DispControl
