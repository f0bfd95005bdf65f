#include "app/SceneFiles.h"

#include "app/GameConstants.h"

const SceneFiles sceneFiles{asset::wallVertexShader, asset::foodVertexShader,
                            asset::wallSpecularTexture, asset::wallNormalTexture};
