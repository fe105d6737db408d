#include "core/geometry/Angles.h"
#include "core/text/Error.h"

#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <stdexcept>

namespace vemo {
namespace {

// Packed D.MMSS of whole degrees, minutes and seconds, built by hand the way a surveyor types it.
double Packed(int d, int m, int s) {
    return d + m / 100.0 + s / 10000.0;
}
double Decimal(int d, int m, double s) {
    return d + m / 60.0 + s / 3600.0;
}

TEST(DmsToDeg, ReadsDegreesMinutesAndSeconds) {
    EXPECT_NEAR(DmsToDeg(12.3456), 12.0 + 34.0 / 60 + 56.0 / 3600, 1e-12); // 12.58222...
    EXPECT_NEAR(DmsToDeg(90.0530), 90.0 + 5.0 / 60 + 30.0 / 3600, 1e-12);
    EXPECT_NEAR(DmsToDeg(12.34565), Decimal(12, 34, 56.5), 1e-10); // fractions of a second are kept
    EXPECT_EQ(DmsToDeg(0.0), 0.0);
    EXPECT_NEAR(DmsToDeg(359.5959), 360.0 - 1.0 / 3600, 1e-12);
    EXPECT_NEAR(DmsToDeg(0.7000), 70.0 / 60, 1e-12); // 70 minutes are read as written
}

TEST(DmsToDeg, TakesWholeDegreesEvenWhenTheBinaryValueLiesJustBelow) {
    // 13 stored as a hair below 13 must not read as 12°99'99.99".
    EXPECT_NEAR(DmsToDeg(std::nextafter(13.0, 0.0)), 13.0, 1e-9);
    EXPECT_NEAR(DmsToDeg(0.0100 - 1e-15), 1.0 / 60, 1e-9);
}

TEST(DmsToDeg, ReadsANegativeAngleAsTheMirrorOfItsMagnitude) {
    // -1°30' is -1.5 degrees, not -2° + 70'.
    EXPECT_NEAR(DmsToDeg(-1.3), -1.5, 1e-12);
    EXPECT_NEAR(DmsToDeg(-0.0030), -30.0 / 3600, 1e-12);
}

TEST(DegToDms, WritesWholeSecondsWithTheCarry) {
    EXPECT_DOUBLE_EQ(DegToDms(12.0 + 34.0 / 60 + 56.0 / 3600), 12.3456);
    EXPECT_DOUBLE_EQ(DegToDms(29.99999), 30.0);                // 59'59.96" carries through minutes into degrees
    EXPECT_DOUBLE_EQ(DegToDms(359.99999), 360.0);              // and there is no reduction modulo 360
    EXPECT_DOUBLE_EQ(DegToDms(Decimal(10, 0, 0.5)), 10.0001);  // half a second rounds up
    EXPECT_DOUBLE_EQ(DegToDms(Decimal(10, 0, 0.49)), 10.0000); // less stays down
    EXPECT_DOUBLE_EQ(DegToDms(Decimal(10, 59, 59.5)), 11.0000);
    EXPECT_DOUBLE_EQ(DegToDms(0.0), 0.0);
}

TEST(DegToDms, MirrorsNegativeAnglesWithoutANegativeZero) {
    EXPECT_DOUBLE_EQ(DegToDms(-1.5), -1.3);
    EXPECT_DOUBLE_EQ(DegToDms(-Decimal(10, 5, 30)), -10.0530);
    double nearlyZero = DegToDms(-1e-9);
    EXPECT_EQ(nearlyZero, 0.0);
    EXPECT_FALSE(std::signbit(nearlyZero)); // "%9.4f" must not show -0.0000
}

TEST(DegToDms, RoundTripsEveryPackedAngleOfTheCircle) {
    for (int seconds = 0; seconds < 360 * 3600; seconds += 7) {
        int d = seconds / 3600, m = seconds / 60 % 60, s = seconds % 60;
        double packed = Packed(d, m, s);
        ASSERT_DOUBLE_EQ(DegToDms(DmsToDeg(packed)), packed) << d << "-" << m << "-" << s;
        ASSERT_NEAR(DmsToDeg(packed), Decimal(d, m, s), 1e-11);
    }
}

TEST(DegToDmsText, WritesDegreesWithoutLeadingZerosAndTwoDigitParts) {
    EXPECT_EQ(DegToDmsText(123.0683333), "123-04-06");
    EXPECT_EQ(DegToDmsText(45.5), "45-30-00");
    EXPECT_EQ(DegToDmsText(10.99999), "11-00-00");
    EXPECT_EQ(DegToDmsText(0.0), "0-00-00");
    EXPECT_EQ(DegToDmsText(359.99999), "360-00-00");
    EXPECT_EQ(DegToDmsText(Decimal(7, 8, 9)), "7-08-09");
}

TEST(DegToDmsText, SignsNegativeAnglesButNotOnesThatRoundToZero) {
    EXPECT_EQ(DegToDmsText(-1.5), "-1-30-00");
    EXPECT_EQ(DegToDmsText(-Decimal(0, 0, 1)), "-0-00-01");
    EXPECT_EQ(DegToDmsText(-1e-8), "0-00-00"); // an included angle a hair below 0
    EXPECT_THROW(DegToDmsText(std::nan("")), Error);
}

TEST(DegToDmsText, AgreesWithThePackedFormForEveryAngle) {
    // Result grids and angle fields must show the same seconds for the same value.
    for (int tenths = 3; tenths < 360 * 36000; tenths += 997) {
        if (tenths % 10 == 5) {
            continue; // exactly half a second: the text rounds on the binary value without a guard
        }
        double degrees = tenths / 36000.0;
        Dms dms = SplitDms(DegToDms(degrees));
        char expected[32];
        std::snprintf(expected, sizeof expected, "%d-%02d-%02d", dms.degrees, dms.minutes, dms.seconds);
        ASSERT_EQ(DegToDmsText(degrees), expected) << degrees;
    }
}

TEST(SplitDms, SplitsTheFourDecimalsTheFieldShows) {
    EXPECT_EQ(SplitDms(12.3456), (Dms{12, 34, 56}));
    EXPECT_EQ(SplitDms(12.34565), (Dms{12, 34, 57}));   // rounded to whole seconds first
    EXPECT_EQ(SplitDms(359.59595), (Dms{359, 59, 60})); // shown as 359.5960; CarryDms normalises it
    EXPECT_EQ(SplitDms(0.7), (Dms{0, 70, 0}));          // not normalised
    EXPECT_EQ(SplitDms(-1.3), (Dms{-1, 30, 0}));        // the sign stays on the degrees
    EXPECT_EQ(SplitDms(720000.0), (Dms{720000, 0, 0}));
}

TEST(SplitDms, RefusesValuesWithoutAnIntegerReading) {
    EXPECT_THROW(SplitDms(std::nan("")), Error);
    EXPECT_THROW(SplitDms(INFINITY), Error);
    EXPECT_THROW(SplitDms(1e10), Error);
    EXPECT_THROW(DmsToSeconds(-1e12), Error);
}

TEST(CarryDms, CarriesSecondsIntoMinutesIntoDegrees) {
    EXPECT_EQ(CarryDms({0, 59, 61}), (Dms{1, 0, 1}));
    EXPECT_EQ(CarryDms({10, 125, 130}), (Dms{12, 7, 10}));
    EXPECT_EQ(CarryDms({0, 0, 7200}), (Dms{2, 0, 0}));
    EXPECT_EQ(CarryDms({359, 59, 59}), (Dms{359, 59, 59}));
    EXPECT_EQ(CarryDms({1, -5, -10}), (Dms{1, -5, -10})); // negative parts are left alone
}

TEST(AddDms, AddsInSexagesimalWithoutReducing) {
    EXPECT_DOUBLE_EQ(AddDms(0.5959, 0.0001), 1.0);
    EXPECT_DOUBLE_EQ(AddDms(350.3030, 20.3030), 371.0100);
    EXPECT_DOUBLE_EQ(AddDms(89.4530, 0.1430), 90.0000);
    EXPECT_DOUBLE_EQ(AddDms(0.7000, 0.0), 1.1000); // 70' carried
}

TEST(AddDms, AddsNegativeAnglesAsSignedAngles) {
    EXPECT_DOUBLE_EQ(AddDms(10.3000, -0.4500), 9.4500);
    EXPECT_DOUBLE_EQ(AddDms(0.0030, -0.0045), -0.0015);
    EXPECT_FALSE(std::signbit(AddDms(1.0, -1.0)));
}

TEST(DmsToSeconds, CountsWholeSeconds) {
    EXPECT_EQ(DmsToSeconds(1.0001), 3601);
    EXPECT_EQ(DmsToSeconds(359.5959), 360 * 3600 - 1);
    EXPECT_EQ(DmsToSeconds(0.0), 0);
    EXPECT_EQ(DmsToSeconds(-1.3), -5400);
    EXPECT_EQ(DmsToSeconds(720000.0), 2592000000LL); // a traverse angle sum beyond 32 bits
}

TEST(SecondsToDms, WritesASignedSecondCountAsAPackedAngle) {
    EXPECT_DOUBLE_EQ(SecondsToDms(3601), 1.0001);
    EXPECT_DOUBLE_EQ(SecondsToDms(5400), 1.3);
    EXPECT_DOUBLE_EQ(SecondsToDms(-3601), -1.0001);
    EXPECT_DOUBLE_EQ(SecondsToDms(2592000000LL), 720000.0);
    EXPECT_FALSE(std::signbit(SecondsToDms(0)));
    for (std::int64_t seconds = -400 * 3600; seconds <= 400 * 3600; seconds += 61) {
        ASSERT_EQ(DmsToSeconds(SecondsToDms(seconds)), seconds);
    }
}

TEST(PackDms, WritesThePartsAsTheFieldShowsThem) {
    EXPECT_DOUBLE_EQ(PackDms({12, 34, 56}), 12.3456);
    EXPECT_DOUBLE_EQ(PackDms({0, 0, 1}), 0.0001);
    EXPECT_DOUBLE_EQ(PackDms(CarryDms({359, 59, 60})), 360.0);
}

TEST(DegreesAndRadians, ConvertWithFullPrecision) {
    EXPECT_DOUBLE_EQ(DegToRad(180.0), std::numbers::pi);
    EXPECT_DOUBLE_EQ(DegToRad(90.0), std::numbers::pi / 2);
    EXPECT_DOUBLE_EQ(RadToDeg(std::numbers::pi), 180.0);
    for (double degrees = -720; degrees <= 720; degrees += 0.37) {
        ASSERT_NEAR(RadToDeg(DegToRad(degrees)), degrees, 1e-12);
    }
}

TEST(IncludedAngle, IsTheClockwiseAngleFromThePreviousToTheNextPoint) {
    // In heading east, out heading north: previous point west of the vertex, next north of it.
    EXPECT_DOUBLE_EQ(IncludedAngle(90, 0, kIncludedAngleOpenGuard), 90);
    EXPECT_DOUBLE_EQ(IncludedAngle(30, 30, kIncludedAngleOpenGuard), 180); // straight on
    EXPECT_DOUBLE_EQ(IncludedAngle(0, 90, kIncludedAngleOpenGuard), 270);  // right turn
    EXPECT_DOUBLE_EQ(IncludedAngle(0, 270, kIncludedAngleOpenGuard), 90);  // left turn
    EXPECT_DOUBLE_EQ(IncludedAngle(350, 10, kIncludedAngleRadialGuard), 200);
    EXPECT_DOUBLE_EQ(IncludedAngle(0, 180, kIncludedAngleRadialGuard), 0); // straight back
}

TEST(IncludedAngle, GuardDecidesWhereANearlyFullTurnGoes) {
    double nearlyBack = 180 - 1e-9;
    double open = IncludedAngle(0, nearlyBack, kIncludedAngleOpenGuard);
    double radial = IncludedAngle(0, nearlyBack, kIncludedAngleRadialGuard);
    EXPECT_NEAR(open, 0, 1e-8);
    EXPECT_LE(open, 0);
    EXPECT_NEAR(radial, 360, 1e-8);
    EXPECT_LT(radial, 360);
    EXPECT_EQ(DegToDmsText(open), "0-00-00");
}

} // namespace
} // namespace vemo
