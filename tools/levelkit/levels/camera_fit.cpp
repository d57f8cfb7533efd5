#include "tools/levelkit/levels/camera_fit.h"

#include "render/camera.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <iterator>

const float CheckedAspects[2] = {0.75f, 4.0f / 3.0f};

namespace {

constexpr float FieldOfView = 45.0f, NearPlane = 1.0f, FarPlane = 60.0f;
// Views tried, in degrees below the horizon; steeper views read better, so a
// flatter one is taken only when it shows the level larger.
const float PitchesTried[] = {62.0f, 58.0f, 66.0f, 54.0f, 70.0f, 50.0f};
constexpr float MinTilt = 15.0f;  // never straight down
constexpr float MaxExtent = 48.0f;  // world units

struct Bounds {
    float lo[3] = {1e9f, 1e9f, 1e9f}, hi[3] = {-1e9f, -1e9f, -1e9f};
};

Bounds boundsOf(const std::vector<WorldPoint> &points)
{
    Bounds b;
    for (const WorldPoint &p : points) {
        const float v[3] = {p.x, p.y, p.z};
        for (int k = 0; k < 3; ++k) {
            b.lo[k] = std::min(b.lo[k], v[k]);
            b.hi[k] = std::max(b.hi[k], v[k]);
        }
    }
    return b;
}

std::vector<WorldPoint> cornersOf(const Bounds &b)
{
    std::vector<WorldPoint> c;
    for (int i = 0; i < 8; ++i)
        c.push_back({i & 1 ? b.hi[0] : b.lo[0], i & 2 ? b.hi[1] : b.lo[1], i & 4 ? b.hi[2] : b.lo[2]});
    return c;
}

// The game's projection of one camera at one aspect, its matrices made once
// for the many points a placement tries: the level's check and the search
// for a camera spend most of their time here.
class Projector {
public:
    Projector(const CameraSetup &camera, float aspect)
        : eye_{camera.eyeX, camera.eyeY, camera.eyeZ}
    {
        // The projection depends on the aspect alone: made once for each checked shape.
        static const struct Checked {
            Mat4f proj[std::size(CheckedAspects)];
            Checked()
            {
                for (size_t i = 0; i < std::size(CheckedAspects); ++i)
                    perspectiveMatrixf(FieldOfView, CheckedAspects[i], NearPlane, FarPlane, proj[i]);
            }
        } checked;
        int known = aspect == CheckedAspects[0] ? 0 : aspect == CheckedAspects[1] ? 1 : -1;
        if (known < 0) perspectiveMatrixf(FieldOfView, aspect, NearPlane, FarPlane, proj_);
        else std::copy(checked.proj[known], checked.proj[known] + 16, proj_);
        Vec3f centre{camera.centreX, camera.centreY, camera.centreZ};
        Vec3f up{camera.upX, camera.upY, camera.upZ};
        lookAtMatrixf(eye_, centre, up, view_);
    }
    ScreenPoint operator()(const WorldPoint &p) const
    {
        const float world[4] = {p.x - eye_.x, p.y - eye_.y, p.z - eye_.z, 1.0f};
        float eyeSpace[4], clip[4];
        for (int r = 0; r < 4; ++r) {
            eyeSpace[r] = 0.0f;
            for (int k = 0; k < 4; ++k) eyeSpace[r] += view_[k * 4 + r] * world[k];
        }
        for (int r = 0; r < 4; ++r) {
            clip[r] = 0.0f;
            for (int k = 0; k < 4; ++k) clip[r] += proj_[k * 4 + r] * eyeSpace[k];
        }
        ScreenPoint s;
        s.depth = -eyeSpace[2];
        float w = clip[3] != 0.0f ? clip[3] : 1e-6f;
        s.x = clip[0] / w;
        s.y = clip[1] / w;
        return s;
    }

private:
    Vec3f eye_;
    Mat4f proj_, view_;
};

// How the picture of the points sits: true when inside the allowed region.
bool fits(const CameraSetup &camera, const std::vector<WorldPoint> &points)
{
    for (float aspect : CheckedAspects) {
        const Projector project(camera, aspect);
        for (const WorldPoint &p : points) {
            ScreenPoint s = project(p);
            if (s.depth < NearPlane + DepthMargin || s.depth > FarPlane - DepthMargin) return false;
            if (std::fabs(s.x) > 1.0f - FitMargin || s.y > 1.0f - FitMargin || s.y < PadTop + FitMargin)
                return false;
        }
    }
    return true;
}

CameraSetup cameraAt(float pitchDegrees, float distance, float targetX, float targetY, float targetZ)
{
    float pitch = pitchDegrees * 3.14159265f / 180.0f;
    CameraSetup c{};
    c.centreX = targetX;
    c.centreY = targetY;
    c.centreZ = targetZ;
    // Rounded so the numbers written to the level file are the ones checked.
    c.eyeX = std::round((targetX - distance * std::cos(pitch)) * 1000.0f) / 1000.0f;
    c.eyeY = std::round((targetY + distance * std::sin(pitch)) * 1000.0f) / 1000.0f;
    c.eyeZ = targetZ;
    c.upX = 0.0f;
    c.upY = 1.0f;
    c.upZ = 0.0f;
    return c;
}

}  // namespace

ScreenPoint projectPoint(const CameraSetup &camera, float aspect, const WorldPoint &p)
{
    return Projector(camera, aspect)(p);
}

std::string cameraMisfit(const CameraSetup &camera, const std::vector<WorldPoint> &points)
{
    if (cameraTiltDegrees(camera) < MinTilt) return "the camera looks straight down";
    char buf[200];
    for (float aspect : CheckedAspects) {
        const Projector project(camera, aspect);
        for (const WorldPoint &p : points) {
            ScreenPoint s = project(p);
            const char *what = nullptr;
            if (s.depth < NearPlane + DepthMargin) what = "is too near the eye";
            else if (s.depth > FarPlane - DepthMargin) what = "is beyond the far plane";
            else if (std::fabs(s.x) > 1.0f - FitMargin) what = "leaves the screen sideways";
            else if (s.y > 1.0f - FitMargin) what = "leaves the top of the screen";
            else if (s.y < PadTop + FitMargin) what = "lies on the direction pad";
            if (what) {
                std::snprintf(buf, sizeof buf, "point (%g, %g, %g) %s at aspect %.2f (screen %.3f, %.3f)", p.x, p.y,
                              p.z, what, aspect, s.x, s.y);
                return buf;
            }
        }
    }
    return "";
}

bool placeCamera(const std::vector<WorldPoint> &points, CameraSetup &camera)
{
    Bounds b = boundsOf(points);
    // Far wider than any view holds (the widest is 14 cells, 28 units): no search.
    if (b.hi[0] - b.lo[0] > MaxExtent || b.hi[2] - b.lo[2] > MaxExtent) return false;
    std::vector<WorldPoint> corners = cornersOf(b);
    float midZ = (b.lo[2] + b.hi[2]) * 0.5f;
    float floorY = b.lo[1];
    bool found = false;
    float bestDistance = 1e9f;
    for (float pitch : PitchesTried) {
        // The nearest distance at which some aim along x shows the whole level.
        for (float d = 4.0f; d < FarPlane && d < bestDistance - 0.01f; d += 0.25f) {
            // Of the aims that fit, the middle one leaves the margins even.
            float first = 0.0f, last = 0.0f;
            bool ok = false;
            for (float tx = b.lo[0]; tx <= b.hi[0] + 6.0f; tx += 0.125f) {
                CameraSetup c = cameraAt(pitch, d, tx, floorY, midZ);
                if (fits(c, corners) && cameraMisfit(c, points).empty()) {
                    if (!ok) first = tx;
                    last = tx;
                    ok = true;
                } else if (ok) {
                    break;
                }
            }
            if (ok) {
                float middle = std::round((first + last) * 4.0f) / 8.0f;
                camera = cameraAt(pitch, d, middle, floorY, midZ);
                if (!cameraMisfit(camera, points).empty()) camera = cameraAt(pitch, d, first, floorY, midZ);
                bestDistance = d;
                found = true;
                break;
            }
        }
    }
    return found;
}

float cameraTiltDegrees(const CameraSetup &camera)
{
    float fx = camera.centreX - camera.eyeX, fy = camera.centreY - camera.eyeY, fz = camera.centreZ - camera.eyeZ;
    float len = std::sqrt(fx * fx + fy * fy + fz * fz);
    if (len == 0.0f || fy >= 0.0f) return 90.0f;
    return std::acos(std::min(1.0f, -fy / len)) * 180.0f / 3.14159265f;
}

bool stepRunsOnScreen(const CameraSetup &camera, int screenX, int screenY, const WorldPoint &from, const WorldPoint &to)
{
    for (float aspect : CheckedAspects) {
        const ScreenPoint a = projectPoint(camera, aspect, from), b = projectPoint(camera, aspect, to);
        const float dx = (b.x - a.x) * aspect, dy = b.y - a.y;  // in the same units across and up
        const bool along = screenX != 0 ? dx * screenX > 2.0f * std::fabs(dy) : dy * screenY > 2.0f * std::fabs(dx);
        if (!along) return false;
    }
    return true;
}
