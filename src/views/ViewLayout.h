#pragma once

#include "views/ToolPanel.h"

#include <array>

// The seven view windows, in the order the layout table lists them.
enum ViewId {
    TopView,
    SideView,
    FrontView,
    SplinePointView,
    ExpandTopView,
    ExpandSideView,
    PerspectiveView,
    ViewCount
};

// The ways of cutting the area right of the tool panel into slots.
enum SplitKind { SplitWhole, SplitQuarters, SplitTwoOverOne, SplitTwoBesideOne };

// A rectangle in main-window client pixels.
struct Slot {
    int x, y, width, height;
};

// What the layout needs of a view. A view joins the layout by registering these; a view
// that has not registered, and an operation left null, is skipped.
struct ViewOps {
    void (*place)(int x, int y, int w, int h);
    void (*show)();
    void (*hide)();
    void (*refresh)();
};

// Which views the main window shows and where: a constant table of nine layouts, one per
// view button of the tool panel, each giving every view a slot (or none) and a split kind.
namespace ViewLayout {

// 107 to 109 give layouts 0 to 2, 111 to 116 layouts 3 to 8; any other button is reported.
int LayoutIndexOfButton(int viewButton);

// The slots of the split kind for a client area; slots the kind does not use are empty.
// Halves truncate toward zero, so with odd sizes the last column or row stays uncovered.
std::array<Slot, 4> SplitSlots(int splitKind, int clientWidth, int clientHeight);

void RegisterView(ViewId id, const ViewOps& ops);
// Forgets every registered view and the last client size.
void ClearViews();

// Places and shows each view of the button's layout, in ViewId order, and hides the others.
// A slot without area (a client area narrower than the panel, or too small to halve) hides
// its view too, so no view is ever given a zero or negative size.
void ApplyLayout(int viewButton, int clientWidth, int clientHeight);

// Has every view that the button's layout shows at the last applied client size repaint,
// in ViewId order.
void RefreshShownViews(int viewButton);

} // namespace ViewLayout
