#pragma once

// The files the scene reads that differ by platform (desktop/SceneFiles.cpp
// and web/SceneFiles.cpp; the build takes one of them): the page draws the
// maze's blocks instanced (MazeDrawing), with vertex shaders written for
// that, and its data leaves out the specular map, which no shader samples,
// and takes the normal map in fewer levels a channel.
struct SceneFiles {
    const char* wallVertexShader;
    const char* foodVertexShader;
    // Null where the platform's data has none.
    const char* wallSpecularTexture;
    const char* wallNormalTexture;
};

extern const SceneFiles sceneFiles;
