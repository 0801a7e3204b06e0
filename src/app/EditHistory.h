#pragma once

// The designer's one edit history. Every gesture in a view and every command that may
// change the course ends with a commit; a commit that finds the course as it was records
// nothing, so a selection, a camera move or a click on empty ground is no step. Undo and
// redo redraw the views, and the Edit menu follows what can be undone and redone.
namespace EditHistory {

// Starts over at the course as it is: at start-up and after New and Open, when its file
// holds it, or after a recovery copy was brought back, when none does.
void Reset(bool fileHoldsIt);
void Commit();
void Undo();
void Redo();
// After a successful save: the course as it is now is what its file holds.
void MarkSaved();
bool CanUndo();
bool CanRedo();

} // namespace EditHistory
