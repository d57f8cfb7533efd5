// The camera arithmetic to the bit: fixed-point products, the six-step square
// root, the two look-at matrices and the perspective.
#include "render/camera.h"

#include <gtest/gtest.h>

namespace {

TEST(FixedPoint, MulxSqrtxNormalizexAndCrossx)
{
    // mulx truncates toward minus infinity and keeps the low 32 bits.
    const GLfixed products[][3] = {
        {65536, 65536, 65536}, {-1, 1, -1}, {1, 1, 0}, {-3, 5, -1}, {-65537, 65535, -65536},
        {131072, -98304, -196608}, {0x7FFFFFFF, 0x7FFFFFFF, -65536}, {INT32_MIN, 0x7FFFFFFF, 32768}};
    for (const auto &p : products) EXPECT_EQ(mulx(p[0], p[1]), p[2]) << p[0] << " x " << p[1];
    // Exactly six Newton steps from one half: not enough for 420.5, and 0 keeps 1/128.
    const GLfixed roots[][2] = {{65536, 65536}, {262144, 131072}, {16384, 32768}, {0, 512},
                                {27557888, 1343897}, {26214400, 1310727}, {38, 1584}, {-65536, 0}};
    for (const auto &r : roots) EXPECT_EQ(sqrtx(r[0]), r[1]) << "sqrtx " << r[0];
    sqrtx(INT32_MIN);  // a wrapped (negative) sum must not trap
    const Vec3x vectors[][2] = {{{0, 0, 0}, {0, 0, 0}}, {{0, 131072, 0}, {0, 65536, 0}},
                                {{0, -1343488, -32768}, {0, -65516, -1597}}};
    for (const auto &v : vectors) {
        Vec3x n = v[0];
        normalizex(n);
        EXPECT_TRUE(n.x == v[1].x && n.y == v[1].y && n.z == v[1].z) << n.x << ", " << n.y << ", " << n.z;
    }
    Vec3x s;
    crossx({0, -65516, -1597}, {0, 65536, 0}, s);
    EXPECT_TRUE(s.x == 1597 && s.y == 0 && s.z == 0) << s.x << ", " << s.y << ", " << s.z;
}

TEST(LookAt, MatricesMatchTheHandWorkedOnes)
{
    // The fixed default view: rows s, u, -f in column-major order; s is a
    // little longer than one because sqrtx of the tiny squared length is off.
    Mat4x x;
    lookAtMatrixx({0, 1343488, 196608}, {0, 0, 163840}, {0, 65536, 0}, x);
    const GLfixed fixedView[16] = {66073, 0, 0, 0, 0, 1611, 65516, 0, 0, -66053, 1597, 0, 0, 0, 0, 65536};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(x[i], fixedView[i]) << "element " << i;
    // Straight down with minus z up.
    Mat4f f;
    lookAtMatrixf({0, 10, 0}, {0, 0, 0}, {0, 0, -1}, f);
    const float down[16] = {1, 0, 0, 0, 0, 0, 1, 0, 0, -1, 0, 0, 0, 0, 0, 1};
    for (int i = 0; i < 16; ++i) EXPECT_EQ(f[i], down[i]) << "element " << i;
    // Degenerate views leave zero rows: eye on the centre, looking along up.
    lookAtMatrixf({1, 2, 3}, {1, 2, 3}, {0, 1, 0}, f);
    for (int i : {0, 1, 2, 4, 5, 6, 8, 9, 10}) EXPECT_EQ(f[i], 0.0f) << "element " << i;
    lookAtMatrixx({0, 65536, 0}, {0, 0, 0}, {0, 65536, 0}, x);
    for (int i : {0, 1, 4, 5, 8, 9}) EXPECT_EQ(x[i], 0) << "element " << i;
    EXPECT_EQ(x[6], 65536);
    // Level-sized views: the fixed path follows the float one to about the
    // precision of 16.16 and the rough square root.
    const float views[][6] = {{10.0f, 25.0f, 30.0f, 10.0f, 0.0f, 8.0f}, {-4.0f, 12.0f, 2.0f, 6.0f, -1.0f, -9.0f}};
    auto fixed = [](float v) { return GLfixed(v * 65536); };
    for (const auto &v : views) {
        lookAtMatrixf({v[0], v[1], v[2]}, {v[3], v[4], v[5]}, {0, 1, 0}, f);
        lookAtMatrixx({fixed(v[0]), fixed(v[1]), fixed(v[2])}, {fixed(v[3]), fixed(v[4]), fixed(v[5])}, {0, 65536, 0}, x);
        for (int i = 0; i < 16; ++i) EXPECT_NEAR(x[i] / 65536.0, f[i], 0.02) << "element " << i;
    }
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
