// Where the play camera stands for a level, and the proof that the level fits
// the view. The game looks with the 45-degree projection (near 1, far 60) and
// the up vector (0, 1, 0); screen up is world +x, screen right world +z.
#pragma once

#include "core/state.h"

#include <string>
#include <vector>

struct WorldPoint {
    float x, y, z;
};

// A screen position in normalised device units: x and y from -1 to 1, y up.
struct ScreenPoint {
    float x, y, depth;  // depth: distance in front of the eye along the view
};

// The two screen shapes the game lays itself out for, portrait and landscape.
extern const float CheckedAspects[2];
// The direction pad covers the bottom fifth of the screen: normalised y -0.6.
constexpr float PadTop = -0.6f;
constexpr float FitMargin = 0.04f;     // of the half screen, kept free on every side
constexpr float DepthMargin = 0.5f;    // world units kept from the near and far planes

ScreenPoint projectPoint(const CameraSetup &camera, float aspect, const WorldPoint &p);

// Empty when every point lies inside the part of the view above the pad at
// both aspects, between the planes and with the margins; otherwise why not.
std::string cameraMisfit(const CameraSetup &camera, const std::vector<WorldPoint> &points);

// Whether a step of the keeper on the floor from one point to another runs on
// the screen of both checked shapes the way (screenX, screenY) says (each -1,
// 0 or 1; y up), clearly more along that way than across it.
bool stepRunsOnScreen(const CameraSetup &camera, int screenX, int screenY, const WorldPoint &from, const WorldPoint &to);

// Places eye and centre so that the points fit with the largest picture; false
// when no placement fits (the level is too large for the view).
bool placeCamera(const std::vector<WorldPoint> &points, CameraSetup &camera);

// The angle between the view direction and straight down, in degrees.
float cameraTiltDegrees(const CameraSetup &camera);
