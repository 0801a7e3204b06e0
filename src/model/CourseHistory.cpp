#include "model/CourseHistory.h"

#include "model/CourseData.h"

namespace {

// Keeps the driver's camera where it is now when that place lies on the image's course.
void KeepCamera(CourseFile::Image& image) {
    int32_t segment = 0;
    double t = 0.0;
    const auto points = static_cast<int32_t>(image.points.size());
    if (CourseData::GetCameraPosition(segment, t) == 0 &&
        segment < CourseFile::SegmentNum(points, image.header.loop)) {
        image.header.cameraSegment = segment;
        image.header.cameraT = t;
    }
}

} // namespace

void CourseHistory::Reset(bool fileHoldsIt) {
    steps.clear();
    steps.push_back(CourseData::TakeImage());
    current = 0;
    saved = fileHoldsIt ? std::optional<std::size_t>(0) : std::nullopt;
}

bool CourseHistory::Commit() {
    CourseFile::Image now = CourseData::TakeImage();
    if (!steps.empty() && CourseFile::SameCourse(now, steps[current])) {
        steps[current].header = now.header;
        return false;
    }
    if (!steps.empty()) {
        steps.erase(steps.begin() + static_cast<std::ptrdiff_t>(current) + 1, steps.end());
        if (saved && *saved > current) {
            saved.reset();
        }
    }
    steps.push_back(std::move(now));
    current = steps.size() - 1;
    if (steps.size() > MaxSteps) {
        DropOldestStep();
    }
    return true;
}

bool CourseHistory::CanUndo() const {
    return current > 0;
}

bool CourseHistory::CanRedo() const {
    return current + 1 < steps.size();
}

void CourseHistory::Undo() {
    if (CanUndo()) {
        Restore(current - 1);
    }
}

void CourseHistory::Redo() {
    if (CanRedo()) {
        Restore(current + 1);
    }
}

void CourseHistory::MarkSaved() {
    if (!steps.empty()) {
        saved = current;
    }
}

void CourseHistory::Restore(std::size_t step) {
    CourseFile::Image image = steps[step];
    KeepCamera(image);
    CourseData::ApplyImage(image, saved == step ? 0 : 1);
    current = step;
}

void CourseHistory::DropOldestStep() {
    steps.pop_front();
    --current;
    if (saved) {
        saved = *saved > 0 ? std::optional<std::size_t>(*saved - 1) : std::nullopt;
    }
}
