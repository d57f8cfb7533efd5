// The arithmetic of the camera, with no GL: the tools check levels with it.
// Every step is kept in the precision the original used, so the game and the
// tools see the same matrices bit for bit.
#include "render/camera.h"

#include "app/platform.h"

#include <cmath>
#include <cstring>

// The float nearest pi / 360: half the field of view in radians per degree.
constexpr float HalfDegreeInRadians = 0.0087266462f;
constexpr int SqrtxSteps = 6;  // no convergence test: large inputs stay a little off

void identityf(Mat4f m)
{
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? 1.0f : 0.0f;
}

void identityx(Mat4x m)
{
    for (int i = 0; i < 16; ++i) m[i] = (i % 5 == 0) ? FixedOne : 0;
}

void normalizef(Vec3f &v)
{
    const float sum = (v.x * v.x + v.y * v.y) + v.z * v.z;
    const float length = float(SquareRoot(double(sum)));
    if (double(length) == 0.0) return;
    const float k = 1.0f / length;
    v.x *= k;
    v.y *= k;
    v.z *= k;
}

void crossf(const Vec3f &a, const Vec3f &b, Vec3f &out)
{
    const Vec3f r = {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x};
    out = r;
}

// 32-bit wrap-around, as the device's integer unit does it.
static GLfixed wrapAdd(GLfixed a, GLfixed b) { return GLfixed(uint32_t(a) + uint32_t(b)); }
static GLfixed wrapSub(GLfixed a, GLfixed b) { return GLfixed(uint32_t(a) - uint32_t(b)); }
static GLfixed wrapNeg(GLfixed a) { return GLfixed(0u - uint32_t(a)); }

GLfixed mulx(GLfixed a, GLfixed b)
{
    // The arithmetic shift truncates toward minus infinity: mulx(-1, 1) is -1.
    return GLfixed(uint32_t(uint64_t((int64_t(a) * int64_t(b)) >> 16)));
}

GLfixed sqrtx(GLfixed x)
{
    GLfixed r = wrapAdd(x, FixedOne) >> 1;
    const int64_t n = int64_t(x) * FixedOne;
    for (int step = 0; step < SqrtxSteps; ++step) {
        // Only a negative (wrapped) sum can bring r to 0; the device would
        // trap on the division, we give a length of 0 instead.
        if (r == 0) return 0;
        const int64_t q = n / r;
        r = GLfixed(uint32_t(uint64_t((q + r) >> 1)));
    }
    return r;
}

// Float to 32-bit integer by truncation; out-of-range values (only from
// wrapped sums) saturate instead of being undefined.
static GLfixed truncateToFixed(float value)
{
    if (!(value > -2147483648.0f)) return value != value ? 0 : INT32_MIN;
    if (value >= 2147483648.0f) return INT32_MAX;
    return GLfixed(value);
}

void normalizex(Vec3x &v)
{
    const GLfixed sum = wrapAdd(wrapAdd(mulx(v.x, v.x), mulx(v.y, v.y)), mulx(v.z, v.z));
    const float length = float(sqrtx(sum));  // the length times 65536
    if (length == 0.0f) return;
    const float k = 65536.0f / length;
    v.x = truncateToFixed(float(v.x) * k);
    v.y = truncateToFixed(float(v.y) * k);
    v.z = truncateToFixed(float(v.z) * k);
}

void crossx(const Vec3x &a, const Vec3x &b, Vec3x &out)
{
    const Vec3x r = {wrapSub(mulx(a.y, b.z), mulx(a.z, b.y)), wrapSub(mulx(a.z, b.x), mulx(a.x, b.z)),
                     wrapSub(mulx(a.x, b.y), mulx(a.y, b.x))};
    out = r;
}

bool perspectiveMatrixf(float fovy, float aspect, float zNear, float zFar, Mat4f m)
{
    const float deltaZ = zFar - zNear;
    const float radians = fovy * HalfDegreeInRadians;
    const float sine = float(Sine(double(radians)));
    if (deltaZ == 0.0f || sine == 0.0f || aspect == 0.0f) return false;
    const float cotangent = float(Cosine(double(radians)) / double(sine));
    identityf(m);
    m[0] = cotangent / aspect;
    m[5] = cotangent;
    const float r = 1.0f / deltaZ;
    m[10] = -((zNear + zFar) * r);
    m[11] = -1.0f;
    m[14] = ((r * zNear) * zFar) * -2.0f;
    m[15] = 0.0f;
    return true;
}

void lookAtMatrixf(const Vec3f &eye, const Vec3f &centre, const Vec3f &up, Mat4f m)
{
    Vec3f f = {centre.x - eye.x, centre.y - eye.y, centre.z - eye.z};
    normalizef(f);
    Vec3f s, u;
    crossf(f, up, s);  // up itself is never normalised; only its direction counts
    normalizef(s);
    crossf(s, f, u);
    identityf(m);
    m[0] = s.x, m[4] = s.y, m[8] = s.z;
    m[1] = u.x, m[5] = u.y, m[9] = u.z;
    m[2] = -f.x, m[6] = -f.y, m[10] = -f.z;
}

void lookAtMatrixx(const Vec3x &eye, const Vec3x &centre, const Vec3x &up, Mat4x m)
{
    Vec3x f = {wrapSub(centre.x, eye.x), wrapSub(centre.y, eye.y), wrapSub(centre.z, eye.z)};
    normalizex(f);
    Vec3x s, u;
    crossx(f, up, s);
    normalizex(s);
    crossx(s, f, u);
    identityx(m);
    m[0] = s.x, m[4] = s.y, m[8] = s.z;
    m[1] = u.x, m[5] = u.y, m[9] = u.z;
    m[2] = wrapNeg(f.x), m[6] = wrapNeg(f.y), m[10] = wrapNeg(f.z);
}
