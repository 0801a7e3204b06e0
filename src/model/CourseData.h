#pragma once

#include "model/CourseFile.h"
#include "model/UnitSpline.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// The one course of the process: the centre line's points with their handles, roll,
// two half-widths and sample counts, kept as six splines and a count array with one
// entry per point, plus the editing state stored with the course (selection, loop,
// width scale, perspective camera place) and the changed mark. Every view reads and
// edits the course through these operations.
namespace CourseData {

// The splines hold at most this many points; a course never grows past it.
constexpr int MaxPoints = 256;
// Sample counts stay below this bound, so that a course's rows, vertex and face counts
// always fit a 32-bit count and an export stays a size a disk can take.
constexpr int32_t MaxSampleNum = 100000;
constexpr double MinWidthScale = 0.01;
// No course value, handle or scale is larger than this, so that nothing computed from a
// course (tangents, road edges, lengths) can overflow; files beyond it are refused.
constexpr double MaxMagnitude = 1e100;
constexpr double DefaultWidth = 20.0;
constexpr int32_t DefaultSampleNum = 10;

// What of the selected point is gripped.
constexpr int32_t HandlePoint = 0;
constexpr int32_t HandleForward = 1;
constexpr int32_t HandleBackward = 2;

void Initialize();
void Destruct();
void NewCourse();

// Called with the loop state whenever the course model resets it (new course, load),
// so that the loop button can follow; until connected nothing is told.
using LoopStateHook = void (*)(int32_t loop);
void ConnectLoopStateHook(LoopStateHook hook);

int GetPointNum();
// Segments along the course: n − 1 open, n as a loop, none below two points.
int GetSegmentNum();
int AddPoint(double x, double y, double z);
void DeletePoint(int index);
void SetLoop(int32_t flag);
int32_t IsLoop();
void ChangeWidthScale(double delta);
double GetWidthScale();
int32_t IsChanged();
// 0 when the course was saved, 1 when not; `failure`, when given, then receives why, in
// words for a message.
int Save(const char* fileName, std::string* failure = nullptr);
int Load(const char* fileName);
// The course-file bytes that Save writes; the changed mark is left alone.
std::vector<unsigned char> SaveToBytes();
// The loader behind Load, for course-file bytes already in memory.
int LoadFromBytes(std::span<const unsigned char> bytes);
// The whole course with its editing state, as the course file holds it, and back: the
// edit history keeps courses this way. Applying replaces the course, tells the loop state
// and sets the changed mark as given; the image must be one that TakeImage gave or that
// CourseFile::Decode accepted.
CourseFile::Image TakeImage();
void ApplyImage(const CourseFile::Image& image, int32_t changed);

void SetHandle(int32_t index, int32_t state);
void GetHandle(int32_t& index, int32_t& state);
void SetSide(int32_t side);
int32_t GetSide();

void GetPosition(int index, double& x, double& y, double& z);
void SetPosition(int index, double x, double y, double z);
void GetTangent(int index, double& tx, double& ty, double& tz, int32_t& fx, int32_t& fy,
                int32_t& fz);
void SetTangent(int index, double tx, double ty, double tz, int32_t fx, int32_t fy, int32_t fz);
void GetTangentFixed(int index, int32_t& fx, int32_t& fy, int32_t& fz);
void SetTangentFixed(int index, int32_t fx, int32_t fy, int32_t fz);
int32_t GetRoll(int index, double& roll);
void SetRoll(int index, double roll);
int32_t GetRollTangent(int index, double& tangent);
void SetRollTangent(int index, double tangent, int32_t fixed);
void GetWidth(int index, double& first, double& second);
void SetWidth(int index, double first, double second);
void GetWidthTangent(int index, double& firstTangent, double& secondTangent, int32_t& fixed1,
                     int32_t& fixed2);
void SetWidthTangent(int index, double firstTangent, double secondTangent, int32_t fixed1,
                     int32_t fixed2);
void GetWidthTangentFixed(int index, int32_t& fixed1, int32_t& fixed2);
int32_t GetSampleNum(int index);
void ChangeSampleNum(int32_t delta);

void GetCoursePosition(int segment, double t, double& x, double& y, double& z);
void GetCourseTangent(int segment, double t, double& dx, double& dy, double& dz);
void GetCourseRoll(int segment, double t, double& roll);
void GetCourseWidth(int segment, double t, double& first, double& second);
// The cubics that the GetCourse functions evaluate for one segment, with the scale the
// widths take: fetched once to evaluate many places along the segment.
struct SegmentCurves {
    SplineSegment x, y, z, roll, width1, width2;
    double widthScale;
};
SegmentCurves GetSegmentCurves(int segment);

int GetCameraPosition(int32_t& segment, double& t);
void MoveCameraPosition(double delta);

} // namespace CourseData
