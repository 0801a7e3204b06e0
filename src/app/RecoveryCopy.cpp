#include "app/RecoveryCopy.h"

#include "app/WinMain.h"
#include "model/CourseData.h"
#include "model/RecoveryFile.h"
#include "platform/Dialogs.h"
#include "platform/Windows.h"

#include <memory>

namespace RecoveryCopy {
namespace {

constexpr int TimerId = 1;
// How long after a change the copy is written at most.
constexpr int DelayMilliseconds = 2000;

std::unique_ptr<RecoveryFile> own;

// Asks whether to bring the copy back; a copy that is not a whole course is set aside
// and reported instead, never loaded in part.
std::optional<std::string> Offer(const std::filesystem::path& copy) {
    const std::optional<RecoveryFile::Content> content = RecoveryFile::Read(copy);
    const platform::WindowHandle window = WinMain::GetMainWindow();
    if (!content) {
        const std::string text =
            "復元用のコピーが壊れているため読み込みません。次の名前で残しました:\n" +
            RecoveryFile::SetAside(copy).string();
        platform::MessageBox(window, text, "Error", platform::MessageBoxButtons::Ok);
        return std::nullopt;
    }
    const int answer =
        platform::MessageBox(window, "前回の作業は保存されずに終了しました。復元しますか?",
                             "Message", platform::MessageBoxButtons::YesNo);
    if (answer != platform::AnswerYes) {
        RecoveryFile::Discard(copy);
        return std::nullopt;
    }
    CourseData::ApplyImage(content->course, 1);
    // The work is in this designer's own copy before the old one goes.
    if (own->Write(content->courseFile)) {
        RecoveryFile::Discard(copy);
    }
    return content->courseFile;
}

} // namespace

std::optional<std::string> Start(const std::string& startDirectory) {
    own = std::make_unique<RecoveryFile>(startDirectory);
    const auto left = RecoveryFile::FindLeft(startDirectory);
    if (left.empty()) {
        return std::nullopt;
    }
    return Offer(left.front());
}

void Schedule() {
    platform::SetTimer(WinMain::GetMainWindow(), TimerId, DelayMilliseconds);
}

void Update(const std::string& courseFile) {
    if (own == nullptr) {
        return;
    }
    // A write waits for the mouse to be let go, so that no drag stalls on the disk.
    if (platform::GetCapture() != 0) {
        Schedule();
        return;
    }
    if (CourseData::IsChanged() != 0) {
        (void)own->Write(courseFile);
    } else {
        own->Remove();
    }
}

void Remove() {
    if (own != nullptr) {
        own->Remove();
    }
}

void End() {
    if (own != nullptr) {
        own->EndCleanly();
        own.reset();
    }
}

} // namespace RecoveryCopy
