#pragma once

// The designer's test drive in TORCS. The course is handed over at once; TORCS then runs on
// a worker thread while a progress box shows how far it has come and lets the user cancel,
// and the designer stays in use. When the drive ends, a box shows the lap times.
namespace TorcsTestDrive {

// The main window's timer that follows the drive.
constexpr int TimerId = 2;

// Starts a drive of the current course; one at a time.
void Start();
// The timer's tick: shows the progress, passes on a cancel and, once the drive has ended,
// its result.
void Poll();
// Cancels a drive under way and waits for TORCS to stop, for a designer that closes.
void Stop();

} // namespace TorcsTestDrive
