#include "app/Scene.h"

#include <utility>

#include "app/GameConstants.h"
#include "app/SceneFiles.h"
#include "app/ScenePlacement.h"

namespace {

Player playerAtEntrance() {
    Player player;
    player.setPosition(game::startPosition);
    return player;
}

ShaderProgram wallProgram() {
    ShaderProgram program(sceneFiles.wallVertexShader, asset::wallFragmentShader);
    program.setDiffuseTexture(asset::wallDiffuseTexture);
    if (sceneFiles.wallSpecularTexture != nullptr) {
        program.setSpecularTexture(sceneFiles.wallSpecularTexture);
    }
    program.setNormalTexture(sceneFiles.wallNormalTexture);
    return program;
}

ShaderProgram sculptureProgram() {
    ShaderProgram program(asset::sculptureVertexShader, asset::sculptureFragmentShader);
    program.setDiffuseTexture(asset::sculptureDiffuseTexture);
    return program;
}

}  // namespace

Scene::Scene(int roomRows, int roomColumns, PickFunction pick)
    : cam(playerAtEntrance()),
      mmesh(roomRows, roomColumns, std::move(pick)),
      wall(asset::cubeMesh),
      shader(wallProgram()),
      food(asset::cubeMesh),
      shader2(sceneFiles.foodVertexShader, asset::foodFragmentShader),
      monkey(asset::sculptureMesh),
      shaderMonkey(sculptureProgram()) {
    wall.setShader(&shader);
    wall.setTransform(&wallTransform);
    food.setShader(&shader2);
    food.setTransform(&foodTransform);
    mmesh.setWallModel(&wall);
    mmesh.setFoodModel(&food);
    monkey.setShader(&shaderMonkey);
    monkey.setTransform(&monkeyTransform);
    placeSculpture();
    text.init(asset::glyphAtlas);
}

void Scene::placeSculpture() {
    Transform* transform = monkey.getTransform();
    const glm::vec3 position = sculpturePosition(mmesh.getGrid());
    transform->setPosition(position.x, position.y, position.z);
    transform->setRotation(game::sculptureTurnRadians, game::verticalAxis);
}

void Scene::draw() {
    mmesh.setLightPosition(lightPositionFor(cam));
    mmesh.draw(cam);

    monkey.setLightPosition(lightPositionFor(cam));
    monkey.bind();
    monkey.draw(cam);
    monkey.unbind();
}

void Scene::drawScoreLine(const char* line) {
    text.draw(line, game::scoreLineX, game::scoreLineY, game::scoreLineSizePixels);
}

void Scene::release() {
    text.release();
    mmesh.release();
    wall.release();
    food.release();
    monkey.release();
    shader.release();
    shader2.release();
    shaderMonkey.release();
}
