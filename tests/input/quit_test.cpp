// Quitting in a real GL context with the twenty textures loaded: the progress
// file, the textures, the sound and the exit status, also when the progress
// file cannot be written.
#include "tests/input/game_folder.h"

#include "assets/textures.h"
#include "input/actions.h"
#include "input/keys.h"
#include "tests/support/egl_context.h"

#include <GLES/gl.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// The GL calls of quitting, each with how far the rest of quitting had got.
std::vector<std::string> glCalls;

void recordGlCall(const std::string &what)
{
    glCalls.push_back(what + (platformRecord.opens.empty() ? " unsaved" : " saved") + " sounds " +
                      std::to_string(platformRecord.sounds.size()) + " exits " +
                      std::to_string(platformRecord.exits.size()));
}

class Quitting : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        ASSERT_TRUE(MakeEglContext(16, 16));
        WriteTestTextureSet(folder);
        ASSERT_TRUE(LoadTextureSet());
        StartOn(42, Playing);
        keptValue = -4;
        soundOn = 300;  // low byte 44
        glCalls.clear();
    }
    void TearDown() override
    {
        DestroyEglContext();
        GameFolderTest::TearDown();
    }

    // Ends with 0 after deleting the textures one name per call in load order
    // once the progress file was written, then the purge, then glFinish.
    void expectQuitReleasing(void (*quit)())
    {
        std::vector<std::string> want;
        for (int i = 0; i < TextureCount; ++i) {
            ASSERT_TRUE(glIsTexture(TextureSet[i])) << TextureFileNames[i];
            want.push_back("delete 1 of " + std::to_string(TextureSet[i]) + " saved sounds 0 exits 0");
        }
        want.push_back("finish saved sounds 1 exits 0");
        EXPECT_THROW(quit(), ProcessExit);
        EXPECT_EQ(glCalls, want);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        for (int i = 0; i < TextureCount; ++i) EXPECT_FALSE(glIsTexture(TextureSet[i])) << TextureFileNames[i];
        ASSERT_EQ(platformRecord.sounds.size(), 1u);
        EXPECT_EQ(platformRecord.sounds[0].kind, RecordedSound::StopPurge);
        EXPECT_EQ(platformRecord.exits, std::vector<int>{0});
    }
};

TEST_F(Quitting, SavesReleasesTheTexturesSilencesAndEndsWithZero)
{
    expectQuitReleasing(QuitGame);
    EXPECT_EQ(ProgressText(), "-4\n42\n44\n");
    EXPECT_TRUE(platformRecord.messages.empty());
}

TEST_F(Quitting, AnUnwritableProgressFileIsReportedAndTheGameStillEnds)
{
    std::remove((folder + "/config.ini").c_str());
    ASSERT_EQ(mkdir((folder + "/config.ini").c_str(), 0755), 0);
    expectQuitReleasing([] { keyboard('3', 0, 0); });
    ASSERT_EQ(platformRecord.messages.size(), 1u);
    EXPECT_EQ(platformRecord.messages[0].text, "Config.ini file cant be opened");
    EXPECT_EQ(platformRecord.messages[0].title, "Error");
}

}  // namespace

extern "C" {
void __real_glDeleteTextures(GLsizei, const GLuint *);
void __real_glFinish();

void __wrap_glDeleteTextures(GLsizei n, const GLuint *names)
{
    recordGlCall("delete " + std::to_string(n) + " of " + std::to_string(n > 0 ? names[0] : 0));
    __real_glDeleteTextures(n, names);
}
void __wrap_glFinish()
{
    recordGlCall("finish");
    __real_glFinish();
}
}
