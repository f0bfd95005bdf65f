# The browser build (emcmake cmake): Emscripten's own GLFW, GLEW and WebGL2
# stand in for the desktop's libraries, so that the same targets link.
add_library(glfw INTERFACE)
target_link_options(glfw INTERFACE -sUSE_GLFW=3)
add_library(GLEW::GLEW INTERFACE IMPORTED)
add_library(OpenGL::GL INTERFACE IMPORTED)
target_link_options(OpenGL::GL INTERFACE -sMIN_WEBGL_VERSION=2 -sMAX_WEBGL_VERSION=2)
# glm alone: /usr/include would bring glibc's headers into the wasm build.
set(QUORRALITH_WEB_GLM ${CMAKE_BINARY_DIR}/glm-only)
file(MAKE_DIRECTORY ${QUORRALITH_WEB_GLM})
file(CREATE_LINK /usr/include/glm ${QUORRALITH_WEB_GLM}/glm SYMBOLIC)
add_library(glm::glm INTERFACE IMPORTED)
target_include_directories(glm::glm INTERFACE ${QUORRALITH_WEB_GLM})
