#include "base/Error.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iconv.h>
#include <string>

namespace Error {
namespace {

constexpr const char* LogFileName = "ErrorLog.err";
constexpr const char* ClassLabel = "エラー発生クラス：";
constexpr const char* MessageLabel = "\t\t\tメッセージ：";
constexpr unsigned FatalLevel = 3;

bool logStarted = false;
FatalHook fatalHook = nullptr;

// Converts UTF-8 to CP932; text that does not convert is kept byte for byte,
// so a caller that already holds Shift-JIS bytes is written unchanged.
std::string ToShiftJis(const char* text) {
    std::string utf8(text);
    iconv_t cd = iconv_open("CP932", "UTF-8");
    // iconv_open reports failure as (iconv_t)-1.
    if (cd == reinterpret_cast<iconv_t>(-1)) { // NOLINT(performance-no-int-to-ptr)
        return utf8;
    }
    std::string out(utf8.size() * 2 + 1, '\0');
    char* in = utf8.data();
    size_t inLeft = utf8.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    const size_t converted = iconv(cd, &in, &inLeft, &dst, &outLeft);
    iconv_close(cd);
    if (converted == static_cast<size_t>(-1)) {
        return utf8;
    }
    out.resize(out.size() - outLeft);
    return out;
}

void WriteLine(const char* tag, const char* message) {
    std::FILE* file = std::fopen(LogFileName, logStarted ? "a+" : "w");
    if (file != nullptr) {
        // Built as one string so a full disk cannot leave half a line behind a later report.
        const std::string line = ToShiftJis(ClassLabel) + ToShiftJis(tag) +
                                 ToShiftJis(MessageLabel) + ToShiftJis(message) + "\r\n";
        (void)std::fwrite(line.data(), 1, line.size(), file);
        (void)std::fclose(file);
    }
    logStarted = true;
}

// A fatal report means the program's state can no longer be trusted: the process ends at
// once with status 0, without running destructors over that state.
[[noreturn]] void EndProcess(const char* tag, const char* message) {
    if (fatalHook != nullptr) {
        fatalHook(tag, message);
    }
    (void)std::fflush(nullptr);
    std::_Exit(0);
}

} // namespace

void Report(const char* tag, const char* message, unsigned level) {
    WriteLine(tag, message);
    if (level == FatalLevel) {
        EndProcess(tag, message);
    }
    if (level > FatalLevel) {
        Report("Error1", "設定されていないレベルで設定しようとしました", 1);
    }
}

void Fatal(const char* tag, const char* message) {
    WriteLine(tag, message);
    EndProcess(tag, message);
}

void SetFatalHook(FatalHook hook) {
    fatalHook = hook;
}

} // namespace Error
