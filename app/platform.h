// The game's only way to the system: files, message boxes, sound, screen size,
// maths and process exit. The game links platform_linux.cpp; the tests link a
// double that records every call and hands control back when the game exits.
#pragma once

#include <cstddef>
#include <cstdio>

// Full path of the running executable, '/'-separated and zero-terminated.
// False when it cannot be found or does not fit in capacity bytes.
bool ExecutablePath(char *out, size_t capacity);

// fopen and fclose, so that the tests can see which files the game touches.
FILE *OpenFile(const char *path, const char *mode);
void CloseFile(FILE *file);
// Flushes and syncs a file written under tempPath, closes it and renames it
// over path. False (with tempPath removed) when any step fails.
bool ReplaceFile(FILE *file, const char *tempPath, const char *path);

// A modal box with an OK button and no owner; returns when it is closed.
void ShowMessageBox(const char *text, const char *title);

// Starts a WAV file asynchronously, once or looped, replacing the sound that
// plays. False when the file cannot be found or decoded.
bool PlaySoundFile(const char *path, bool loop);
enum class SoundStop { Plain, Purge };
// Ends the sound that plays at once.
void StopSound(SoundStop form);

// The screen the game lays itself out for, in pixels.
void ScreenSize(int *width, int *height);

double Sine(double radians);
double Cosine(double radians);
double SquareRoot(double value);

// Ends the process with the status; nothing of the game runs afterwards.
[[noreturn]] void EndProcess(int status);
