#pragma once

// A fatal report ends the process with status 0, which CTest would count as a passed
// test. Installed by every test executable's main, this makes such a report fail the
// executable instead, naming the test and the report. The child process of a death test,
// which is meant to end that way, keeps the status 0.
void FailOnUnexpectedFatal();
