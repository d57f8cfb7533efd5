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
    static void expectMatrix(GLenum which, const GLfloat (&expected)[16])
    {
        GLfloat m[16];
        glGetFloatv(which, m);
        for (int i = 0; i < 16; ++i) EXPECT_EQ(m[i], expected[i]) << "element " << i;
    }
};

const GLfloat Identity[16] = {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// 45 degrees at 240 x 320, near 1, far 60.
const GLfloat Portrait[16] = {3.2189512f, 0, 0, 0, 0, 2.4142134f, 0, 0, 0, 0, -1.0338984f, -1, 0, 0, -2.0338984f, 0};

TEST_F(CameraOnGl, ReshapeSetsViewportProjectionAndLeavesModelviewIdentity)
{
    glMatrixMode(GL_MODELVIEW);
    glTranslatef(3, 4, 5);  // whatever the frame left
    reshape(240, 320);
    GLint viewport[4], mode = 0;
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_TRUE(viewport[0] == 0 && viewport[1] == 0 && viewport[2] == 240 && viewport[3] == 320);
    expectMatrix(GL_PROJECTION_MATRIX, Portrait);
    expectMatrix(GL_MODELVIEW_MATRIX, Identity);
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);

    // Reshaping again replaces the projection rather than multiplying onto it.
    reshape(640, 480);
    GLfloat p[16];
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    EXPECT_FLOAT_EQ(p[0], 2.4142134f / (640.0f / 480.0f));
    // A window of no height is taken as one pixel high: finite, not NaN.
    reshape(240, 0);
    glGetFloatv(GL_PROJECTION_MATRIX, p);
    for (float v : p) EXPECT_TRUE(std::isfinite(v));
    EXPECT_FLOAT_EQ(p[0], 2.4142134f / 240.0f);
    // No width: an aspect of 0 leaves the projection at the identity.
    reshape(0, 240);
    expectMatrix(GL_PROJECTION_MATRIX, Identity);
}

TEST_F(CameraOnGl, LookAtsMultiplyTheirMatrixThenTranslateByMinusEye)
{
    const Vec3f eye = {1.6f, 30.5f, 13.0f}, centre = {1.6f, 0.0f, -5.0f}, up = {0, 65536.0f, 0};
    Mat4f floatView;
    lookAtMatrixf(eye, centre, up, floatView);
    Mat4x fixedView;
    const Vec3x eyeX = {0, 1343488, 196608};
    lookAtMatrixx(eyeX, {0, 0, 163840}, {0, 65536, 0}, fixedView);
    for (bool fixed : {false, true}) {
        SCOPED_TRACE(fixed ? "lookAtx" : "lookAtf");
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        if (fixed) lookAtx(eyeX.x, eyeX.y, eyeX.z, 0, 0, 163840, 0, 65536, 0);
        else lookAtf(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
        GLfloat m[16];
        glGetFloatv(GL_MODELVIEW_MATRIX, m);
        const double e[3] = {fixed ? 0 : eye.x, fixed ? 20.5 : eye.y, fixed ? 3.0 : eye.z};
        for (int row = 0; row < 3; ++row) {
            double t = 0;
            for (int c = 0; c < 3; ++c) {
                const double r = fixed ? fixedView[c * 4 + row] / 65536.0 : floatView[c * 4 + row];
                EXPECT_NEAR(m[c * 4 + row], r, 1e-6) << row << ", " << c;
                t -= r * e[c];
            }
            EXPECT_NEAR(m[12 + row], t, 1e-3) << "translation row " << row;
        }
        EXPECT_EQ(m[15], 1.0f);
    }
    // A degenerate perspective leaves the current matrix alone.
    GLfloat before[16];
    glGetFloatv(GL_MODELVIEW_MATRIX, before);
    perspectivef(45.0f, 1.0f, 5.0f, 5.0f);
    expectMatrix(GL_MODELVIEW_MATRIX, before);
}

}  // namespace
