#include "model/CourseData.h"

#include "base/Error.h"
#include "model/CourseFile.h"
#include "model/StraightDataBase.h"
#include "model/UnitSpline.h"
#include "platform/OpenRegularFile.h"
#include "platform/SaveFile.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace CourseData {
namespace {

constexpr const char* Tag = "CourseData1";

enum SplineId { SplineX, SplineY, SplineZ, SplineRoll, SplineWidth1, SplineWidth2, SplineNum };

struct Stores {
    std::array<UnitSpline, SplineNum> splines;
    StraightDataBase sampleNums{sizeof(int32_t)};
};

struct CourseState {
    int32_t selectedPoint = -1;
    int32_t handleState = HandlePoint;
    int32_t side = 0;
    int32_t loop = 0;
    double widthScale = 1.0;
    int32_t cameraSegment = -1;
    double cameraT = 0.0;
    int32_t changed = 0;
};

Stores stores;
CourseState state;
int32_t initialized = 0;
LoopStateHook loopStateHook = nullptr;

UnitSpline& Spline(SplineId id) {
    return stores.splines[id];
}

int32_t PropertyOf(int32_t fixedFlag) {
    return fixedFlag != 0 ? UnitSpline::PointFixed : UnitSpline::PointAuto;
}

int32_t FixedFlagOf(int32_t property) {
    return property == UnitSpline::PointFixed ? 1 : 0;
}

void TellLoopState(int32_t loop) {
    if (loopStateHook != nullptr) {
        loopStateHook(loop);
    }
}

void SetValue(SplineId id, int index, double value) {
    double old = 0.0;
    double tangent = 0.0;
    const int32_t property = Spline(id).GetPoint(index, old, tangent);
    Spline(id).SetPoint(value, tangent, property, index);
}

void SetTangentOf(SplineId id, int index, double tangent, int32_t fixedFlag) {
    double value = 0.0;
    double old = 0.0;
    Spline(id).GetPoint(index, value, old);
    Spline(id).SetPoint(value, tangent, PropertyOf(fixedFlag), index);
}

void SetFixedOf(SplineId id, int index, int32_t fixedFlag) {
    double value = 0.0;
    double tangent = 0.0;
    Spline(id).GetPoint(index, value, tangent);
    Spline(id).SetPoint(value, tangent, PropertyOf(fixedFlag), index);
}

double ValueOf(SplineId id, int index) {
    double value = 0.0;
    double tangent = 0.0;
    Spline(id).GetPoint(index, value, tangent);
    return value;
}

int32_t TangentOf(SplineId id, int index, double& tangent) {
    double value = 0.0;
    return Spline(id).GetPoint(index, value, tangent);
}

double Evaluate(SplineId id, int segment, double t) {
    double value = 0.0;
    Spline(id).Evaluate(segment, t, value);
    return value;
}

void InsertPointAt(int index, double x, double y, double z) {
    const std::array<double, SplineNum> values{x, y, z, 0.0, DefaultWidth, DefaultWidth};
    for (int id = 0; id < SplineNum; ++id) {
        stores.splines[id].InsertPoint(values[id], 0.0, UnitSpline::PointAuto, index);
    }
    const int32_t samples = DefaultSampleNum;
    stores.sampleNums.InsertData(&samples, index);
}

void SetShapes(int32_t shape) {
    for (UnitSpline& s : stores.splines) {
        s.SetShape(shape);
    }
}

// The camera segment that survives deleting `index` from a course of n points.
int32_t CameraSegmentAfterDelete(int index, int n) {
    const int32_t c = state.cameraSegment;
    const bool loop = state.loop == 1;
    if (n <= 2) {
        return -1;
    }
    if (index == 0 && c == 0) {
        return loop ? n - 2 : 0;
    }
    if (!loop && index == n - 1 && c == n - 2) {
        return n - 3;
    }
    if (index <= c) {
        return c - 1;
    }
    return c;
}

void ResetCourse() {
    stores = Stores{};
    state = CourseState{};
}

// Course files are small; anything past the largest possible course is never needed.
std::vector<unsigned char> ReadCourseBytes(std::FILE* file) {
    std::vector<unsigned char> bytes(CourseFile::MaxFileSize());
    const size_t got = std::fread(bytes.data(), 1, bytes.size(), file);
    bytes.resize(got);
    return bytes;
}

} // namespace

void Initialize() {
    if (initialized != 0) {
        Error::Fatal(Tag, "初期化を２度使用とした");
    }
    ResetCourse();
    initialized = 1;
}

void Destruct() {
    if (initialized == 0) {
        Error::Fatal(Tag, "初期化していないのにデストラクトしようとした");
    }
    ResetCourse();
    initialized = 0;
}

void NewCourse() {
    ResetCourse();
    TellLoopState(0);
}

void ConnectLoopStateHook(LoopStateHook hook) {
    loopStateHook = hook;
}

int GetPointNum() {
    return stores.sampleNums.GetDataNum();
}

int GetSegmentNum() {
    return CourseFile::SegmentNum(GetPointNum(), state.loop);
}

int AddPoint(double x, double y, double z) {
    const int n = GetPointNum();
    if (n >= MaxPoints) {
        return -1;
    }
    state.changed = 1;
    if (n >= 2 && state.selectedPoint == -1) {
        return -1;
    }
    const int index = n < 2 ? n : state.selectedPoint + 1;
    InsertPointAt(index, x, y, z);
    if (n == 1) {
        state.cameraSegment = 0;
    }
    state.selectedPoint = index;
    return index;
}

void DeletePoint(int index) {
    state.changed = 1;
    state.cameraSegment = CameraSegmentAfterDelete(index, GetPointNum());
    for (UnitSpline& s : stores.splines) {
        s.DeletePoint(index);
    }
    stores.sampleNums.DeleteData(index);
    if (index == state.selectedPoint) {
        state.selectedPoint = -1;
    } else if (index < state.selectedPoint) {
        --state.selectedPoint;
    }
}

void SetLoop(int32_t flag) {
    state.changed = 1;
    if (flag == 0) {
        state.loop = 0;
        if (state.cameraSegment != -1 && state.cameraSegment == GetPointNum() - 1) {
            state.cameraSegment = 0;
        }
        SetShapes(UnitSpline::ShapeOpen);
    } else {
        state.loop = 1;
        SetShapes(UnitSpline::ShapeLoop);
    }
}

int32_t IsLoop() {
    return state.loop == 1 ? 1 : 0;
}

// A delta that is not a finite number would leave a scale no course file can hold.
void ChangeWidthScale(double delta) {
    state.changed = 1;
    const double scale = state.widthScale + delta;
    if (!std::isfinite(scale)) {
        return;
    }
    state.widthScale = std::clamp(scale, MinWidthScale, MaxMagnitude);
}

double GetWidthScale() {
    return state.widthScale;
}

int32_t IsChanged() {
    return state.changed;
}

int Save(const char* fileName, std::string* failure) {
    const std::vector<unsigned char> bytes = SaveToBytes();
    std::string why;
    if (!SaveWholeFile(fileName, bytes.data(), bytes.size(), why)) {
        if (failure != nullptr) {
            *failure = why;
        }
        return 1;
    }
    state.changed = 0;
    return 0;
}

CourseFile::Image TakeImage() {
    CourseFile::Image image{};
    image.header = {state.selectedPoint, state.handleState,   state.side,   state.loop,
                    state.widthScale,    state.cameraSegment, state.cameraT};
    image.points.resize(static_cast<size_t>(GetPointNum()));
    for (int i = 0; i < GetPointNum(); ++i) {
        CourseFile::PointRecord& p = image.points[i];
        for (int id = 0; id < SplineNum; ++id) {
            CourseFile::QuantityBlock& q = p.quantities[id];
            q.property = stores.splines[id].GetPoint(i, q.value, q.tangent);
        }
        stores.sampleNums.GetData(&p.sampleNum, i);
    }
    return image;
}

void ApplyImage(const CourseFile::Image& image, int32_t changed) {
    NewCourse();
    const CourseFile::Header& h = image.header;
    state.selectedPoint = h.selectedPoint;
    state.handleState = h.handleState;
    state.side = h.side;
    state.loop = h.loop;
    state.widthScale = h.widthScale;
    state.cameraSegment = h.cameraSegment;
    state.cameraT = h.cameraT;
    const int32_t loop = h.loop != 0 ? 1 : 0;
    TellLoopState(loop);
    SetLoop(loop);
    // Each spline takes all its points at once and solves once; adding them one by one
    // would solve every spline again for every point.
    std::vector<SplinePoint> column(image.points.size());
    for (int id = 0; id < SplineNum; ++id) {
        for (size_t i = 0; i < column.size(); ++i) {
            const CourseFile::QuantityBlock& q = image.points[i].quantities[id];
            column[i] = {q.value, q.tangent, q.property};
        }
        stores.splines[id].SetPoints(column);
    }
    for (const CourseFile::PointRecord& p : image.points) {
        stores.sampleNums.AddData(&p.sampleNum);
    }
    state.changed = changed;
}

std::vector<unsigned char> SaveToBytes() {
    return CourseFile::Encode(TakeImage());
}

int Load(const char* fileName) {
    std::FILE* file = OpenRegularFile(fileName);
    if (file == nullptr) {
        return 1;
    }
    const std::vector<unsigned char> bytes = ReadCourseBytes(file);
    const bool readFailed = std::ferror(file) != 0;
    (void)std::fclose(file);
    if (readFailed) {
        return 1;
    }
    return LoadFromBytes(bytes);
}

int LoadFromBytes(std::span<const unsigned char> bytes) {
    const std::optional<CourseFile::Image> image = CourseFile::Decode(bytes);
    if (!image) {
        return 1;
    }
    ApplyImage(*image, 0);
    return 0;
}

void SetHandle(int32_t index, int32_t handleState) {
    if (handleState < HandlePoint || handleState > HandleBackward) {
        Error::Fatal(Tag, "ハンドルにありえない状態を設定");
    }
    state.selectedPoint = index;
    state.handleState = handleState;
}

void GetHandle(int32_t& index, int32_t& handleState) {
    index = state.selectedPoint;
    handleState = state.handleState;
}

void SetSide(int32_t side) {
    if (side != 0 && side != 1) {
        Error::Fatal(Tag, "ありえないサイドを検出");
    }
    state.side = side;
}

int32_t GetSide() {
    return state.side;
}

void GetPosition(int index, double& x, double& y, double& z) {
    x = ValueOf(SplineX, index);
    y = ValueOf(SplineY, index);
    z = ValueOf(SplineZ, index);
}

void SetPosition(int index, double x, double y, double z) {
    state.changed = 1;
    SetValue(SplineX, index, x);
    SetValue(SplineY, index, y);
    SetValue(SplineZ, index, z);
}

void GetTangent(int index, double& tx, double& ty, double& tz, int32_t& fx, int32_t& fy,
                int32_t& fz) {
    fx = FixedFlagOf(TangentOf(SplineX, index, tx));
    fy = FixedFlagOf(TangentOf(SplineY, index, ty));
    fz = FixedFlagOf(TangentOf(SplineZ, index, tz));
}

void SetTangent(int index, double tx, double ty, double tz, int32_t fx, int32_t fy, int32_t fz) {
    state.changed = 1;
    SetTangentOf(SplineX, index, tx, fx);
    SetTangentOf(SplineY, index, ty, fy);
    SetTangentOf(SplineZ, index, tz, fz);
}

void GetTangentFixed(int index, int32_t& fx, int32_t& fy, int32_t& fz) {
    double tx = 0.0;
    double ty = 0.0;
    double tz = 0.0;
    GetTangent(index, tx, ty, tz, fx, fy, fz);
}

void SetTangentFixed(int index, int32_t fx, int32_t fy, int32_t fz) {
    state.changed = 1;
    SetFixedOf(SplineX, index, fx);
    SetFixedOf(SplineY, index, fy);
    SetFixedOf(SplineZ, index, fz);
}

int32_t GetRoll(int index, double& roll) {
    double tangent = 0.0;
    return Spline(SplineRoll).GetPoint(index, roll, tangent);
}

void SetRoll(int index, double roll) {
    state.changed = 1;
    SetValue(SplineRoll, index, roll);
}

int32_t GetRollTangent(int index, double& tangent) {
    return FixedFlagOf(TangentOf(SplineRoll, index, tangent));
}

void SetRollTangent(int index, double tangent, int32_t fixed) {
    state.changed = 1;
    SetTangentOf(SplineRoll, index, tangent, fixed);
}

void GetWidth(int index, double& first, double& second) {
    first = ValueOf(SplineWidth1, index) * state.widthScale;
    second = ValueOf(SplineWidth2, index) * state.widthScale;
}

void SetWidth(int index, double first, double second) {
    state.changed = 1;
    SetValue(SplineWidth1, index, first / state.widthScale);
    SetValue(SplineWidth2, index, second / state.widthScale);
}

void GetWidthTangent(int index, double& firstTangent, double& secondTangent, int32_t& fixed1,
                     int32_t& fixed2) {
    fixed1 = FixedFlagOf(TangentOf(SplineWidth1, index, firstTangent));
    fixed2 = FixedFlagOf(TangentOf(SplineWidth2, index, secondTangent));
}

void SetWidthTangent(int index, double firstTangent, double secondTangent, int32_t fixed1,
                     int32_t fixed2) {
    state.changed = 1;
    SetTangentOf(SplineWidth1, index, firstTangent, fixed1);
    SetTangentOf(SplineWidth2, index, secondTangent, fixed2);
}

void GetWidthTangentFixed(int index, int32_t& fixed1, int32_t& fixed2) {
    double firstTangent = 0.0;
    double secondTangent = 0.0;
    GetWidthTangent(index, firstTangent, secondTangent, fixed1, fixed2);
}

int32_t GetSampleNum(int index) {
    int32_t samples = 0;
    stores.sampleNums.GetData(&samples, index);
    return samples;
}

void ChangeSampleNum(int32_t delta) {
    if (state.selectedPoint == -1) {
        return;
    }
    state.changed = 1;
    const int64_t samples = int64_t{GetSampleNum(state.selectedPoint)} + delta;
    const auto clamped = static_cast<int32_t>(std::clamp<int64_t>(samples, 0, MaxSampleNum));
    stores.sampleNums.SetData(&clamped, state.selectedPoint);
}

void GetCoursePosition(int segment, double t, double& x, double& y, double& z) {
    x = Evaluate(SplineX, segment, t);
    y = Evaluate(SplineY, segment, t);
    z = Evaluate(SplineZ, segment, t);
}

void GetCourseTangent(int segment, double t, double& dx, double& dy, double& dz) {
    Spline(SplineX).EvaluateTangent(segment, t, dx);
    Spline(SplineY).EvaluateTangent(segment, t, dy);
    Spline(SplineZ).EvaluateTangent(segment, t, dz);
}

void GetCourseRoll(int segment, double t, double& roll) {
    roll = Evaluate(SplineRoll, segment, t);
}

void GetCourseWidth(int segment, double t, double& first, double& second) {
    first = Evaluate(SplineWidth1, segment, t) * state.widthScale;
    second = Evaluate(SplineWidth2, segment, t) * state.widthScale;
}

SegmentCurves GetSegmentCurves(int segment) {
    return {Spline(SplineX).GetSegment(segment),
            Spline(SplineY).GetSegment(segment),
            Spline(SplineZ).GetSegment(segment),
            Spline(SplineRoll).GetSegment(segment),
            Spline(SplineWidth1).GetSegment(segment),
            Spline(SplineWidth2).GetSegment(segment),
            state.widthScale};
}

int GetCameraPosition(int32_t& segment, double& t) {
    if (state.cameraSegment == -1) {
        return 1;
    }
    segment = state.cameraSegment;
    t = state.cameraT;
    return 0;
}

// Moves along the course a segment per whole unit of t: a loop wraps round, an open
// course stops at either end. A delta that is not a finite number is ignored, and whole
// laps of a loop are taken off at once so that no delta can keep the loop walking.
void MoveCameraPosition(double delta) {
    if (state.cameraSegment == -1 || !std::isfinite(delta)) {
        return;
    }
    const int n = GetPointNum();
    const bool loop = state.loop == 1;
    const int last = loop ? n - 1 : n - 2;
    double t = state.cameraT + delta;
    int32_t segment = state.cameraSegment;
    const double lap = last + 1;
    if (loop && std::abs(t) > lap + 1.0) {
        // Adding 0.0 turns a remainder of -0.0 into the +0.0 that stepping would give.
        t = t > 1.0 ? 1.0 + std::fmod(t - 1.0, lap) : std::fmod(t, lap) + 0.0;
    }
    if (delta >= 0.0) {
        while (t > 1.0) {
            if (segment < last) {
                t -= 1.0;
                ++segment;
            } else if (loop) {
                t -= 1.0;
                segment = 0;
            } else {
                t = 1.0;
            }
        }
    } else {
        while (t < 0.0) {
            if (segment > 0) {
                t += 1.0;
                --segment;
            } else if (loop) {
                t += 1.0;
                segment = last;
            } else {
                t = 0.0;
            }
        }
    }
    state.cameraSegment = segment;
    state.cameraT = t;
}

} // namespace CourseData
