#pragma once

#include <optional>
#include <string>

// The designer's recovery copy in its start directory: written a moment after the course
// changes while it has unsaved changes (never on every mouse move), removed once it has
// none and at a clean end; at start-up a copy that a designer left by ending any other way
// is offered back.
namespace RecoveryCopy {

// Offers back the newest copy left in the start directory, then begins this designer's
// own. When the user takes it, the course is the copy's, changed, and the result names
// the file it came from (empty for a course never saved).
std::optional<std::string> Start(const std::string& startDirectory);
// After any change of the course or of its changed mark: the copy follows soon.
void Schedule();
// When that moment has come: writes or removes the copy for the course as it is now, or,
// while a mouse button is held, asks again for a moment later.
void Update(const std::string& courseFile);
void Remove();
// A clean end: the copy and its lock go.
void End();

} // namespace RecoveryCopy
