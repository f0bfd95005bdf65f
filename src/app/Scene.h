#pragma once

#include "maze/Maze.h"
#include "player/Player.h"
#include "render/Model.h"
#include "render/ShaderProgram.h"
#include "render/Transform.h"
#include "text/TextOverlay.h"

// Everything the game draws, built once before the frame loop and kept for the
// whole run. Members are declared in the order the scene is put together, so
// construction follows it; the models point at their programs and transforms,
// the maze at the wall and food models, all of them owned here.
class Scene {
  public:
    // The maze's candidates are picked by `pick`: randomInt, or a seeded draw.
    Scene(int roomRows, int roomColumns, PickFunction pick = randomInt);

    // The maze and the sculpture, lit from just in front of the eye.
    void draw();
    // The score line, last, so that it lies over the scene.
    void drawScoreLine(const char* text);
    // Deletes every GL object while the context exists; the destructors that
    // run later make no GL call.
    void release();

    Player cam;
    Maze mmesh;

  private:
    void placeSculpture();

    Transform wallTransform;
    Model wall;
    ShaderProgram shader;
    Transform foodTransform;
    Model food;
    ShaderProgram shader2;
    Transform monkeyTransform;
    Model monkey;
    ShaderProgram shaderMonkey;
    TextOverlay text;
};
