// The wall shader drops the faces that no eye can see, so that the software
// renderer never shades them. These tests hold it to that: the faces it drops,
// read back from the shader itself, must be exactly those lying flat against a
// neighbouring block; and the maze drawn with the game's wall shader and drawn
// with the same shader told to keep every face must give the same picture
// from anywhere the player can stand and look.

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
#include "maze/MazeBlocks.h"
#include "player/Controls.h"
#include "player/Player.h"
#include "render/GlContract.h"
#include "render/Model.h"
#include "render/ShaderProgram.h"
#include "render/Transform.h"

namespace {

constexpr unsigned mazeSeed = 11;
constexpr int width = game::windowWidthPixels;
constexpr int height = game::windowHeightPixels;

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
        maze = std::make_unique<Maze>(game::roomRows, game::roomColumns, seededPick(mazeSeed));
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
            EXPECT_EQ(difference.pixels, 0)
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

// The shader keeping every face. Beside an edge where a covered face meets an
// open one, a sample's two depths agree to within the depth buffer's step and
// either face may win; here covered faces lose such ties, as they would to the
// neighbour against them, by a depth far below any gap a player can see.
std::string everyFaceShader() {
    std::string text = wallVertexShaderWith("if (hidden())", "if (false)");
    // At the end of main, the shader's last function.
    text.insert(text.rfind('}'), " if (hidden()) { gl_Position.z += 1e-5 * gl_Position.w; }\n");
    return text;
}

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
        const float eyeHeight = views.size() % 3 == 0 ? crouchingEyeHeight : standingEyeHeight;
        views.push_back({{2.0f * j, eyeHeight, 2.0f * i}, yaw(engine), pitches[views.size() % 4]});
    }
    return views;
}

// Beyond the exit opening, where the sculpture stands: the one place outside
// the floor, looking back at its edge, down and along it both ways.
std::vector<View> viewsFromBeyondTheExit(const MazeGrid& grid) {
    const glm::vec3 beyond{2.0f * (grid.cols - 2), standingEyeHeight, 2.0f * grid.rows + 0.8f};
    const float back = 3.14159f;
    return {{beyond, back, -0.5f},
            {beyond, back + 1.2f, -0.4f},
            {beyond, back - 1.2f, -0.4f},
            {beyond - glm::vec3(0.0f, 0.7f, 0.6f), back, -1.0f}};
}

// Where no cell centre is, crouched and standing: at the entrance, where the
// wall correction holds a player walking out, looking back and down at the
// floor's front edge; pressed against the first closed wall between two rooms
// along x, and in the room's corner beside it.
std::vector<View> viewsFromTheEdges(const MazeGrid& grid) {
    int row = 1;
    int col = 2;
    while (grid.cellAt(row, col) != CellCode::wallThinAlongX) {
        col = col + 2 < grid.cols - 1 ? col + 2 : 2;
        row += col == 2 ? 2 : 0;
    }
    const glm::vec2 atWall(2.0f * col + 1.0f + wallMargin, 2.0f * row);
    const glm::vec2 corner = atWall - glm::vec2(0.0f, 1.0f - wallMargin);
    const glm::vec2 held(2.0f, wallMargin - 1.0f);
    const std::pair<glm::vec2, glm::vec2> placesAndLooks[] = {
        {held, {0.0f, -1.2f}},     {held, {-0.7f, -0.5f}},  {atWall, {-1.57f, 0.0f}},
        {atWall, {-1.57f, -1.2f}}, {atWall, {0.0f, -0.7f}}, {corner, {-2.35f, -0.3f}},
        {corner, {-2.35f, -1.3f}}, {corner, {0.8f, -0.8f}}};
    std::vector<View> views;
    for (const float eyeHeight : {crouchingEyeHeight, standingEyeHeight}) {
        for (const auto& [place, look] : placesAndLooks) {
            views.push_back({{place.x, eyeHeight, place.y}, look.x, look.y});
        }
    }
    return views;
}

// A face of the cube mesh, numbered 2 x axis + (1 on its high side).
constexpr int facesPerBlock = 6;

struct Box {
    glm::vec3 low;
    glm::vec3 high;
};

// No eye can see a face when another box lies against it: its opposite face
// in the same plane, spanning the whole of this one.
bool coveredByANeighbour(const std::vector<Box>& boxes, size_t index, int face) {
    const int axis = face / 2;
    const bool high = face % 2 == 1;
    const Box& box = boxes[index];
    for (size_t other = 0; other < boxes.size(); ++other) {
        const Box& next = boxes[other];
        bool against = other != index &&
                       (high ? next.low[axis] == box.high[axis] : next.high[axis] == box.low[axis]);
        for (int across = 0; across < 3; ++across) {
            against = against && (across == axis || (next.low[across] <= box.low[across] &&
                                                     box.high[across] <= next.high[across]));
        }
        if (against) {
            return true;
        }
    }
    return false;
}

// Whole beyond one clipping plane: dropped before any pixel is touched.
bool clippedWhole(const glm::vec4* corner) {
    for (int axis = 0; axis < 3; ++axis) {
        for (const float side : {-1.0f, 1.0f}) {
            if (side * corner[0][axis] > corner[0].w && side * corner[1][axis] > corner[1].w &&
                side * corner[2][axis] > corner[2].w) {
                return true;
            }
        }
    }
    return false;
}

// The face of the cube mesh that the triangle from index `first` lies in.
int faceOf(const Mesh& mesh, size_t first) {
    glm::vec3 centre(0.0f);  // 1 or -1 along the face's axis, a third along the others
    for (size_t corner = first; corner < first + 3; ++corner) {
        centre += mesh.getVertexPositions()[mesh.getIndices()[corner]] / 3.0f;
    }
    const int axis = std::abs(centre.x) == 1.0f ? 0 : std::abs(centre.y) == 1.0f ? 1 : 2;
    return 2 * axis + (centre[axis] > 0.0f ? 1 : 0);
}

class DroppedFacesTest : public HiddenFacesTest {
  protected:
    // Draws the blocks the game's way with the shipped wall shader, linked
    // again to hand back gl_Position, seen from high above the middle with the
    // whole maze well inside the view: a triangle out of it was put there by
    // the shader. Gives every triangle's corners, block after block.
    std::vector<glm::vec4> clipCorners(const std::vector<glm::mat4>& blocks) {
        auto program = wallProgram();
        const char* const captured[] = {"gl_Position"};
        glTransformFeedbackVaryings(program->getProgramId(), 1, captured, GL_INTERLEAVED_ATTRIBS);
        glLinkProgram(program->getProgramId());
        Player above;
        const float middle = 2.0f * game::roomColumns;
        above.setPosition({middle, 3.0f * middle, middle});
        above.look(0.0f, -1.57f);
        std::vector<glm::vec4> clip(blocks.size() * wall->getMesh().getIndices().size());
        GLuint buffer = 0;
        glGenBuffers(1, &buffer);
        glBindBufferBase(GL_TRANSFORM_FEEDBACK_BUFFER, 0, buffer);
        glBufferData(GL_TRANSFORM_FEEDBACK_BUFFER, clip.size() * sizeof(glm::vec4), nullptr,
                     GL_STATIC_READ);
        wall->setShader(program.get());
        wall->bind();
        glEnable(GL_RASTERIZER_DISCARD);
        glBeginTransformFeedback(GL_TRIANGLES);
        for (const glm::mat4& block : blocks) {
            wall->drawWithMatrix(above, block);
        }
        glEndTransformFeedback();
        glDisable(GL_RASTERIZER_DISCARD);
        wall->unbind();
        glGetBufferSubData(GL_TRANSFORM_FEEDBACK_BUFFER, 0, clip.size() * sizeof(glm::vec4),
                           clip.data());
        glDeleteBuffers(1, &buffer);
        program->release();
        return clip;
    }
};

}  // namespace

// Every triangle, so that a face dropped only in part is caught too.
TEST_F(DroppedFacesTest, AreExactlyThoseLyingFlatAgainstANeighbourInEveryMaze) {
    for (const unsigned seed : {1u, 7u, 11u, 2024u}) {
        const Maze seeded(game::roomRows, game::roomColumns, seededPick(seed));
        std::vector<glm::mat4> blocks;
        std::vector<Box> boxes;  // the cube from -1 to 1, placed
        MazeBlocks::forEachWallBlock(
            seeded.getGrid(), [&](MazeBlocks::WallBlock, const glm::mat4& m) {
                blocks.push_back(m);
                boxes.push_back({glm::vec3(m * glm::vec4(-1.0f, -1.0f, -1.0f, 1.0f)),
                                 glm::vec3(m * glm::vec4(1.0f))});
            });
        const std::vector<glm::vec4> clip = clipCorners(blocks);
        const size_t corners = wall->getMesh().getIndices().size();
        for (size_t block = 0; block < blocks.size(); ++block) {
            for (size_t first = 0; first < corners; first += 3) {
                const int face = faceOf(wall->getMesh(), first);
                EXPECT_EQ(clippedWhole(&clip[block * corners + first]),
                          coveredByANeighbour(boxes, block, face))
                    << "maze " << seed << ", block from " << boxes[block].low.x << ", "
                    << boxes[block].low.y << ", " << boxes[block].low.z << ", face " << face;
            }
        }
    }
}

TEST_F(HiddenFacesTest, DroppingThemChangesNoPixelFromAnywhereInTheMaze) {
    auto game = wallProgram();
    auto everyFace = wallProgram(everyFaceShader());
    std::vector<View> views = viewsFromOpenCells(maze->getGrid(), 24);
    const std::vector<View> edges = viewsFromTheEdges(maze->getGrid());
    views.insert(views.end(), edges.begin(), edges.end());
    expectSamePictures(*game, *everyFace, views);
    game->release();
    everyFace->release();
}

// The floor's outer edges show from beyond the exit: the views do see them,
// as the pictures change without them.
TEST_F(HiddenFacesTest, TheFloorsOuterEdgesStillShowFromBeyondTheExit) {
    auto game = wallProgram();
    auto everyFace = wallProgram(everyFaceShader());
    const std::vector<View> views = viewsFromBeyondTheExit(maze->getGrid());
    expectSamePictures(*game, *everyFace, views);
    auto noFloorSides =
        wallProgram(wallVertexShaderWith("return inGrid(cell + normal.xz);", "return true;"));
    const Difference withoutEdge =
        differenceOf(picture(*noFloorSides, views.front()), picture(*everyFace, views.front()));
    EXPECT_GT(withoutEdge.pixels, 1000);
    game->release();
    everyFace->release();
    noFloorSides->release();
}
