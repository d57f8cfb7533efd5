// The level loader. A level file is a run of numbers read with the formats
// below; every count, cell and coordinate is checked before anything is kept,
// and a file that breaks a rule is refused like a missing one.
//
// The whole file is read into a staging copy first and only then laid over the
// game state, so a refused file leaves the state as it was (only AppDirectory
// and levelText, which name the file, have changed). The game ends right after
// a refusal anyway; the tools that share this loader see the same rule.
#include "core/level.h"

#include "app/platform.h"
#include "core/paths.h"
#include "core/state.h"

#include <cstdio>
#include <cstring>

namespace {

struct CellRecord {
    int32_t kind, row, col;
};

struct StagedLevel {
    float camera[6];  // eye x, y, z, centre x, y, z
    int32_t rows, cols;
    uint32_t positionCount, wallCount, siteCount, pieceCount;
    PositionRecord positions[ListCapacity];
    WallRecord walls[ListCapacity];
    CellRecord wallCells[ListCapacity];
    SiteRecord sites[ListCapacity];
    CellRecord siteCells[ListCapacity];
    Piece pieces[PieceCapacity];
};

// A file coordinate is whole world units; it must still fit in GLfixed once
// multiplied by 65536.
constexpr int32_t CoordinateMin = -32768;
constexpr int32_t CoordinateMax = 32767;
constexpr float FixedScale = 65536.0f;
constexpr float FixedLimit = 2147483648.0f;  // 2^31: the first value GLfixed cannot hold

}  // namespace

static StagedLevel staged;

static bool toFixed(int value, GLfixed *out)
{
    if (value < CoordinateMin || value > CoordinateMax) return false;
    *out = value * FixedOne;
    return true;
}

// The wall top is a fraction, truncated towards zero: 1.5 is 98304, -0.5 is
// -32768. NaN fails both comparisons and is refused with the rest.
static bool fractionToFixed(float value, GLfixed *out)
{
    float scaled = value * FixedScale;
    if (!(scaled >= -FixedLimit && scaled < FixedLimit)) return false;
    *out = static_cast<GLfixed>(scaled);
    return true;
}

static bool insideLevel(int row, int col)
{
    return row >= 0 && row < staged.rows && col >= 0 && col < staged.cols;
}

// "%i" counts: decimal, octal after 0, hexadecimal after 0x.
static bool readCount(FILE *file, uint32_t capacity, uint32_t *count)
{
    int value;
    if (std::fscanf(file, "%i\n", &value) != 1) return false;
    if (value < 0 || static_cast<uint32_t>(value) > capacity) return false;
    *count = static_cast<uint32_t>(value);
    return true;
}

static bool readHead(FILE *file)
{
    for (float &value : staged.camera)
        if (std::fscanf(file, "%f\n", &value) != 1) return false;
    // Rows and columns are "%d": 010 is ten here, unlike in the counts.
    if (std::fscanf(file, "%d\n", &staged.rows) != 1) return false;
    if (std::fscanf(file, "%d\n", &staged.cols) != 1) return false;
    return staged.rows >= 0 && staged.rows <= BoardCapacity && staged.cols >= 0 &&
           staged.cols <= BoardCapacity;
}

static bool readPositions(FILE *file)
{
    if (!readCount(file, ListCapacity, &staged.positionCount)) return false;
    for (uint32_t i = 0; i < staged.positionCount; ++i) {
        int x, y, z;
        PositionRecord &record = staged.positions[i];
        if (std::fscanf(file, "%i %i %i\n", &x, &y, &z) != 3) return false;
        if (!toFixed(x, &record.x) || !toFixed(y, &record.y) || !toFixed(z, &record.z)) return false;
    }
    return true;
}

static bool readWalls(FILE *file)
{
    if (!readCount(file, ListCapacity, &staged.wallCount)) return false;
    for (uint32_t i = 0; i < staged.wallCount; ++i) {
        int x, z, kind, row, col;
        float top;
        WallRecord &record = staged.walls[i];
        if (std::fscanf(file, "%i %f %i %i %i %i\n", &x, &top, &z, &kind, &row, &col) != 6) return false;
        if (!toFixed(x, &record.x) || !fractionToFixed(top, &record.top) || !toFixed(z, &record.z))
            return false;
        if (!insideLevel(row, col)) return false;
        staged.wallCells[i] = {kind, row, col};
    }
    return true;
}

static bool readSites(FILE *file)
{
    if (!readCount(file, ListCapacity, &staged.siteCount)) return false;
    for (uint32_t i = 0; i < staged.siteCount; ++i) {
        int x, y, z, kind, row, col;
        SiteRecord &record = staged.sites[i];
        if (std::fscanf(file, "%i %i %i %i %i %i\n", &x, &y, &z, &kind, &row, &col) != 6) return false;
        if (!toFixed(x, &record.x) || !toFixed(y, &record.y) || !toFixed(z, &record.z)) return false;
        if (!insideLevel(row, col)) return false;
        staged.siteCells[i] = {kind, row, col};
    }
    return true;
}

static bool readPieces(FILE *file)
{
    if (!readCount(file, PieceCapacity, &staged.pieceCount)) return false;
    if (staged.pieceCount == 0) return false;  // there is always a keeper
    for (uint32_t i = 0; i < staged.pieceCount; ++i) {
        int x, y, z, ignored, row, col;
        Piece &piece = staged.pieces[i];
        if (std::fscanf(file, "%i %i %i %i %i %i\n", &x, &y, &z, &ignored, &row, &col) != 6) return false;
        if (!toFixed(x, &piece.x) || !toFixed(y, &piece.y) || !toFixed(z, &piece.z)) return false;
        if (!insideLevel(row, col)) return false;
        piece.row = row;
        piece.col = col;
        piece.index = static_cast<int32_t>(i);
    }
    return true;
}

static BoardCell &cellAt(int32_t row, int32_t col) { return board[row * BoardCapacity + col]; }

// Lays the checked level over the game state in the order the file gives it:
// walls and sites set their cells before any piece looks at a cell, so a site
// record after a wall record on the same cell wins, and every piece's state
// sees the final kinds.
static void applyStagedLevel()
{
    cameraSetup.eyeX = staged.camera[0];
    cameraSetup.eyeY = staged.camera[1];
    cameraSetup.eyeZ = staged.camera[2];
    cameraSetup.centreX = staged.camera[3];
    cameraSetup.centreY = staged.camera[4];
    cameraSetup.centreZ = staged.camera[5];

    // Only the new rectangle is reset; cells outside keep an earlier level's
    // contents and are never read.
    boardRows = staged.rows;
    boardCols = staged.cols;
    for (int32_t r = 0; r < boardRows; ++r)
        for (int32_t c = 0; c < boardCols; ++c) cellAt(r, c) = {Floor, NoOccupant};

    positionCount = staged.positionCount;
    std::memcpy(positionList, staged.positions, positionCount * sizeof positionList[0]);

    wallCount = staged.wallCount;
    for (uint32_t i = 0; i < wallCount; ++i) {
        wallList[i] = staged.walls[i];
        cellAt(staged.wallCells[i].row, staged.wallCells[i].col).kind = staged.wallCells[i].kind;
    }

    siteCount = staged.siteCount;
    for (uint32_t i = 0; i < siteCount; ++i) {
        siteList[i] = staged.sites[i];
        cellAt(staged.siteCells[i].row, staged.siteCells[i].col).kind = staged.siteCells[i].kind;
    }

    pieceCount = staged.pieceCount;
    playerIndex = static_cast<int32_t>(pieceCount) - 1;
    for (uint32_t i = 0; i < pieceCount; ++i) {
        Piece &piece = pieceTable[i];
        piece = staged.pieces[i];
        BoardCell &cell = cellAt(piece.row, piece.col);
        // Each record overwrites the keeper's cell, so the last one, the
        // keeper, is what remains.
        playerRow = piece.row;
        playerCol = piece.col;
        if (i < pieceCount - 1) cell.occupant = static_cast<int32_t>(i);  // the keeper is never an occupant
        piece.state = cell.kind == Site ? OnSite : OffSite;               // the keeper's too
    }
}

static bool readLevelFile(FILE *file)
{
    return readHead(file) && readPositions(file) && readWalls(file) && readSites(file) && readPieces(file);
}

[[noreturn]] static void refuseLevelFile()
{
    ShowMessageBox("This file cant be opened!", levelText);
    StopSound(SoundStop::Purge);
    EndProcess(1);
}

void LevelNumberText(int32_t n)
{
    std::memset(levelText, 0, 3);
    if (n >= 1 && n <= LevelCount) std::snprintf(levelText, sizeof levelText, "%d", static_cast<int>(n));
}

bool LoadLevel(int32_t n)
{
    bool haveDirectory = BuildAppDirectory();
    LevelNumberText(n);
    char name[sizeof "Level" + LevelTextCapacity + sizeof ".Map"];
    std::snprintf(name, sizeof name, "Level%s.Map", levelText);
    char path[PathCapacity];
    FILE *file = haveDirectory && DataFilePath(name, path) ? OpenFile(path, "r") : nullptr;
    if (!file) refuseLevelFile();
    bool valid = readLevelFile(file);
    CloseFile(file);
    if (!valid) refuseLevelFile();
    applyStagedLevel();
    return true;
}
