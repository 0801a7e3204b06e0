#include "exchange/TestDrive.h"

#include <clocale>
#include <cstdlib>
#include <gtest/gtest.h>

namespace {

// What trackgen printed for the sample course, its lines as they come.
const std::string Trackgen = "++++++++++++ Track ++++++++++++\n"
                             "name      = velmora\n"
                             "nseg      = 434\n"
                             "length    = 1493.794434\n"
                             "width     = 9.464198\n"
                             "XSize     = 458.580627\n"
                             "Delta X   = 0.000366\n"
                             "Delta Y   = -0.000279\n"
                             "Delta Z   = 0.000012\n"
                             "Delta Ang = -0.000004 (-0.000201)\n"
                             "=== Indices Array Size   = 29210\n";

TEST(TestDriveOutput, TrackgenReportNeedsEveryValue) {
    const std::optional<TestDrive::Track> track = TestDrive::ReadTrackgenReport(Trackgen);
    ASSERT_TRUE(track);
    EXPECT_EQ(track->length, 1493.794434);
    EXPECT_EQ(track->closureX, 0.000366);
    EXPECT_EQ(track->closureY, -0.000279);
    EXPECT_EQ(track->closureZ, 0.000012);
    EXPECT_EQ(track->closureAngle, -0.000004);
    std::string cut = Trackgen;
    cut.erase(cut.find("Delta Ang"));
    EXPECT_FALSE(TestDrive::ReadTrackgenReport(cut));
    EXPECT_FALSE(TestDrive::ReadTrackgenReport("Segmentation fault\n"));
}

// The designer reads TORCS's output in the user's locale, whose decimal point may be a comma.
TEST(TestDriveOutput, ReadsAlikeUnderADecimalCommaLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    setenv("LOCPATH", VELMORA_LOCPATH, 1);
    ASSERT_NE(std::setlocale(LC_ALL, "de_DE.UTF-8"), nullptr);
    const std::optional<TestDrive::Track> track = TestDrive::ReadTrackgenReport(Trackgen);
    const std::vector<double> laps =
        TestDrive::ReadLapTimes("Sim Time:    39.15 [s], Leader Laps:    1, Leader Distance: …");
    std::setlocale(LC_ALL, previous.c_str());
    ASSERT_TRUE(track);
    EXPECT_EQ(track->length, 1493.794434);
    EXPECT_EQ(laps, (std::vector<double>{39.15}));
}

// A lap's time is the time between the leader's lap ends, the first from the start.
TEST(TestDriveOutput, LapTimesBestLapAndTopSpeed) {
    const std::vector<double> laps = TestDrive::ReadLapTimes(
        "linuxModLoad: ...\n"
        "Sim Time:    39.15 [s], Leader Laps:    1, Leader Distance:    1.504 [km]\n"
        "Sim Time:    74.95 [s], Leader Laps:    2, Leader Distance:    2.998 [km]");
    EXPECT_EQ(laps, (std::vector<double>{39.15, 35.8}));

    TestDrive::Report report;
    TestDrive::ReadRaceResults("<attnum name=\"time\" val=\"74.95\"/>\n"
                               "<attnum name=\"best lap time\" val=\"35.786\"/>\n"
                               "<attnum name=\"top speed\" val=\"67.0009\"/>\n",
                               report);
    EXPECT_EQ(report.bestLap, 35.786);
    ASSERT_TRUE(report.topSpeed);
    EXPECT_EQ(*report.topSpeed, 241.2); // 241.20324 km/h to the hundredth
    TestDrive::Report none;
    TestDrive::ReadRaceResults("", none);
    EXPECT_FALSE(none.bestLap);
    EXPECT_FALSE(none.topSpeed);
}

} // namespace
