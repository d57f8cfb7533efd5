#include "tools/levelkit/levels/map_writer.h"

#include <algorithm>
#include <cstdio>

namespace {

struct WallEntry {
    BoardSpot spot;
};

std::string fmt(const char *format, double a, double b = 0, double c = 0)
{
    char buf[128];
    std::snprintf(buf, sizeof buf, format, a, b, c);
    return buf;
}

bool lessSpot(const BoardSpot &a, const BoardSpot &b) { return a.row != b.row ? a.row < b.row : a.col < b.col; }

// Walls that border the inside, 8-neighbours for the look of the corners,
// 4-neighbours only when that is all the wall list holds. Text indices.
std::vector<int> touchingWalls(const Puzzle &p, const std::vector<bool> &area, bool diagonals)
{
    std::vector<int> out;
    for (int r = 0; r < p.height; ++r)
        for (int c = 0; c < p.width; ++c) {
            if (p.cells[p.index(r, c)] != Cell::Wall) continue;
            bool touches = false;
            for (int dr = -1; dr <= 1 && !touches; ++dr)
                for (int dc = -1; dc <= 1; ++dc) {
                    if (!diagonals && dr != 0 && dc != 0) continue;
                    int nr = r + dr, nc = c + dc;
                    if (nr < 0 || nc < 0 || nr >= p.height || nc >= p.width) continue;
                    if (area[p.index(nr, nc)]) touches = true;
                }
            if (touches) out.push_back(p.index(r, c));
        }
    return out;
}

std::vector<int> recordedWalls(const Puzzle &p, const std::vector<bool> &area)
{
    std::vector<int> walls = touchingWalls(p, area, true);
    if (int(walls.size()) > ListCapacity) walls = touchingWalls(p, area, false);
    return walls;
}

std::vector<BoardSpot> wallSpots(const Puzzle &p, const std::vector<bool> &area)
{
    std::vector<BoardSpot> out;
    for (int i : recordedWalls(p, area)) out.push_back(boardSpotOf(p, i));
    std::sort(out.begin(), out.end(), lessSpot);
    return out;
}

BoardGeometry geometryOf(const Puzzle &p, const std::vector<bool> &area, const std::vector<BoardSpot> &walls)
{
    BoardGeometry g;
    for (const BoardSpot &w : walls) g.walls.push_back({2.0f * w.col, 2.0f * w.row, WallTop});
    for (size_t i = 0; i < area.size(); ++i)
        if (area[i]) {
            BoardSpot s = boardSpotOf(p, int(i));
            g.insideCells.push_back({2.0f * s.col, 0.0f, 2.0f * s.row});
        }
    return g;
}

}  // namespace

BoardSpot boardSpotOf(const Puzzle &p, int textIndex)
{
    int textRow = textIndex / p.width, textCol = textIndex % p.width;
    return {textCol, p.height - 1 - textRow};
}

std::vector<WorldPoint> geometryPoints(const BoardGeometry &g)
{
    std::vector<WorldPoint> pts;
    auto square = [&](float x, float y, float z) {
        for (int k = 0; k < 4; ++k) pts.push_back({x + (k & 1 ? 1.0f : -1.0f), y, z + (k & 2 ? 1.0f : -1.0f)});
    };
    for (const BoardGeometry::Wall &w : g.walls) {
        square(w.x, -1.0f, w.z);
        square(w.x, w.top - 1.0f, w.z);
    }
    for (const WorldPoint &c : g.insideCells) {
        square(c.x, -1.0f, c.z);
        square(c.x, g.crateTop - 1.0f, c.z);
    }
    return pts;
}

Puzzle tidyPuzzle(const Puzzle &in)
{
    std::vector<bool> area = KeeperArea(in), shown = ShownCells(in);
    std::vector<bool> keep = shown;
    for (int i : recordedWalls(in, shown)) keep[i] = true;
    int top = in.height, bottom = -1, left = in.width, right = -1;
    for (int r = 0; r < in.height; ++r)
        for (int c = 0; c < in.width; ++c)
            if (keep[in.index(r, c)]) {
                top = std::min(top, r);
                bottom = std::max(bottom, r);
                left = std::min(left, c);
                right = std::max(right, c);
            }
    if (bottom < 0) return in;
    Puzzle p = in;
    p.width = right - left + 1;
    p.height = bottom - top + 1;
    p.cells.assign(size_t(p.width) * p.height, Cell::Outside);
    p.sites.assign(p.cells.size(), false);
    auto moved = [&](int i) { return p.index(i / in.width - top, i % in.width - left); };
    for (size_t i = 0; i < in.cells.size(); ++i)
        if (keep[i]) {
            p.cells[moved(int(i))] = area[i] ? Cell::Floor : shown[i] ? Cell::Outside : Cell::Wall;
            p.sites[moved(int(i))] = in.sites[i];
        }
    p.keeper = moved(in.keeper);
    for (int &c : p.crates) c = moved(c);
    std::sort(p.crates.begin(), p.crates.end());
    return p;
}

bool writeMapText(const Puzzle &original, std::string &mapText, std::string &why, bool needCamera)
{
    Puzzle p = tidyPuzzle(original);
    std::vector<bool> area = ShownCells(p);  // the keeper's area and crates sealed away on their sites
    int rows = p.width, cols = p.height;
    char buf[200];
    if (rows > BoardCapacity || cols > BoardCapacity) {
        std::snprintf(buf, sizeof buf, "it is %d x %d cells", p.width, p.height);
        why = std::string(buf) + "; " + levelLimitsText();
        return false;
    }
    std::vector<BoardSpot> walls = wallSpots(p, area);
    int sites = p.siteCount();
    int pieces = int(p.crates.size()) + 1;
    if (int(walls.size()) > ListCapacity || sites > ListCapacity || pieces > PieceCapacity) {
        std::snprintf(buf, sizeof buf, "it needs %d wall records, %d sites and %d pieces", int(walls.size()), sites,
                      pieces);
        why = std::string(buf) + "; " + levelLimitsText();
        return false;
    }
    CameraSetup camera{};
    if (!placeCamera(geometryPoints(geometryOf(p, area, walls)), camera) && needCamera) {
        std::snprintf(buf, sizeof buf, "it is too large for the camera (%d x %d cells)", p.width, p.height);
        why = std::string(buf) + "; " + levelLimitsText();
        return false;
    }
    // The game would show such a level complete on its first frame, even over
    // the menu when the progress names it: there is nothing to play.
    why = CompleteAtLoadReason(p);
    if (!why.empty()) return false;
    std::string s;
    const float cam[6] = {camera.eyeX, camera.eyeY, camera.eyeZ, camera.centreX, camera.centreY, camera.centreZ};
    for (float v : cam) s += fmt("%.3f\n", v);
    s += std::to_string(rows) + "\n" + std::to_string(cols) + "\n";
    BoardSpot k = boardSpotOf(p, p.keeper);
    s += "1\n" + fmt("%.0f %.0f %.0f\n", 2.0 * k.col, KeeperHeight, 2.0 * k.row);
    s += std::to_string(walls.size()) + "\n";
    for (const BoardSpot &w : walls)
        s += fmt("%.0f %f ", 2.0 * w.col, WallTop) + fmt("%.0f %.0f ", 2.0 * w.row, WallKind) +
             fmt("%.0f %.0f\n", w.row, w.col);
    std::vector<BoardSpot> siteSpots, crateSpots;
    for (size_t i = 0; i < p.sites.size(); ++i)
        if (p.sites[i]) siteSpots.push_back(boardSpotOf(p, int(i)));
    for (int c : p.crates) crateSpots.push_back(boardSpotOf(p, c));
    std::sort(siteSpots.begin(), siteSpots.end(), lessSpot);
    std::sort(crateSpots.begin(), crateSpots.end(), lessSpot);
    s += std::to_string(siteSpots.size()) + "\n";
    for (const BoardSpot &t : siteSpots)
        s += fmt("%.0f %.0f %.0f ", 2.0 * t.col, SiteHeight, 2.0 * t.row) + fmt("%.0f %.0f %.0f\n", Site, t.row, t.col);
    s += std::to_string(pieces) + "\n";
    for (const BoardSpot &c : crateSpots)
        s += fmt("%.0f %.0f %.0f 0 ", 2.0 * c.col, CrateHeight, 2.0 * c.row) + fmt("%.0f %.0f\n", c.row, c.col);
    s += fmt("%.0f %.0f %.0f 0 ", 2.0 * k.col, KeeperHeight, 2.0 * k.row) + fmt("%.0f %.0f\n", k.row, k.col);
    mapText = s;
    return true;
}

int largestSquareLevel()
{
    static int side = 0;
    if (side) return side;
    auto fitsSquare = [](int n) {
        Puzzle p;
        p.width = p.height = n;
        p.cells.assign(size_t(n) * n, Cell::Floor);
        p.sites.assign(p.cells.size(), false);
        for (int r = 0; r < n; ++r)
            for (int c = 0; c < n; ++c)
                if (r == 0 || c == 0 || r == n - 1 || c == n - 1) p.cells[p.index(r, c)] = Cell::Wall;
        p.keeper = p.index(1, 1);
        std::vector<bool> area = KeeperArea(p);
        CameraSetup camera;
        return placeCamera(geometryPoints(geometryOf(p, area, wallSpots(p, area))), camera);
    };
    int lo = 3, hi = 60;  // lo fits, hi does not
    while (hi - lo > 1) {
        int mid = (lo + hi) / 2;
        (fitsSquare(mid) ? lo : hi) = mid;
    }
    side = lo;
    return side;
}

std::string levelLimitsText()
{
    char buf[300];
    std::snprintf(buf, sizeof buf,
                  "a level may be at most %d x %d cells (walls included) to fit the camera, with at most %d wall "
                  "records, %d sites and %d crates",
                  largestSquareLevel(), largestSquareLevel(), ListCapacity, ListCapacity, PieceCapacity - 1);
    return buf;
}
