// The camera on a real Mesa context: reshape's viewport and projection (a
// window of no height included) and the two look-ats multiplied onto the
// current matrix with their translation.
#include "render/camera.h"
#include "tests/support/egl_context.h"

#include <GLES/gl.h>
#include <gtest/gtest.h>

#include <cmath>

namespace {

class CameraOnGl : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(MakeEglContext(64, 64)); }
    void TearDown() override { DestroyEglContext(); }
    static void read(GLenum which, GLfloat (&m)[16]) { glGetFloatv(which, m); }
};

TEST_F(CameraOnGl, ReshapeSetsViewportProjectionAndLeavesModelviewIdentity)
{
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(3, 4, 5);  // whatever the frame left
    reshape(240, 320);
    GLint viewport[4];
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 240);
    EXPECT_EQ(viewport[3], 320);
    GLfloat p[16], m[16];
    read(GL_PROJECTION_MATRIX, p);
    EXPECT_EQ(p[0], 3.2189512f);
    EXPECT_EQ(p[5], 2.4142134f);
    EXPECT_EQ(p[10], -1.0338984f);
    EXPECT_EQ(p[11], -1.0f);
    EXPECT_EQ(p[14], -2.0338984f);
    EXPECT_EQ(p[15], 0.0f);
    read(GL_MODELVIEW_MATRIX, m);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], i % 5 == 0 ? 1.0f : 0.0f);
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    // Reshaping again replaces the projection rather than multiplying onto it.
    reshape(640, 480);
    read(GL_PROJECTION_MATRIX, p);
    EXPECT_FLOAT_EQ(p[0], 2.4142134f / (640.0f / 480.0f));
}

TEST_F(CameraOnGl, WindowOfNoHeightGetsAFiniteProjection)
{
    reshape(240, 0);
    GLfloat zero[16], one[16];
    read(GL_PROJECTION_MATRIX, zero);
    for (float v : zero) EXPECT_TRUE(std::isfinite(v));
    reshape(240, 1);
    read(GL_PROJECTION_MATRIX, one);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(zero[i], one[i]);
    // No width: an aspect of 0 leaves the projection at the identity.
    reshape(0, 240);
    read(GL_PROJECTION_MATRIX, zero);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(zero[i], i % 5 == 0 ? 1.0f : 0.0f);
}

TEST_F(CameraOnGl, LookAtxMultipliesTheRotationThenTranslatesByMinusEye)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    lookAtx(0, 1343488, 196608, 0, 0, 163840, 0, 65536, 0);
    GLfloat m[16];
    read(GL_MODELVIEW_MATRIX, m);
    const double rows[3][3] = {{66073, 0, 0}, {0, 1611, -66053}, {0, 65516, 1597}};
    const double eye[3] = {0, 20.5, 3.0};
    for (int r = 0; r < 3; ++r) {
        double t = 0;
        for (int c = 0; c < 3; ++c) {
            EXPECT_NEAR(m[c * 4 + r], rows[r][c] / 65536, 1e-5) << r << ", " << c;
            t -= rows[r][c] / 65536 * eye[c];
        }
        EXPECT_NEAR(m[12 + r], t, 1e-3) << "translation row " << r;
    }
    EXPECT_EQ(m[15], 1.0f);
}

TEST_F(CameraOnGl, LookAtfMatchesItsMatrixAndTranslation)
{
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    const Vec3f eye = {1.6f, 30.5f, 13.0f}, centre = {1.6f, 0.0f, -5.0f}, up = {0, 65536.0f, 0};
    lookAtf(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
    GLfloat m[16];
    read(GL_MODELVIEW_MATRIX, m);
    Mat4f r;
    lookAtMatrixf(eye, centre, up, r);
    const float e[3] = {eye.x, eye.y, eye.z};
    for (int row = 0; row < 3; ++row) {
        double t = 0;
        for (int c = 0; c < 3; ++c) {
            EXPECT_FLOAT_EQ(m[c * 4 + row], r[c * 4 + row]);
            t -= double(r[c * 4 + row]) * e[c];
        }
        EXPECT_NEAR(m[12 + row], t, 1e-4);
    }
    // Degenerate perspective leaves the current matrix alone.
    perspectivef(45.0f, 1.0f, 5.0f, 5.0f);
    GLfloat after[16];
    read(GL_MODELVIEW_MATRIX, after);
    for (int i = 0; i < 16; ++i) EXPECT_EQ(after[i], m[i]);
}

}  // namespace
