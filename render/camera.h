// Camera and projection: the reshape callback, the float and fixed-point
// look-at, and the perspective. The *Matrix* builders need no GL, so the tools
// check levels with the game's own arithmetic.
#pragma once

#include "core/state.h"

struct Vec3f { float x, y, z; };
struct Vec3x { GLfixed x, y, z; };
// Column-major, as glMultMatrixf and glMultMatrixx take them.
typedef float Mat4f[16];
typedef GLfixed Mat4x[16];

void identityf(Mat4f m);
void identityx(Mat4x m);
void normalizef(Vec3f &v);
void normalizex(Vec3x &v);
void crossf(const Vec3f &a, const Vec3f &b, Vec3f &out);
void crossx(const Vec3x &a, const Vec3x &b, Vec3x &out);
GLfixed mulx(GLfixed a, GLfixed b);
GLfixed sqrtx(GLfixed x);

// The perspective matrix; false (m untouched) when depth range, sine or aspect is 0.
bool perspectiveMatrixf(float fovy, float aspect, float zNear, float zFar, Mat4f m);
// The rotation of a look-at; the view is this matrix followed by a translation by -eye.
void lookAtMatrixf(const Vec3f &eye, const Vec3f &centre, const Vec3f &up, Mat4f m);
void lookAtMatrixx(const Vec3x &eye, const Vec3x &centre, const Vec3x &up, Mat4x m);

// Multiply onto the current GL matrix.
void perspectivef(float fovy, float aspect, float zNear, float zFar);
void lookAtf(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ,
             float upX, float upY, float upZ);
void lookAtx(GLfixed eyeX, GLfixed eyeY, GLfixed eyeZ, GLfixed centreX, GLfixed centreY, GLfixed centreZ,
             GLfixed upX, GLfixed upY, GLfixed upZ);

// GLUT reshape callback: viewport and the 45-degree projection.
void reshape(int width, int height);
