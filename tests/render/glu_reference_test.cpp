// The float perspective and look-at against Mesa's own GLU on many random
// inputs. GLU multiplies its result onto the current GL matrix; this test
// defines the three GL entry points GLU calls, so GLU's arithmetic runs with
// no GL context and its matrix is caught on the way out.
#include "render/camera.h"

#include <GL/glu.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <random>

namespace {
double caught[16];
int multiplies = 0;
}  // namespace

extern "C" {
void glMultMatrixd(const GLdouble *m) { std::copy(m, m + 16, caught), ++multiplies; }
void glMultMatrixf(const GLfloat *m) { std::copy(m, m + 16, caught), ++multiplies; }
void glTranslated(GLdouble, GLdouble, GLdouble) {}
}

namespace {

constexpr int Trials = 5000;

TEST(GluReference, PerspectiveMatchesGluPerspective)
{
    std::mt19937 random(20261208);
    std::uniform_real_distribution<float> fovy(1.0f, 170.0f), aspect(0.2f, 5.0f), zNear(0.05f, 20.0f),
        depth(0.5f, 500.0f);
    for (int trial = 0; trial < Trials; ++trial) {
        const float f = fovy(random), a = aspect(random), n = zNear(random), z = n + depth(random);
        Mat4f ours;
        ASSERT_TRUE(perspectiveMatrixf(f, a, n, z, ours));
        multiplies = 0;
        gluPerspective(f, a, n, z);
        ASSERT_EQ(multiplies, 1);
        for (int i = 0; i < 16; ++i) {
            const double tolerance = 8 * 1.2e-7 * std::max(1.0, std::fabs(caught[i]));
            ASSERT_NEAR(ours[i], caught[i], tolerance)
                << "element " << i << " fovy " << f << " aspect " << a << " near " << n << " far " << z;
        }
    }
}

TEST(GluReference, LookAtMatchesGluLookAt)
{
    std::mt19937 random(4711);
    std::uniform_real_distribution<float> coordinate(-100.0f, 100.0f), direction(-1.0f, 1.0f);
    int compared = 0;
    while (compared < Trials) {
        const Vec3f eye = {coordinate(random), coordinate(random), coordinate(random)};
        const Vec3f centre = {coordinate(random), coordinate(random), coordinate(random)};
        const Vec3f up = {direction(random), direction(random), direction(random)};
        // Skip views nearly along up, where both sides lose all precision.
        Vec3f f = {centre.x - eye.x, centre.y - eye.y, centre.z - eye.z}, s;
        normalizef(f);
        crossf(f, up, s);
        if (std::sqrt(s.x * s.x + s.y * s.y + s.z * s.z) < 0.05f) continue;
        Mat4f ours;
        lookAtMatrixf(eye, centre, up, ours);
        multiplies = 0;
        gluLookAt(eye.x, eye.y, eye.z, centre.x, centre.y, centre.z, up.x, up.y, up.z);
        ASSERT_EQ(multiplies, 1);
        for (int i = 0; i < 16; ++i) ASSERT_NEAR(ours[i], caught[i], 4e-6) << "element " << i << " trial " << compared;
        ++compared;
    }
}

}  // namespace
