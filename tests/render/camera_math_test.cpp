// The camera arithmetic to the bit: fixed-point products, the six-step square
// root, the two look-at matrices and the perspective.
#include "render/camera.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

TEST(FixedPoint, MulxTruncatesTowardMinusInfinityAndWraps)
{
    EXPECT_EQ(mulx(65536, 65536), 65536);
    EXPECT_EQ(mulx(-1, 1), -1);
    EXPECT_EQ(mulx(1, 1), 0);
    EXPECT_EQ(mulx(-3, 5), -1);
    EXPECT_EQ(mulx(-65537, 65535), -65536);
    EXPECT_EQ(mulx(131072, -98304), -196608);  // 2 x -1.5
    EXPECT_EQ(mulx(0x7FFFFFFF, 0x7FFFFFFF), -65536);  // beyond 16.16: the low 32 bits
    EXPECT_EQ(mulx(INT32_MIN, 0x7FFFFFFF), 32768);
}

TEST(FixedPoint, SqrtxTakesExactlySixNewtonSteps)
{
    EXPECT_EQ(sqrtx(65536), 65536);
    EXPECT_EQ(sqrtx(262144), 131072);
    EXPECT_EQ(sqrtx(16384), 32768);
    EXPECT_EQ(sqrtx(0), 512);               // (1 / 2) halved six times
    EXPECT_EQ(sqrtx(27557888), 1343897);    // 420.5: six steps are not enough
    EXPECT_EQ(sqrtx(26214400), 1310727);    // 400.0
    EXPECT_EQ(sqrtx(38), 1584);             // 1578 exactly
    // A wrapped (negative) sum must not trap.
    EXPECT_EQ(sqrtx(-65536), 0);
    sqrtx(INT32_MIN);
    sqrtx(INT32_MAX);
}

TEST(FixedPoint, NormalizexAndCrossx)
{
    Vec3x zero = {0, 0, 0};
    normalizex(zero);
    EXPECT_EQ(zero.x, 0);
    EXPECT_EQ(zero.y, 0);
    EXPECT_EQ(zero.z, 0);
    Vec3x up = {0, 131072, 0};
    normalizex(up);
    EXPECT_EQ(up.x, 0);
    EXPECT_EQ(up.y, 65536);
    EXPECT_EQ(up.z, 0);
    Vec3x f = {0, -1343488, -32768};
    normalizex(f);
    EXPECT_EQ(f.x, 0);
    EXPECT_EQ(f.y, -65516);
    EXPECT_EQ(f.z, -1597);
    Vec3x s;
    crossx(f, {0, 65536, 0}, s);
    EXPECT_EQ(s.x, 1597);
    EXPECT_EQ(s.y, 0);
    EXPECT_EQ(s.z, 0);
    // Huge components wrap in the sum; the result is defined, not trapped.
    Vec3x wild = {INT32_MAX, INT32_MIN, INT32_MAX};
    normalizex(wild);
}

TEST(LookAt, FixedDefaultViewMatchesTheHandWorkedMatrix)
{
    Mat4x m;
    lookAtMatrixx({0, 1343488, 196608}, {0, 0, 163840}, {0, 65536, 0}, m);
    // Rows s, u, -f in column-major order; s is a little longer than one
    // because sqrtx of the tiny squared length is off.
    const GLfixed expected[16] = {66073, 0, 0, 0, 0, 1611, 65516, 0, 0, -66053, 1597, 0, 0, 0, 0, 65536};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], expected[i]) << "element " << i;
}

TEST(LookAt, FloatStraightDownWithMinusZUp)
{
    Mat4f m;
    lookAtMatrixf({0, 10, 0}, {0, 0, 0}, {0, 0, -1}, m);
    const float expected[16] = {1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], expected[i]) << "element " << i;
}

TEST(LookAt, UpIsNotNormalisedButOnlyItsDirectionCounts)
{
    Mat4f unit, big;
    lookAtMatrixf({3, 4, 5}, {-1, 0, 2}, {0, 1, 0}, unit);
    lookAtMatrixf({3, 4, 5}, {-1, 0, 2}, {0, 65536, 0}, big);
    for (int i = 0; i < 16; ++i) EXPECT_NEAR(unit[i], big[i], 1e-6) << "element " << i;
}

TEST(LookAt, DegenerateViewLeavesZeroRows)
{
    Mat4f m;
    lookAtMatrixf({1, 2, 3}, {1, 2, 3}, {0, 1, 0}, m);  // eye on the centre
    for (int i : {0, 1, 2, 4, 5, 6, 8, 9, 10}) EXPECT_EQ(m[i], 0.0f) << "element " << i;
    EXPECT_EQ(m[15], 1.0f);
    Mat4x x;
    lookAtMatrixx({0, 65536, 0}, {0, 0, 0}, {0, 65536, 0}, x);  // looking along up
    for (int i : {0, 1, 4, 5, 8, 9}) EXPECT_EQ(x[i], 0) << "element " << i;
    EXPECT_EQ(x[6], 65536);
}

TEST(LookAt, FixedPathFollowsTheFloatPath)
{
    // Level-sized views: the fixed path agrees with the float one to about
    // the precision of 16.16 and the rough square root.
    const float views[][6] = {{1.6f, 30.5f, 13.0f, 1.6f, 0.0f, -5.0f},
                              {10.0f, 25.0f, 30.0f, 10.0f, 0.0f, 8.0f},
                              {-4.0f, 12.0f, 2.0f, 6.0f, -1.0f, -9.0f}};
    for (const auto &v : views) {
        Mat4f f;
        Mat4x x;
        lookAtMatrixf({v[0], v[1], v[2]}, {v[3], v[4], v[5]}, {0, 1, 0}, f);
        lookAtMatrixx({GLfixed(v[0] * 65536), GLfixed(v[1] * 65536), GLfixed(v[2] * 65536)},
                      {GLfixed(v[3] * 65536), GLfixed(v[4] * 65536), GLfixed(v[5] * 65536)}, {0, 65536, 0}, x);
        for (int i = 0; i < 16; ++i) EXPECT_NEAR(x[i] / 65536.0, f[i], 0.02) << "element " << i;
    }
}

TEST(Perspective, FortyFiveDegreesAtThePortraitAspect)
{
    Mat4f m;
    ASSERT_TRUE(perspectiveMatrixf(45.0f, 240.0f / 320.0f, 1.0f, 60.0f, m));
    EXPECT_EQ(m[0], 3.2189512f);
    EXPECT_EQ(m[5], 2.4142134f);
    EXPECT_EQ(m[10], -1.0338984f);
    EXPECT_EQ(m[11], -1.0f);
    EXPECT_EQ(m[14], -2.0338984f);
    EXPECT_EQ(m[15], 0.0f);
    for (int i : {1, 2, 3, 4, 6, 7, 8, 9, 12, 13}) EXPECT_EQ(m[i], 0.0f) << "element " << i;
}

TEST(Perspective, DegenerateInputsLeaveTheMatrixUntouched)
{
    const float inputs[][4] = {{45, 1, 5, 5}, {0, 1, 1, 60}, {45, 0, 1, 60}};
    for (const auto &in : inputs) {
        Mat4f m;
        for (int i = 0; i < 16; ++i) m[i] = float(i) + 0.5f;
        EXPECT_FALSE(perspectiveMatrixf(in[0], in[1], in[2], in[3], m)) << in[0] << " " << in[1];
        for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], float(i) + 0.5f);
    }
}

}  // namespace
