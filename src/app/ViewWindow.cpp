#include "app/ViewWindow.h"

#include "app/WinMain.h"

namespace ViewWindow {

void RefreshIf(bool changed) {
    if (changed) {
        WinMain::RefreshShownViews();
    }
}

void OnDoubleClick(platform::WindowHandle /*window*/, int /*x*/, int /*y*/) {
    if (ButtonControl::GetCurrentTool() == ButtonControl::EditTool) {
        WinMain::EditSelectedPoint();
    }
}

} // namespace ViewWindow
