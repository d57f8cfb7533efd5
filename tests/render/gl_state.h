// The GL state every drawing step must leave behind.
#pragma once

#include <GLES/gl.h>
#include <gtest/gtest.h>

inline void ExpectRestingState(const char *after)
{
    SCOPED_TRACE(after);
    EXPECT_TRUE(glIsEnabled(GL_DEPTH_TEST));
    EXPECT_FALSE(glIsEnabled(GL_BLEND));
    GLint mode = 0, modelDepth = 0, projectionDepth = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &modelDepth);
    glGetIntegerv(GL_PROJECTION_STACK_DEPTH, &projectionDepth);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(modelDepth, 1);
    EXPECT_EQ(projectionDepth, 1);
    // The fixed state of start-up is never touched.
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_TRUE(glIsEnabled(GL_CULL_FACE));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
