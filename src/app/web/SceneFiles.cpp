#include "app/SceneFiles.h"

#include "app/GameConstants.h"

const SceneFiles sceneFiles{asset::wallInstancedVertexShader, asset::foodInstancedVertexShader,
                            nullptr, asset::wallWebNormalTexture};
