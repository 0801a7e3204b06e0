#include "support/ErrorLogCheck.h"

#include "support/TempDir.h"

#include <cstdio>
#include <iconv.h>

std::string ExpectedLogLine(const std::string& tag, const std::string& message) {
    return "エラー発生クラス：" + tag + "\t\t\tメッセージ：" + message + "\r\n";
}

std::string ReadErrorLog() {
    std::string cp932 = ReadText("ErrorLog.err");
    iconv_t cd = iconv_open("UTF-8", "CP932");
    std::string out(cp932.size() * 2, '\0');
    char* in = cp932.data();
    size_t inLeft = cp932.size();
    char* dst = out.data();
    size_t outLeft = out.size();
    const bool ok = iconv(cd, &in, &inLeft, &dst, &outLeft) != static_cast<size_t>(-1);
    iconv_close(cd);
    out.resize(out.size() - outLeft);
    return ok ? out : "(not CP932) " + cp932;
}

void RemoveErrorLog() {
    (void)std::remove("ErrorLog.err");
}

void ExpectReports(std::span<const ReportCase> cases) {
    for (const ReportCase& c : cases) {
        SCOPED_TRACE(c.message);
        EXPECT_REPORT(c.statement(), c.tag, c.message);
    }
}
