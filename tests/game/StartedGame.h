#pragma once
// A game started through init on the generated art, silent, in a 1280 x 720 window
// (scale 2, views of 640 x 360), with its settings and support folder in temporary
// folders. It opens on the title screen.
#include "game/Game.h"
#include "platform/TestFolders.h"

#include <filesystem>
#include <gtest/gtest.h>

class StartedGame : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* folder : {"sprites", "fonts", "shaders"})
            std::filesystem::create_directory_symlink(std::string(TAPBURG_TEST_DATA_DIR) + folder,
                                                      data.path() + folder);
        data.write("conf.dat", "isFullscreen=false\npostProcessing=false\nwidth=1280\n"
                               "height=720\nsfxEnabled=false\nmusicEnabled=false\n");
        ASSERT_TRUE(game.init(0, nullptr));
        ASSERT_EQ(game.scale, 2);
    }

    TempFolder data, home;
    ScopedEnv dataDir{"TAPBURG_DATA_DIR", data.path()};
    ScopedEnv xdg{"XDG_DATA_HOME", home.path()};
    Game game;
};
