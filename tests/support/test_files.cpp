#include "tests/support/test_files.h"

#include "assets/textures.h"
#include "core/state.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
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

std::string SolidBitmap(int width, int height, Rgb colour) { return HalvesBitmap(width, height, colour, colour); }

std::string HalvesBitmap(int width, int height, Rgb left, Rgb right)
{
    const uint32_t rowSize = (width * 3 + 3) & ~3u, imageSize = rowSize * height;
    std::string file(54 + imageSize, '\0');
    const uint32_t fields[][3] = {{2, uint32_t(file.size()), 4}, {10, 54, 4}, {14, 40, 4}, {18, uint32_t(width), 4},
                                  {22, uint32_t(height), 4},     {26, 1, 2},  {28, 24, 2}, {34, imageSize, 4}};
    file[0] = 'B', file[1] = 'M';
    for (const auto &f : fields)
        for (uint32_t i = 0; i < f[2]; ++i) file[f[0] + i] = char(f[1] >> (8 * i));
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const Rgb colour = 2 * x < width ? left : right;
            char *p = &file[54 + y * rowSize + x * 3];
            p[0] = char(colour.b), p[1] = char(colour.g), p[2] = char(colour.r);
        }
    return file;
}

Rgb TextureTestColour(int textureIndex)
{
    // Told apart at a glance; each mask darkens another channel, so an arrow
    // drawn through another's mask shows. In the order of TextureFileNames.
    static const Rgb colours[TextureCount] = {
        {40, 40, 40},   {200, 120, 0},   {0, 0, 200},     {120, 120, 120}, {0, 200, 0},    // Ground .. UArrow
        {200, 0, 0},    {0, 200, 200},   {200, 0, 100},   {80, 0, 160},    {0, 160, 80},   // RArrow .. SiteCrate
        {255, 255, 0},  {160, 80, 0},    {255, 255, 255}, {255, 255, 128}, {255, 128, 255},  // comp .. DArrowMask
        {128, 255, 255}, {0, 80, 160},   {160, 0, 80},    {250, 250, 250}, {80, 160, 0},   // LArrowMask .. end
    };
    return colours[textureIndex];
}

Rgb ArrowOver(Rgb under, int arrowTexture)
{
    const Rgb mask = TextureTestColour(arrowTexture - UArrowTexture + UArrowMaskTexture), arrow = TextureTestColour(arrowTexture);
    const auto channel = [](int u, int m, int a) { return uint8_t(std::min(255, u * m / 255 + a)); };
    return {channel(under.r, mask.r, arrow.r), channel(under.g, mask.g, arrow.g), channel(under.b, mask.b, arrow.b)};
}

void WriteTestTextureSet(const std::string &dir, int height)
{
    for (int i = 0; i < TextureCount; ++i)
        WriteTextFile(dir + "/" + TextureFileNames[i], SolidBitmap(2 * height, height, TextureTestColour(i)));
}

std::string LevelText(const std::string &picture, const std::string &camera, const std::string &extraWalls)
{
    std::ostringstream lists[4];  // walls, sites, crates, keeper
    int counts[4] = {0, 0, 0, 0}, rows = 0;
    size_t cols = 0;
    std::istringstream in(picture);
    for (std::string line; std::getline(in, line); ++rows) {
        cols = std::max(cols, line.size());
        for (size_t c = 0; c < line.size(); ++c) {
            const auto add = [&](int list, const char *y, int kind) {
                lists[list] << 2 * c << ' ' << y << ' ' << 2 * rows << ' ' << kind << ' ' << rows << ' ' << c << '\n';
                ++counts[list];
            };
            if (line[c] == '#') add(0, "2.0", 1);
            if (std::strchr(".*+", line[c])) add(1, "0", 2);
            if (std::strchr("$*", line[c])) add(2, "2", 0);
            if (std::strchr("@+", line[c])) add(3, "0", 0);
        }
    }
    std::istringstream extra(extraWalls);
    for (std::string line; std::getline(extra, line);) lists[0] << line << '\n', ++counts[0];
    std::ostringstream text;
    text << camera << '\n' << rows << '\n' << cols << "\n0\n" << counts[0] << '\n' << lists[0].str() << counts[1]
         << '\n' << lists[1].str() << counts[2] + counts[3] << '\n' << lists[2].str() << lists[3].str();
    return text.str();
}
