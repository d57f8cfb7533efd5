// The whole game state: one set of globals with static storage and fixed
// capacities. Defined in state.cpp; nothing else defines a global that other
// files read.
#pragma once

#include <cstdint>

// The OpenGL ES 16.16 fixed-point number (65536 is 1.0). Declared here as GLES
// declares it, so the game core needs no GL header.
typedef int32_t GLfixed;

constexpr GLfixed FixedOne = 65536;
constexpr GLfixed BoardStep = 2 * FixedOne;  // one cell is two world units

// Capacities a level must respect.
constexpr int BoardCapacity = 150;           // rows and columns
constexpr int ListCapacity = 150;            // walls, sites, positions
constexpr int PieceCapacity = 50;            // crates and the keeper
constexpr int PathCapacity = 256;            // bytes of a data path, its zero included
constexpr int LevelTextCapacity = 8;
constexpr int LevelCount = 100;
constexpr int TextureCount = 20;
constexpr int NoOccupant = -1;

// Cell kinds: any value other than Floor and Site is a wall.
enum TileKind : int32_t { Floor = 0, Site = 2 };
enum PieceState : int32_t { OffSite = 2, OnSite = 13 };
enum Facing : int32_t { Up = 5, Right = 6, Down = 7, Left = 8 };
// Values of ScreenState; 2 and 6 are never assigned.
enum Screen : int32_t {
    MainMenu = 0,
    Playing = 1,
    LevelComplete = 3,
    Options = 4,
    Credits = 5,
    GameComplete = 7,
};

struct BoardCell {
    int32_t kind;
    int32_t occupant;  // index of the crate on the cell, NoOccupant when none
};

struct Piece {
    GLfixed x, y, z;
    int32_t row, col;
    int32_t index;
    int32_t state;
};

struct WallRecord { GLfixed x, top, z; };
struct SiteRecord { GLfixed x, y, z; };
struct PositionRecord { GLfixed x, y, z; };

struct CameraSetup {
    float eyeX, eyeY, eyeZ;
    float centreX, centreY, centreZ;
    float upX, upY, upZ;
};

// Level part, filled by LoadLevel and changed by the move rules.
// Cell (r, c) is board[r * BoardCapacity + c].
extern BoardCell board[BoardCapacity * BoardCapacity];
extern int32_t boardRows, boardCols;
extern Piece pieceTable[PieceCapacity];   // crates first, the keeper last
extern uint32_t pieceCount;
extern int32_t playerIndex, playerRow, playerCol;
extern int32_t facing;
extern WallRecord wallList[ListCapacity];
extern uint32_t wallCount;
extern SiteRecord siteList[ListCapacity];
extern uint32_t siteCount;
extern PositionRecord positionList[ListCapacity];
extern uint32_t positionCount;
extern CameraSetup cameraSetup;

// Level number and settings; the last three live in the progress file.
extern int32_t currentLevel, keptValue, soundOn;
extern char levelText[LevelTextCapacity];

// Data files live beside the executable.
extern char AppDirectory[PathCapacity];

// Result of the solved test.
extern bool levelSolved;
extern int32_t uncoveredSites;

// Screen flow.
extern int32_t ScreenState;
extern int32_t menuSelection;
extern int32_t screenWidth, screenHeight;

// Once-only flags of the two sounds.
extern uint8_t menuSoundFlag, completeSoundFlag;

// The one vertex and texture-coordinate array of the program.
extern GLfixed QuadVertices[12];
extern GLfixed QuadTexCoords[8];

// The twenty texture objects, in load order (names in assets/textures.h).
extern uint32_t TextureSet[TextureCount];

// Puts every variable above back to its start value (tests and tools start
// each case from a fresh game).
void ResetGameState();
