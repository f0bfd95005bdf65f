// The wall shader drops the faces that no reachable eye can see, so that the
// software renderer never shades them. These tests hold it to "no eye can
// see": the maze drawn with the game's wall shader and drawn with the same
// shader told to keep every face must give the same picture from anywhere the
// player can stand and look.

#include <cmath>
#include <fstream>
#include <memory>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "GameDataGlTest.h"
#include "app/GameConstants.h"
#include "assets/AssetFiles.h"
#include "maze/Maze.h"
#include "player/Player.h"
#include "render/Model.h"
#include "render/ShaderProgram.h"
#include "render/Transform.h"

namespace {

constexpr unsigned mazeSeed = 11;
constexpr int width = game::windowWidthPixels;
constexpr int height = game::windowHeightPixels;
// Where a dropped face and a kept one meet in one line, a sample on that line
// may take either: up to 72 such pixels were seen in a view (depth is written
// with a near plane close to the eye, so it is coarser far off), against tens
// of thousands when a face that can be seen is dropped.
constexpr int seamPixelsAllowed = 100;

std::string textOf(const char* path) {
    std::ifstream file(path);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

// The game's wall vertex shader with its test for hidden faces replaced.
std::string wallVertexShaderWith(const std::string& from, const std::string& to) {
    std::string text = textOf(asset::wallVertexShader);
    const size_t at = text.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    if (at != std::string::npos) {
        text.replace(at, from.size(), to);
    }
    return text;
}

struct View {
    glm::vec3 position;
    float yawRadians;
    float pitchRadians;
};

class HiddenFacesTest : public GameDataGlTest {
  protected:
    void SetUp() override {
        GameDataGlTest::SetUp();
        // The game's fixed state: what is hidden is hidden by these.
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glEnable(GL_CULL_FACE);
        std::mt19937 engine(mazeSeed);
        maze = std::make_unique<Maze>(game::roomRows, game::roomColumns, [&engine](int lo, int hi) {
            return std::uniform_int_distribution<int>(lo, hi)(engine);
        });
        wall = std::make_unique<Model>(asset::cubeMesh);
        food = std::make_unique<Model>(asset::cubeMesh);
        foodProgram =
            std::make_unique<ShaderProgram>(asset::foodVertexShader, asset::foodFragmentShader);
        wall->setTransform(&wallTransform);
        food->setTransform(&foodTransform);
        food->setShader(foodProgram.get());
        maze->setWallModel(wall.get());
        maze->setFoodModel(food.get());
    }
    void TearDown() override {
        // Set-up may have stopped early, without a context.
        if (foodProgram != nullptr) {
            wall->release();
            food->release();
            foodProgram->release();
        }
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_CULL_FACE);
        GameDataGlTest::TearDown();
    }

    // A wall program from the game's files, or with its vertex shader given.
    std::unique_ptr<ShaderProgram> wallProgram(const std::string& vertexShaderText = "") {
        const std::string vertexPath = vertexShaderText.empty()
                                           ? std::string(asset::wallVertexShader)
                                           : scratch.write("walls.vertexshader", vertexShaderText);
        auto program =
            std::make_unique<ShaderProgram>(vertexPath.c_str(), asset::wallFragmentShader);
        program->setDiffuseTexture(asset::wallDiffuseTexture);
        program->setSpecularTexture(asset::wallSpecularTexture);
        program->setNormalTexture(asset::wallNormalTexture);
        return program;
    }

    std::vector<Rgba> picture(ShaderProgram& program, const View& view) {
        Player player;
        player.setPosition(view.position);
        player.look(view.yawRadians, view.pitchRadians);
        wall->setShader(&program);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        maze->setLightPosition(view.position + player.getDirection() * 0.5f);
        maze->draw(player);
        return readBackBufferRegion(0, 0, width, height);
    }

    // Pixels of the two pictures that differ by more than a shade, and the
    // largest difference in any channel.
    struct Difference {
        int pixels = 0;
        int largestStep = 0;
    };
    static Difference differenceOf(const std::vector<Rgba>& a, const std::vector<Rgba>& b) {
        Difference difference;
        for (size_t i = 0; i < a.size(); ++i) {
            const int step = std::max(
                {std::abs(a[i].r - b[i].r), std::abs(a[i].g - b[i].g), std::abs(a[i].b - b[i].b)});
            difference.largestStep = std::max(difference.largestStep, step);
            difference.pixels += step > 1 ? 1 : 0;
        }
        return difference;
    }

    void expectSamePictures(ShaderProgram& game, ShaderProgram& everyFace,
                            const std::vector<View>& views) {
        for (const View& view : views) {
            const Difference difference =
                differenceOf(picture(game, view), picture(everyFace, view));
            EXPECT_LE(difference.pixels, seamPixelsAllowed)
                << "from (" << view.position.x << ", " << view.position.y << ", " << view.position.z
                << ") yaw " << view.yawRadians << " pitch " << view.pitchRadians
                << ", largest step " << difference.largestStep;
        }
    }

    ScratchDirectory scratch;
    std::unique_ptr<Maze> maze;
    Transform wallTransform;
    Transform foodTransform;
    std::unique_ptr<Model> wall;
    std::unique_ptr<Model> food;
    std::unique_ptr<ShaderProgram> foodProgram;
};

const char* const hiddenFaceTest = "if (hidden())";
const char* const keepEveryFace = "if (false)";

// Every room and open slot is somewhere the player may stand: eyes at both
// heights, looking along and across the corridors, level, up and steeply down.
std::vector<View> viewsFromOpenCells(const MazeGrid& grid, int count) {
    std::vector<View> views;
    std::mt19937 engine(count);
    std::uniform_int_distribution<int> row(0, grid.rows - 1);
    std::uniform_int_distribution<int> col(0, grid.cols - 1);
    std::uniform_real_distribution<float> yaw(-3.14159f, 3.14159f);
    const float pitches[] = {0.0f, -0.6f, -1.3f, 0.4f};
    while (static_cast<int>(views.size()) < count) {
        const int i = row(engine);
        const int j = col(engine);
        if (grid.cellAt(i, j) >= 'w') {
            continue;
        }
        const float eyeHeight = views.size() % 3 == 0 ? 1.0f : 1.7f;
        views.push_back({{2.0f * j, eyeHeight, 2.0f * i}, yaw(engine), pitches[views.size() % 4]});
    }
    return views;
}

// Beyond the exit opening, where the sculpture stands: the one place outside
// the floor, looking back at its edge, down and along it both ways.
std::vector<View> viewsFromBeyondTheExit(const MazeGrid& grid) {
    const glm::vec3 beyond{2.0f * (grid.cols - 2), 1.7f, 2.0f * grid.rows + 0.8f};
    const float back = 3.14159f;
    return {{beyond, back, -0.5f},
            {beyond, back + 1.2f, -0.4f},
            {beyond, back - 1.2f, -0.4f},
            {beyond - glm::vec3(0.0f, 0.7f, 0.6f), back, -1.0f}};
}

}  // namespace

TEST_F(HiddenFacesTest, DroppingThemChangesNoPixelFromAnywhereInTheMaze) {
    auto game = wallProgram();
    auto everyFace = wallProgram(wallVertexShaderWith(hiddenFaceTest, keepEveryFace));
    expectSamePictures(*game, *everyFace, viewsFromOpenCells(maze->getGrid(), 24));
    game->release();
    everyFace->release();
}

TEST_F(HiddenFacesTest, TheFloorsFarEdgeStillShowsFromBeyondTheExit) {
    auto game = wallProgram();
    auto everyFace = wallProgram(wallVertexShaderWith(hiddenFaceTest, keepEveryFace));
    const std::vector<View> views = viewsFromBeyondTheExit(maze->getGrid());
    expectSamePictures(*game, *everyFace, views);

    // The views do see the edge: without it, the pictures change.
    auto noFloorSides = wallProgram(wallVertexShaderWith("return !onTheOpenEdge;", "return true;"));
    const Difference withoutEdge =
        differenceOf(picture(*noFloorSides, views.front()), picture(*everyFace, views.front()));
    EXPECT_GT(withoutEdge.pixels, 1000);
    game->release();
    everyFace->release();
    noFloorSides->release();
}
