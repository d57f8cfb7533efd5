// The GL side of the camera: the matrices of camera_math.cpp multiplied onto
// the current matrix, and the reshape callback.
#include "render/camera.h"

#include <GLES/gl.h>

constexpr float FieldOfView = 45.0f;
constexpr float NearPlane = 1.0f;
constexpr float FarPlane = 60.0f;

void perspectivef(float fovy, float aspect, float zNear, float zFar)
{
    Mat4f m;
    if (perspectiveMatrixf(fovy, aspect, zNear, zFar, m)) glMultMatrixf(m);
}

void lookAtf(float eyeX, float eyeY, float eyeZ, float centreX, float centreY, float centreZ,
             float upX, float upY, float upZ)
{
    Mat4f m;
    lookAtMatrixf({eyeX, eyeY, eyeZ}, {centreX, centreY, centreZ}, {upX, upY, upZ}, m);
    glMultMatrixf(m);
    glTranslatef(-eyeX, -eyeY, -eyeZ);
}

void lookAtx(GLfixed eyeX, GLfixed eyeY, GLfixed eyeZ, GLfixed centreX, GLfixed centreY, GLfixed centreZ,
             GLfixed upX, GLfixed upY, GLfixed upZ)
{
    Mat4x m;
    lookAtMatrixx({eyeX, eyeY, eyeZ}, {centreX, centreY, centreZ}, {upX, upY, upZ}, m);
    glMultMatrixx(m);
    glTranslatex(GLfixed(0u - uint32_t(eyeX)), GLfixed(0u - uint32_t(eyeY)), GLfixed(0u - uint32_t(eyeZ)));
}

void reshape(int width, int height)
{
    // A window shrunk to no height would give an infinite aspect; it is
    // drawn as if one pixel tall.
    if (height == 0) height = 1;
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glViewport(0, 0, width, height);
    perspectivef(FieldOfView, float(width) / float(height), NearPlane, FarPlane);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
}
