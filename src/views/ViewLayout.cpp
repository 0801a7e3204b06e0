#include "views/ViewLayout.h"

#include "base/Error.h"

#include <optional>

namespace ViewLayout {
namespace {

constexpr const char* Tag = "WinMain";

// The tool panel's view buttons: top, side and front, then (after 110, which has no layout)
// expanded top and side and the four combined layouts.
constexpr int FirstViewButton = ToolPanel::TopViewButton;
constexpr int LastSingleViewButton = ToolPanel::FrontViewButton;
constexpr int FirstExpandButton = ToolPanel::ExpandTopButton;
constexpr int LastViewButton = ToolPanel::RollLayoutButton;

constexpr int Hidden = -1;

struct Layout {
    std::array<int, ViewCount> slot; // per ViewId
    SplitKind split;
};

constexpr std::array<Layout, 9> Layouts = {{
    {{0, -1, -1, -1, -1, -1, -1}, SplitWhole},      // 107 top
    {{-1, 0, -1, -1, -1, -1, -1}, SplitWhole},      // 108 side
    {{-1, -1, 0, -1, -1, -1, -1}, SplitWhole},      // 109 front
    {{-1, -1, -1, -1, 0, -1, -1}, SplitWhole},      // 111 expanded top
    {{-1, -1, -1, -1, -1, 0, -1}, SplitWhole},      // 112 expanded side
    {{0, 1, 2, 3, -1, -1, -1}, SplitQuarters},      // 113 shape
    {{0, -1, -1, -1, -1, 2, 1}, SplitTwoOverOne},   // 114 height
    {{0, -1, -1, -1, 2, -1, 1}, SplitTwoBesideOne}, // 115 width
    {{0, -1, -1, 2, -1, -1, 1}, SplitQuarters},     // 116 roll
}};

std::array<ViewOps, ViewCount> views{};
int appliedWidth = 0;
int appliedHeight = 0;

template <class... Args> void Call(void (*operation)(Args...), Args... args) {
    if (operation != nullptr) {
        operation(args...);
    }
}

// The slot the view takes in the layout; nothing when the layout hides it or the slot has
// no area.
std::optional<Slot> PlaceOf(const Layout& layout, const std::array<Slot, 4>& slots, int view) {
    const int slot = layout.slot[view];
    if (slot == Hidden || slots[slot].width <= 0 || slots[slot].height <= 0) {
        return std::nullopt;
    }
    return slots[slot];
}

} // namespace

int LayoutIndexOfButton(int viewButton) {
    if (viewButton >= FirstViewButton && viewButton <= LastSingleViewButton) {
        return viewButton - FirstViewButton;
    }
    if (viewButton >= FirstExpandButton && viewButton <= LastViewButton) {
        return viewButton - FirstExpandButton + (LastSingleViewButton - FirstViewButton + 1);
    }
    Error::Fatal(Tag, "ありえないビューボタングループリメ[スIDを検出");
}

std::array<Slot, 4> SplitSlots(int splitKind, int clientWidth, int clientHeight) {
    const int p = ToolPanel::Width;
    const int w = clientWidth - p;
    const int hw = w / 2; // integer division truncates toward zero, as the layout intends
    const int hh = clientHeight / 2;
    switch (splitKind) {
    case SplitWhole:
        return {{{p, 0, w, clientHeight}, {}, {}, {}}};
    case SplitQuarters:
        return {{{p, 0, hw, hh}, {p + hw, 0, hw, hh}, {p, hh, hw, hh}, {p + hw, hh, hw, hh}}};
    case SplitTwoOverOne:
        return {{{p, 0, hw, hh}, {p + hw, 0, hw, hh}, {p, hh, w, hh}, {}}};
    case SplitTwoBesideOne:
        return {{{p, 0, hw, hh}, {p, hh, hw, hh}, {p + hw, 0, hw, clientHeight}, {}}};
    default:
        Error::Fatal(Tag, "ウィンドウ分割フラグにありえない値を検出");
    }
}

void RegisterView(ViewId id, const ViewOps& ops) {
    if (id < 0 || id >= ViewCount) {
        Error::Fatal(Tag, "ウィンドウIDにありえない値を検出");
    }
    views[id] = ops;
}

void ClearViews() {
    views = {};
    appliedWidth = 0;
    appliedHeight = 0;
}

void ApplyLayout(int viewButton, int clientWidth, int clientHeight) {
    const Layout& layout = Layouts[LayoutIndexOfButton(viewButton)];
    const std::array<Slot, 4> slots = SplitSlots(layout.split, clientWidth, clientHeight);
    appliedWidth = clientWidth;
    appliedHeight = clientHeight;
    for (int view = 0; view < ViewCount; ++view) {
        const ViewOps& ops = views[view];
        if (const auto place = PlaceOf(layout, slots, view)) {
            Call(ops.place, place->x, place->y, place->width, place->height);
            Call(ops.show);
        } else {
            Call(ops.hide);
        }
    }
}

void RefreshShownViews(int viewButton) {
    const Layout& layout = Layouts[LayoutIndexOfButton(viewButton)];
    const std::array<Slot, 4> slots = SplitSlots(layout.split, appliedWidth, appliedHeight);
    for (int view = 0; view < ViewCount; ++view) {
        if (PlaceOf(layout, slots, view)) {
            Call(views[view].refresh);
        }
    }
}

} // namespace ViewLayout
