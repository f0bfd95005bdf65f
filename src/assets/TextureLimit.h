#pragma once

// GL_MAX_TEXTURE_SIZE of the current context, asked once: the widest and
// highest level 0 that the texture loaders accept. Larger textures are
// refused before anything is allocated, because GL's own handling of them is
// not to be trusted (Mesa overruns its stack on some).
unsigned int maxTextureEdgePixels();
