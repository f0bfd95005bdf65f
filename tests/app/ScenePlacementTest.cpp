#include "app/ScenePlacement.h"

#include <gtest/gtest.h>

#include <glm/geometric.hpp>

#include "maze/Maze.h"

TEST(ScenePlacement, SculptureStandsInTheCellBeyondTheExitOpeningForAnyMazeSize) {
    for (const auto& [roomRows, roomColumns] : {std::pair{10, 10}, {3, 7}, {1, 1}, {6, 2}}) {
        const Maze maze(roomRows, roomColumns);
        const MazeGrid& grid = maze.getGrid();
        const glm::vec3 position = sculpturePosition(grid);
        // The centre of the outside cell at row `rows`, column `cols` - 2 ...
        EXPECT_EQ(cellIndexOf(position.z), grid.rows);
        EXPECT_EQ(cellIndexOf(position.x), grid.cols - 2);
        EXPECT_FLOAT_EQ(position.x, 2.0f * (grid.cols - 2));
        EXPECT_FLOAT_EQ(position.z, 2.0f * grid.rows);
        EXPECT_FLOAT_EQ(position.y, 1.2f);
        // ... which is the one outside cell that reads as open.
        EXPECT_FALSE(grid.inBounds(grid.rows, grid.cols - 2));
        EXPECT_FALSE(isSolid(grid.cellAt(grid.rows, grid.cols - 2)));
    }
    const Maze game(10, 10);
    const glm::vec3 position = sculpturePosition(game.getGrid());
    EXPECT_FLOAT_EQ(position.x, 38.0f);
    EXPECT_FLOAT_EQ(position.z, 42.0f);
}

TEST(ScenePlacement, LightIsHalfAUnitInFrontOfTheEyeWhereverThePlayerLooks) {
    Player player;
    player.setPosition({2.0f, 1.7f, 0.0f});
    player.look(0.0f, 0.0f);
    const glm::vec3 ahead = lightPositionFor(player);
    EXPECT_FLOAT_EQ(ahead.x, 2.0f);
    EXPECT_FLOAT_EQ(ahead.y, 1.7f);
    EXPECT_FLOAT_EQ(ahead.z, 0.5f);

    player.look(1.0f, -0.5f);
    const glm::vec3 turned = lightPositionFor(player);
    EXPECT_NEAR(glm::distance(turned, player.getPosition()), 0.5f, 1e-6f);
    EXPECT_LT(turned.y, 1.7f);  // looking down puts the light below the eye
}
