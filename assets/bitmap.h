// Reading a ".tex" picture: a 24-bit uncompressed bottom-up bitmap.
#pragma once

#include <cstdint>

// The 40-byte info header as the file stores it (little-endian fields).
struct BitmapInfo {
    uint32_t headerSize;
    int32_t width;
    int32_t height;
    uint16_t planes;
    uint16_t bitsPerPixel;
    uint32_t compression;
    uint32_t imageSize;
    int32_t xPixelsPerMetre;
    int32_t yPixelsPerMetre;
    uint32_t coloursUsed;
    uint32_t coloursImportant;
};

// The pixels of the named file in AppDirectory, turned to red, green, blue,
// in a buffer of info.imageSize bytes (after the call, never less than the rows
// glTexImage2D reads). Null after showing "Can't Find Bitmap", "Incorrect
// texture type" or "Out of Memory". The caller frees the buffer with std::free.
uint8_t *LoadBitmap(const char *name, BitmapInfo &info);

// Bytes glTexImage2D reads for a 24-bit picture of this size with the default
// unpack alignment of four.
uint64_t BitmapRowBytes(int32_t width);
