#include "app/TorcsTestDrive.h"

#include "app/WinMain.h"
#include "base/NumberText.h"
#include "exchange/TestDrive.h"
#include "platform/Dialogs.h"
#include "platform/Windows.h"

#include <atomic>
#include <cmath>
#include <future>
#include <memory>

namespace TorcsTestDrive {

namespace {

constexpr const char* Title = "TORCSで試走";
constexpr int PollMilliseconds = 100;
// The designer's drive: the default robot, laps and scale.
const TestDrive::Options DriveOptions;

// What the worker thread tells the main thread, and back.
struct Drive {
    explicit Drive(const TestDrive::Options& options) : session(options) {}
    TestDrive::Session session;
    std::atomic<bool> cancel{false};
    std::atomic<TestDrive::Step> step{TestDrive::Step::BuildingTrack};
    std::atomic<double> done{0.0};
    std::future<TestDrive::Result> result;
    std::unique_ptr<platform::ProgressBox> box;
};

std::unique_ptr<Drive> drive;

std::string Seconds(double seconds) {
    return DecimalText(seconds, 2) + " 秒";
}

std::string LapLines(const TestDrive::Report& report) {
    std::string lines;
    for (size_t i = 0; i < report.lapTimes.size(); ++i) {
        lines += std::to_string(i + 1) + "周目: " + Seconds(report.lapTimes[i]) + "\n";
    }
    return lines;
}

std::string ReportText(const TestDrive::Report& report) {
    std::string text = LapLines(report);
    if (report.bestLap) {
        text += "ベストラップ: " + Seconds(*report.bestLap) + "\n";
    }
    if (report.topSpeed) {
        text += "最高速度: " + DecimalText(*report.topSpeed, 0) + " km/h\n";
    }
    return text + "コースの長さ: " + DecimalText(report.track.length, 0) + " m";
}

std::string ResultText(const TestDrive::Result& result) {
    const std::string laps = DriveOptions.driver + "、" + std::to_string(DriveOptions.laps) + "周";
    switch (result.outcome) {
    case TestDrive::Outcome::Completed:
        return "TORCSで試走しました(" + laps + ")。\n\n" + ReportText(result.report);
    case TestDrive::Outcome::NotFinished:
        return "ロボットは" + std::to_string(DriveOptions.laps) + "周を走り切れませんでした。\n" +
               result.failure + "\n\n" + ReportText(result.report);
    case TestDrive::Outcome::NotInstalled:
        return "TORCSがインストールされていません。次のコマンドでインストールしてください:\n"
               "sudo apt-get install torcs";
    default:
        return "TORCSで試走できませんでした:\n" + result.failure;
    }
}

void ShowResult(const TestDrive::Result& result) {
    if (result.outcome != TestDrive::Outcome::Cancelled) {
        platform::MessageBox(WinMain::GetMainWindow(), ResultText(result), Title,
                             platform::MessageBoxButtons::Ok);
    }
}

std::string ProgressText() {
    if (drive->step == TestDrive::Step::BuildingTrack) {
        return "TORCSがトラックを作成しています...";
    }
    const int laps = DriveOptions.laps;
    const int lap = std::min(static_cast<int>(std::floor(drive->done * laps)) + 1, laps);
    return "ロボットが走行しています... " + std::to_string(lap) + "/" + std::to_string(laps) + "周";
}

void Finish() {
    const TestDrive::Result result = drive->result.get();
    drive.reset();
    platform::EnableMenuItem(WinMain::GetMainWindow(), WinMain::TestDriveCommand, true);
    ShowResult(result);
}

} // namespace

void Start() {
    if (drive) {
        return;
    }
    drive = std::make_unique<Drive>(DriveOptions);
    if (const std::optional<TestDrive::Result> refusal = drive->session.Refusal()) {
        drive.reset();
        ShowResult(*refusal);
        return;
    }
    const platform::WindowHandle window = WinMain::GetMainWindow();
    drive->box = std::make_unique<platform::ProgressBox>(window, Title);
    drive->box->Show(ProgressText(), 0.0);
    Drive* run = drive.get();
    drive->result = std::async(std::launch::async, [run] {
        return run->session.Drive([run](TestDrive::Step step, double done) {
            run->step = step;
            run->done = done;
            return !run->cancel;
        });
    });
    platform::EnableMenuItem(window, WinMain::TestDriveCommand, false);
    platform::SetTimer(window, TimerId, PollMilliseconds);
}

void Poll() {
    if (!drive) {
        return;
    }
    if (drive->box->Cancelled()) {
        drive->cancel = true;
    }
    if (drive->result.wait_for(std::chrono::seconds(0)) == std::future_status::ready) {
        Finish();
        return;
    }
    drive->box->Show(ProgressText(),
                     drive->step == TestDrive::Step::Racing ? drive->done.load() : 0.0);
    platform::SetTimer(WinMain::GetMainWindow(), TimerId, PollMilliseconds);
}

void Stop() {
    if (drive) {
        drive->cancel = true;
        drive->result.wait();
        drive.reset();
    }
}

} // namespace TorcsTestDrive
