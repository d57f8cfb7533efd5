#include "assets/bitmap.h"

#include "app/platform.h"
#include "core/paths.h"

#include <cstdlib>
#include <cstring>

static const char ErrorTitle[] = "Error";
static const char NotFoundText[] = "Can't Find Bitmap";
static const char WrongTypeText[] = "Incorrect texture type";
static const char NoMemoryText[] = "Out of Memory";

constexpr size_t FileHeaderSize = 14;
constexpr size_t InfoHeaderSize = 40;
constexpr uint16_t BitmapMagic = 0x4D42;  // "BM"
constexpr uint16_t RgbBits = 24;
constexpr uint32_t Uncompressed = 0;
constexpr int32_t PixelBytes = 3;

static uint16_t read16(const uint8_t *p) { return uint16_t(p[0] | p[1] << 8); }
static uint32_t read32(const uint8_t *p)
{
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
}

static void decodeInfo(const uint8_t *raw, BitmapInfo &info)
{
    info.headerSize = read32(raw + 0);
    info.width = int32_t(read32(raw + 4));
    info.height = int32_t(read32(raw + 8));
    info.planes = read16(raw + 12);
    info.bitsPerPixel = read16(raw + 14);
    info.compression = read32(raw + 16);
    info.imageSize = read32(raw + 20);
    info.xPixelsPerMetre = int32_t(read32(raw + 24));
    info.yPixelsPerMetre = int32_t(read32(raw + 28));
    info.coloursUsed = read32(raw + 32);
    info.coloursImportant = read32(raw + 36);
}

static bool isPowerOfTwo(int32_t n) { return n > 0 && (n & (n - 1)) == 0; }

uint64_t BitmapRowBytes(int32_t width) { return (uint64_t(width) * PixelBytes + 3) & ~uint64_t(3); }

// The original took the file on trust; a picture that GL would read past, or
// that is not the one shape we can upload, is refused instead.
static bool fitsUpload(BitmapInfo &info, uint32_t dataOffset, long fileSize)
{
    if (info.bitsPerPixel != RgbBits || info.compression != Uncompressed) return false;
    if (!isPowerOfTwo(info.width) || !isPowerOfTwo(info.height)) return false;
    const uint64_t needed = BitmapRowBytes(info.width) * uint64_t(info.height);
    if (needed > UINT32_MAX) return false;
    if (info.imageSize == 0) info.imageSize = uint32_t(needed);  // writers may leave it 0
    if (info.imageSize < needed) return false;
    return uint64_t(dataOffset) + info.imageSize <= uint64_t(fileSize);
}

static uint8_t *refuse(FILE *file, const char *text)
{
    ShowMessageBox(text, ErrorTitle);
    if (file) CloseFile(file);
    return nullptr;
}

uint8_t *LoadBitmap(const char *name, BitmapInfo &info)
{
    char path[PathCapacity];
    if (!BuildAppDirectory() || !DataFilePath(name, path)) return refuse(nullptr, NotFoundText);
    FILE *file = OpenFile(path, "rb");
    if (!file) return refuse(nullptr, NotFoundText);

    uint8_t fileHeader[FileHeaderSize] = {};
    uint8_t rawInfo[InfoHeaderSize] = {};
    const bool headersRead = std::fread(fileHeader, 1, FileHeaderSize, file) == FileHeaderSize &&
                             read16(fileHeader) == BitmapMagic &&
                             std::fread(rawInfo, 1, InfoHeaderSize, file) == InfoHeaderSize;
    if (!headersRead) return refuse(file, WrongTypeText);
    decodeInfo(rawInfo, info);
    const uint32_t dataOffset = read32(fileHeader + 10);

    // The length of the file bounds what may be read, before anything is allocated.
    long fileSize = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) fileSize = std::ftell(file);
    if (fileSize < 0 || !fitsUpload(info, dataOffset, fileSize)) return refuse(file, WrongTypeText);
    if (std::fseek(file, long(dataOffset), SEEK_SET) != 0) return refuse(file, WrongTypeText);

    uint8_t *pixels = static_cast<uint8_t *>(std::malloc(info.imageSize));
    if (!pixels) return refuse(file, NoMemoryText);
    if (std::fread(pixels, 1, info.imageSize, file) != info.imageSize) {
        std::free(pixels);
        return refuse(file, WrongTypeText);
    }
    // Blue-green-red to red-green-blue over every whole triple of the buffer,
    // row padding included, as the original did; rows of four or more pixels
    // have no padding, so no picture of the game is touched by it.
    for (uint32_t i = 0; i + PixelBytes <= info.imageSize; i += PixelBytes) {
        const uint8_t blue = pixels[i];
        pixels[i] = pixels[i + 2];
        pixels[i + 2] = blue;
    }
    CloseFile(file);
    return pixels;
}
