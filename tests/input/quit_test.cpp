// Quitting in a real GL context with the twenty textures loaded: the progress
// file, the textures, the sound and the exit status, also when the progress
// file cannot be written.
#include "tests/input/game_folder.h"

#include "assets/textures.h"
#include "core/state.h"
#include "input/actions.h"
#include "input/keys.h"
#include "tests/support/egl_context.h"
#include "tests/support/test_files.h"

#include <GL/freeglut.h>
#include <GLES/gl.h>

#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

// The GL calls of quitting, each with how far the rest of quitting had got:
// how many files had been opened and how many sound requests made by then.
struct GlCall {
    std::string what;
    GLuint name;
    size_t opens, sounds, exits;
};
std::vector<GlCall> glCalls;

void recordGlCall(const char *what, GLuint name)
{
    glCalls.push_back({what, name, platformRecord.opens.size(), platformRecord.sounds.size(),
                       platformRecord.exits.size()});
}

class Quitting : public GameFolderTest {
protected:
    void SetUp() override
    {
        GameFolderTest::SetUp();
        ASSERT_TRUE(MakeEglContext(16, 16));
        WriteTestTextureSet(folder);
        ASSERT_TRUE(LoadTextureSet());
        for (int i = 0; i < TextureCount; ++i) ASSERT_TRUE(glIsTexture(TextureSet[i])) << TextureFileNames[i];
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

    int quitWith(void (*quit)())
    {
        try {
            quit();
        } catch (const ProcessExit &exit) {
            return exit.status;
        }
        ADD_FAILURE() << "the game went on after quitting";
        return -1;
    }

    // Textures deleted one name per call in load order after the progress file
    // was written, then the purge, then glFinish, then the exit.
    void expectReleased()
    {
        ASSERT_EQ(glCalls.size(), size_t(TextureCount) + 1);
        for (int i = 0; i < TextureCount; ++i) {
            EXPECT_EQ(glCalls[i].what, "delete 1") << i;
            EXPECT_EQ(glCalls[i].name, TextureSet[i]) << TextureFileNames[i];
            EXPECT_GE(glCalls[i].opens, 1u);
            EXPECT_EQ(glCalls[i].sounds, 0u);
        }
        EXPECT_EQ(glCalls.back().what, "finish");
        EXPECT_EQ(glCalls.back().sounds, 1u);
        EXPECT_EQ(glCalls.back().exits, 0u);
        EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
        for (int i = 0; i < TextureCount; ++i) EXPECT_FALSE(glIsTexture(TextureSet[i])) << TextureFileNames[i];
        ASSERT_EQ(platformRecord.sounds.size(), 1u);
        EXPECT_EQ(platformRecord.sounds[0].kind, RecordedSound::StopPurge);
        EXPECT_EQ(platformRecord.exits, std::vector<int>{0});
        EXPECT_EQ(glutRecord.redisplays, 0);
    }
};

TEST_F(Quitting, SavesReleasesTheTexturesSilencesAndEndsWithZero)
{
    EXPECT_EQ(quitWith(QuitGame), 0);
    EXPECT_EQ(ProgressText(), "-4\n42\n44\n");
    EXPECT_TRUE(platformRecord.messages.empty());
    expectReleased();
}

TEST_F(Quitting, TheQuitKeysOfPlayDoTheSame)
{
    EXPECT_EQ(quitWith([] { special(GLUT_KEY_F3, 0, 0); }), 0);
    EXPECT_EQ(ProgressText(), "-4\n42\n44\n");
    expectReleased();
}

TEST_F(Quitting, AnUnwritableProgressFileIsReportedAndTheGameStillEnds)
{
    std::remove((folder + "/config.ini").c_str());
    ASSERT_EQ(mkdir((folder + "/config.ini").c_str(), 0755), 0);
    EXPECT_EQ(quitWith([] { keyboard('3', 0, 0); }), 0);
    ASSERT_EQ(platformRecord.messages.size(), 1u);
    EXPECT_EQ(platformRecord.messages[0].text, "Config.ini file cant be opened");
    EXPECT_EQ(platformRecord.messages[0].title, "Error");
    expectReleased();
}

}  // namespace

extern "C" {
void __real_glDeleteTextures(GLsizei, const GLuint *);
void __real_glFinish();

void __wrap_glDeleteTextures(GLsizei n, const GLuint *names)
{
    recordGlCall(("delete " + std::to_string(n)).c_str(), n > 0 ? names[0] : 0);
    __real_glDeleteTextures(n, names);
}
void __wrap_glFinish()
{
    recordGlCall("finish", 0);
    __real_glFinish();
}
}
