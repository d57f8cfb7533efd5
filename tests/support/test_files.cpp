#include "tests/support/test_files.h"

#include "assets/textures.h"
#include "core/state.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

std::string MakeTempFolder()
{
    const char *base = std::getenv("TMPDIR");
    std::string pattern = std::string(base && *base ? base : "/tmp") + "/cratewright-test-XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!mkdtemp(name.data())) throw std::runtime_error("cannot make a temporary folder");
    return name.data();
}

void RemoveTree(const std::string &dir)
{
    if (dir.size() > 5) std::system(("rm -rf '" + dir + "'").c_str());
}

void WriteTextFile(const std::string &path, const std::string &text)
{
    std::ofstream out(path, std::ios::binary);
    out << text;
    if (!out) throw std::runtime_error("cannot write " + path);
}

std::string ReadTextFile(const std::string &path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

static void put16(std::vector<uint8_t> &b, size_t at, uint16_t v)
{
    b[at] = v & 0xFF;
    b[at + 1] = v >> 8;
}

static void put32(std::vector<uint8_t> &b, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i) b[at + i] = (v >> (8 * i)) & 0xFF;
}

void WriteSolidBitmap(const std::string &path, int width, int height, Rgb colour)
{
    const uint32_t rowSize = (width * 3 + 3) & ~3u;
    const uint32_t imageSize = rowSize * height;
    std::vector<uint8_t> file(54 + imageSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    put32(file, 2, file.size());
    put32(file, 10, 54);
    put32(file, 14, 40);
    put32(file, 18, width);
    put32(file, 22, height);
    put16(file, 26, 1);
    put16(file, 28, 24);
    put32(file, 34, imageSize);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t *p = &file[54 + y * rowSize + x * 3];
            p[0] = colour.b;
            p[1] = colour.g;
            p[2] = colour.r;
        }
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char *>(file.data()), file.size());
    if (!out) throw std::runtime_error("cannot write " + path);
}

Rgb TextureTestColour(int textureIndex)
{
    // Distinct, fully saturated-ish colours; masks are white so that the
    // mask pass keeps what lies under the arrow.
    static const Rgb colours[TextureCount] = {
        {40, 40, 40},    // Ground
        {200, 120, 0},   // Crate
        {0, 0, 200},     // Site
        {120, 120, 120}, // Static
        {0, 200, 0},     // UArrow
        {200, 0, 0},     // RArrow
        {0, 200, 200},   // DArrow
        {200, 0, 200},   // LArrow
        {80, 0, 160},    // Menu
        {0, 160, 80},    // SiteCrate
        {255, 255, 0},   // comp
        {160, 80, 0},    // credits
        {255, 255, 255}, // UArrowMask
        {255, 255, 255}, // RArrowMask
        {255, 255, 255}, // DArrowMask
        {255, 255, 255}, // LArrowMask
        {0, 80, 160},    // dpad
        {160, 0, 80},    // options
        {250, 250, 250}, // off
        {80, 160, 0},    // end
    };
    return colours[textureIndex];
}

void WriteTestTextureSet(const std::string &dir, int size)
{
    for (int i = 0; i < TextureCount; ++i)
        WriteSolidBitmap(dir + "/" + TextureFileNames[i], size, size, TextureTestColour(i));
}
