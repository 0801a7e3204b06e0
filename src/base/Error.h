#pragma once

// The error log: every module's report of an internal failure goes through here.
// A report appends one Shift-JIS line to "ErrorLog.err" in the current directory;
// level 3 then ends the process, levels 0 to 2 return.
namespace Error {

// Tag and message are UTF-8 in the sources; the log holds their CP932 bytes.
void Report(const char* tag, const char* message, unsigned level);

// A level-3 report, for callers whose code must not continue.
[[noreturn]] void Fatal(const char* tag, const char* message);

// Runs after a level-3 report is logged, before the process ends with status 0. Tests
// install one so that a fatal report they did not expect fails them instead of passing.
using FatalHook = void (*)(const char* tag, const char* message);
void SetFatalHook(FatalHook hook);

} // namespace Error
