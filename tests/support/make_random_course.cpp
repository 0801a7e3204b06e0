// Writes a random course of a given kind for the tests that hand courses to other
// programs. The numbers come straight from mt19937, whose sequence the standard fixes, so
// a kind and seed give the same course everywhere.
//   open       2 to 40 points wandering in the ground plane and in height, not a loop
//   closed     6 to 40 points around a jittered circle, a loop
//   banked     a closed course with random bank (up to 23°), unequal widths and sample
//              counts
//   one-point  a single point made a loop: a road without area
//   many       256 points around a large jittered loop

#include "model/CourseData.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string_view>

namespace {

class Dice {
public:
    explicit Dice(unsigned seed) : generator_(seed) {}
    double Between(double low, double high) {
        return low + (high - low) * (static_cast<double>(generator_()) / 4294967296.0);
    }
    int Whole(int low, int high) { return low + static_cast<int>(generator_() % (high - low + 1)); }

private:
    std::mt19937 generator_;
};

void AddWanderingPoints(Dice& dice) {
    const int count = dice.Whole(2, 40);
    double x = 0;
    double y = 0;
    double z = 0;
    double heading = 0;
    for (int i = 0; i < count; ++i) {
        CourseData::AddPoint(x, y, z);
        heading += dice.Between(-1.0, 1.0);
        const double step = dice.Between(60, 300);
        x += step * std::cos(heading);
        z += step * std::sin(heading);
        y += dice.Between(-20, 20);
    }
}

void AddLoopPoints(Dice& dice, int count, double radius) {
    for (int i = 0; i < count; ++i) {
        const double angle = 2 * M_PI * i / count;
        const double r = radius * dice.Between(0.85, 1.15);
        CourseData::AddPoint(r * std::cos(angle), dice.Between(0, radius / 20),
                             r * std::sin(angle));
    }
    CourseData::SetLoop(1);
}

void VaryEveryPoint(Dice& dice) {
    for (int i = 0; i < CourseData::GetPointNum(); ++i) {
        CourseData::SetRoll(i, dice.Between(-0.4, 0.4));
        CourseData::SetWidth(i, dice.Between(10, 30), dice.Between(10, 30));
        CourseData::SetHandle(i, CourseData::HandlePoint);
        CourseData::ChangeSampleNum(dice.Whole(1, 24) - CourseData::GetSampleNum(i));
    }
}

bool BuildCourse(std::string_view kind, Dice& dice) {
    if (kind == "open") {
        AddWanderingPoints(dice);
    } else if (kind == "closed") {
        AddLoopPoints(dice, dice.Whole(6, 40), 1500);
    } else if (kind == "banked") {
        AddLoopPoints(dice, dice.Whole(6, 40), 1500);
        VaryEveryPoint(dice);
    } else if (kind == "one-point") {
        CourseData::AddPoint(dice.Between(-500, 500), 0, dice.Between(-500, 500));
        CourseData::SetLoop(1);
    } else if (kind == "many") {
        AddLoopPoints(dice, CourseData::MaxPoints, 20000);
    } else {
        return false;
    }
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        (void)std::fprintf(stderr, "Usage: velmora-make-random-course "
                                   "open|closed|banked|one-point|many SEED OUT.cus\n");
        return 2;
    }
    CourseData::Initialize();
    Dice dice(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    int status = 0;
    if (!BuildCourse(argv[1], dice)) {
        (void)std::fprintf(stderr, "velmora-make-random-course: unknown kind %s\n", argv[1]);
        status = 2;
    } else if (CourseData::Save(argv[3]) != 0) {
        (void)std::fprintf(stderr, "velmora-make-random-course: %s: cannot write\n", argv[3]);
        status = 1;
    }
    CourseData::Destruct();
    return status;
}
