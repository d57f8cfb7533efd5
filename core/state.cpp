#include "core/state.h"

#include <cstring>

BoardCell board[BoardCapacity * BoardCapacity];
int32_t boardRows, boardCols;
Piece pieceTable[PieceCapacity];
uint32_t pieceCount;
int32_t playerIndex, playerRow, playerCol;
int32_t facing = Up;
WallRecord wallList[ListCapacity];
uint32_t wallCount;
SiteRecord siteList[ListCapacity];
uint32_t siteCount;
PositionRecord positionList[ListCapacity];
uint32_t positionCount;
CameraSetup cameraSetup;

int32_t currentLevel, keptValue, soundOn;
char levelText[LevelTextCapacity];
char AppDirectory[PathCapacity];

bool levelSolved;
int32_t uncoveredSites;

int32_t ScreenState = MainMenu;
int32_t menuSelection = 1;
int32_t screenWidth, screenHeight;

uint8_t menuSoundFlag, completeSoundFlag;

GLfixed QuadVertices[12];
GLfixed QuadTexCoords[8];

uint32_t TextureSet[TextureCount];

void ResetGameState()
{
    std::memset(board, 0, sizeof board);
    boardRows = boardCols = 0;
    std::memset(pieceTable, 0, sizeof pieceTable);
    pieceCount = 0;
    playerIndex = playerRow = playerCol = 0;
    facing = Up;
    std::memset(wallList, 0, sizeof wallList);
    wallCount = 0;
    std::memset(siteList, 0, sizeof siteList);
    siteCount = 0;
    std::memset(positionList, 0, sizeof positionList);
    positionCount = 0;
    cameraSetup = CameraSetup{};
    currentLevel = keptValue = soundOn = 0;
    std::memset(levelText, 0, sizeof levelText);
    std::memset(AppDirectory, 0, sizeof AppDirectory);
    levelSolved = false;
    uncoveredSites = 0;
    ScreenState = MainMenu;
    menuSelection = 1;
    screenWidth = screenHeight = 0;
    menuSoundFlag = completeSoundFlag = 0;
    std::memset(QuadVertices, 0, sizeof QuadVertices);
    std::memset(QuadTexCoords, 0, sizeof QuadTexCoords);
    std::memset(TextureSet, 0, sizeof TextureSet);
}
