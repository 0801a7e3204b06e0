#include "app/EditHistory.h"

#include "app/WinMain.h"
#include "model/CourseHistory.h"

namespace EditHistory {
namespace {

CourseHistory history;

void Walked() {
    WinMain::RefreshShownViews();
    WinMain::ShowEditState();
}

} // namespace

void Reset(bool fileHoldsIt) {
    history.Reset(fileHoldsIt);
    WinMain::ShowEditState();
}

// Even a gesture that records no step may have set the changed mark.
void Commit() {
    (void)history.Commit();
    WinMain::ShowEditState();
}

void Undo() {
    history.Undo();
    Walked();
}

void Redo() {
    history.Redo();
    Walked();
}

void MarkSaved() {
    history.MarkSaved();
    WinMain::ShowEditState();
}

bool CanUndo() {
    return history.CanUndo();
}

bool CanRedo() {
    return history.CanRedo();
}

} // namespace EditHistory
