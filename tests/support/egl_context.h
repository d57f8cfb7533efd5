// A real OpenGL ES 1.1 context (Mesa) in an EGL pbuffer, with no window and
// no X server: the render tests draw into it and read the pixels back.
#pragma once

#include <cstdint>
#include <vector>

// Makes a width x height RGBA pbuffer with a depth buffer and its ES 1
// context current. False (with a reason on stderr) when EGL cannot give one.
bool MakeEglContext(int width, int height);
void DestroyEglContext();

struct Pixel {
    uint8_t r, g, b, a;
};
// The whole pbuffer, bottom row first, as glReadPixels gives it.
std::vector<Pixel> ReadFrame(int width, int height);
