// Writes the fuzzer's seed courses into a directory. Each course is built through the
// course model's editing operations and saved as the designer would save it, so the
// seeds are real files covering the shapes a course takes: empty, a single point, an open
// two-point course, a loop, fixed tangents of every kind, a course of thousands of rows
// and the largest course.

#include "model/CourseData.h"

#include <cstdio>
#include <string>

namespace {

bool SaveAs(const std::string& dir, const char* name) {
    const std::string path = dir + "/" + name;
    if (CourseData::Save(path.c_str()) != 0) {
        std::fprintf(stderr, "make_fuzz_seeds: %s: cannot write\n", path.c_str());
        return false;
    }
    return true;
}

void OnePoint() {
    CourseData::AddPoint(12.5, -3.0, 40.0);
    CourseData::SetWidth(0, 8.0, 12.0);
}

void TwoPoints() {
    CourseData::AddPoint(0.0, 0.0, 0.0);
    CourseData::AddPoint(400.0, 20.0, -150.0);
    CourseData::ChangeSampleNum(-10); // the end point's count, unused while the course is open
    CourseData::SetHandle(0, CourseData::HandleBackward);
    CourseData::ChangeSampleNum(23);
    CourseData::MoveCameraPosition(0.75);
}

void Loop() {
    const double corners[][3] = {{0, 0, 0}, {600, 15, 0}, {700, 40, 500}, {-50, 30, 620}};
    for (const auto& c : corners) {
        CourseData::AddPoint(c[0], c[1], c[2]);
    }
    CourseData::SetLoop(1);
    CourseData::SetRoll(2, 0.3);
    CourseData::ChangeWidthScale(-0.5);
    CourseData::SetSide(1);
    CourseData::MoveCameraPosition(3.5); // round the closing segment
}

void FixedTangents() {
    CourseData::AddPoint(0.0, 0.0, 0.0);
    CourseData::AddPoint(250.0, 0.0, 100.0);
    CourseData::AddPoint(500.0, 60.0, 0.0);
    CourseData::SetTangent(0, 300.0, 0.0, 0.0, 1, 1, 1);
    CourseData::SetTangent(1, 0.0, -40.0, 250.0, 0, 1, 1);
    CourseData::SetRollTangent(1, -0.4, 1);
    CourseData::SetWidthTangent(2, 3.0, -6.0, 1, 1);
    CourseData::SetHandle(1, CourseData::HandleForward);
}

// Thousands of rows: the .cob text runs well past the exporter's write buffer.
void Dense() {
    CourseData::AddPoint(0.0, 0.0, 0.0);
    CourseData::AddPoint(800.0, 40.0, 300.0);
    CourseData::AddPoint(1200.0, 10.0, -400.0);
    CourseData::SetHandle(0, CourseData::HandlePoint);
    CourseData::ChangeSampleNum(3000 - CourseData::DefaultSampleNum);
    CourseData::SetHandle(1, CourseData::HandlePoint);
    CourseData::ChangeSampleNum(2000 - CourseData::DefaultSampleNum);
}

// Every point the course can hold, without samples so that exporting it stays quick.
void Largest() {
    for (int i = 0; i < CourseData::MaxPoints; ++i) {
        CourseData::AddPoint(i * 10.0, (i % 7) * 3.0, (i % 11) * 25.0);
        CourseData::ChangeSampleNum(-CourseData::DefaultSampleNum);
    }
    CourseData::SetLoop(1);
    CourseData::SetHandle(CourseData::MaxPoints - 1, CourseData::HandlePoint);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "Usage: make_fuzz_seeds OUT-DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    struct Seed {
        const char* name;
        void (*build)();
    };
    const Seed seeds[] = {{"empty.cus", [] {}},
                          {"one-point.cus", OnePoint},
                          {"two-points.cus", TwoPoints},
                          {"loop.cus", Loop},
                          {"fixed-tangents.cus", FixedTangents},
                          {"dense.cus", Dense},
                          {"largest.cus", Largest}};
    CourseData::Initialize();
    bool ok = true;
    for (const Seed& seed : seeds) {
        CourseData::NewCourse();
        seed.build();
        ok = SaveAs(dir, seed.name) && ok;
    }
    CourseData::Destruct();
    return ok ? 0 : 1;
}
