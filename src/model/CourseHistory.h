#pragma once

#include "model/CourseFile.h"

#include <cstddef>
#include <deque>
#include <optional>

// The edit history of the process's course: the whole course after each completed edit,
// so that edits can be undone and redone. The designer commits once a gesture or command
// has ended; a commit that finds the course as it was, apart from its editing state
// (selection, side, driver's camera place), records nothing. The course's changed mark
// follows the history: back at the step last opened or saved it is cleared, at any other
// step it is set.
class CourseHistory {
public:
    // Beyond this many steps the oldest is dropped. A step is one course of at most 256
    // points, about 39 kB, so a full history stays under 64 MiB.
    static constexpr std::size_t MaxSteps = 1000;

    // Starts over at the course as it is now: after a new course or an opened one, which
    // its file holds, or a course brought back from a recovery copy, which no file holds.
    void Reset(bool fileHoldsIt);
    // Records the course as the next step when it differs from the current one, dropping
    // any steps that were undone. True when a step was recorded.
    bool Commit();
    [[nodiscard]] bool CanUndo() const;
    [[nodiscard]] bool CanRedo() const;
    // Each puts the course back as it was at the previous or next step. The driver's
    // camera stays where it is when it still lies on that course.
    void Undo();
    void Redo();
    // The course as it is now is what its file holds: after a successful save.
    void MarkSaved();

    [[nodiscard]] std::size_t GetStepNum() const { return steps.size(); }

private:
    void Restore(std::size_t step);
    void DropOldestStep();

    std::deque<CourseFile::Image> steps;
    std::size_t current = 0;
    // The step the course file holds, while it is still in the history.
    std::optional<std::size_t> saved;
};
