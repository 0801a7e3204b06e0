#include "app/ViewWindow.h"

#include "app/WinMain.h"

namespace ViewWindow {

void RefreshIf(bool changed) {
    if (changed) {
        WinMain::RefreshShownViews();
    }
}

} // namespace ViewWindow
