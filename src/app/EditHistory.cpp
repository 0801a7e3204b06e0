#include "app/EditHistory.h"

#include "app/WinMain.h"
#include "model/CourseHistory.h"

namespace EditHistory {
namespace {

CourseHistory history;

void Walked() {
    WinMain::RefreshShownViews();
    WinMain::UpdateEditMenu();
}

} // namespace

void Reset() {
    history.Reset();
    WinMain::UpdateEditMenu();
}

void Commit() {
    if (history.Commit()) {
        WinMain::UpdateEditMenu();
    }
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
}

bool CanUndo() {
    return history.CanUndo();
}

bool CanRedo() {
    return history.CanRedo();
}

} // namespace EditHistory
