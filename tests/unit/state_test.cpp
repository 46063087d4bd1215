// The framework's globals hold their documented initial values before anything runs.
#include <gtest/gtest.h>

#include <cstring>

#include "corvel/corvel.h"

using namespace corvel;

TEST(State, WindowHandlesAndSwitchesStartCleared) {
    EXPECT_FALSE(ACTIVE);
    EXPECT_EQ(HWINDOW, 0u);
    EXPECT_EQ(DCWINDOW, 0u);
    EXPECT_EQ(RCWINDOW, 0u);
    EXPECT_EQ(HSTATUS, 0u);
    EXPECT_FALSE(VIEWFPS);
    EXPECT_FALSE(SHOWMENUBAR);
    EXPECT_FALSE(SHOWSTATUSBAR);
    EXPECT_EQ(CREATEMENUBAR, nullptr);
    EXPECT_EQ(CREATEMOUSEMENU, nullptr);
    EXPECT_EQ(GETINPUTCOMMAND, nullptr);
}

TEST(State, SettingsStartAtTheirValues) {
    EXPECT_EQ(FORCEFPS, 1);
    EXPECT_EQ(CVLVERSION, "1.0");
    EXPECT_TRUE(BMPTYPE.empty());
    EXPECT_TRUE(LOCKVIEWMODELSCALE);
    EXPECT_EQ(GL_MIN_FILTER, 9729);
    EXPECT_EQ(GL_MAG_FILTER, 9729);
    const float ambient[4] = {0.5f, 0.5f, 0.5f, 1.0f};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(AMBIENTLIGHT[i], ambient[i]);
        EXPECT_EQ(DIFFUSELIGHT[i], 1.0f);
        EXPECT_EQ(SPECULARLIGHT[i], 1.0f);
        EXPECT_EQ(LIGHTPOSITION[i], 0.0f);
    }
}

TEST(State, TableBoundsAreThoseOfTheDataModel) {
    EXPECT_EQ(SETKEY.LOW, 0);
    EXPECT_EQ(SETKEY.HIGH, 500);
    EXPECT_EQ(FILENAME.size(), 261u);
    EXPECT_EQ(STATUSITEM.LOW, 1);
    EXPECT_EQ(STATUSITEM.HIGH, 20);
    EXPECT_EQ(EDGES.size(), 20u);
    EXPECT_EQ(TEXTUREID2.size(), 501u);
    EXPECT_EQ(TEXTURETGA2.size(), 201u);
    EXPECT_EQ(FNORMAL.LOW, 1);
    for (int code = 0; code <= 500; ++code) EXPECT_EQ(SETKEY[code], 0);
}

TEST(State, TgaSignaturesAreTheTwoPatterns) {
    const uint8_t uncompressed[12] = {0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const uint8_t compressed[12] = {0, 0, 10, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    EXPECT_EQ(std::memcmp(UTGACOMPARE.data(), uncompressed, 12), 0);
    EXPECT_EQ(std::memcmp(CTGACOMPARE.data(), compressed, 12), 0);
}

TEST(StateDeathTest, IndexOutsideARangeEndsTheProgram) {
    EXPECT_DEATH(SETKEY[501] = 1, "index 501 outside 0..500");
    EXPECT_DEATH(FNORMAL[0] = 1.0, "index 0 outside 1..3");
}
