# Run after the browser build links (cmake -P): copies the page's own files
# from web/ beside the game's .html, .js, .wasm and .data, and writes
# build.json, which names this build's version and the size and SHA-256 of
# each file the page downloads. The page checks every download against it
# before the game starts, so that a file cut short or from another build is
# said, never played; the offline cache keeps one version whole under that
# name.
#   cmake -DSOURCE_DIR=web -DBUILD_DIR=build-web -P WebPageFiles.cmake
file(GLOB page_files ${SOURCE_DIR}/*)
list(FILTER page_files EXCLUDE REGEX "/shell\\.html$")
file(COPY ${page_files} DESTINATION ${BUILD_DIR})

set(entries "")
set(hashes "")
foreach(name quorralith.js quorralith.wasm quorralith.data)
  file(SIZE ${BUILD_DIR}/${name} bytes)
  file(SHA256 ${BUILD_DIR}/${name} hash)
  string(APPEND hashes ${hash})
  list(APPEND entries "    \"${name}\": { \"bytes\": ${bytes}, \"sha256\": \"${hash}\" }")
endforeach()
# The version covers every file the page is made of, not only the three the
# page checks: a new page with old scripts would be a mix too.
file(GLOB_RECURSE page_files_copied RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
list(FILTER page_files_copied EXCLUDE REGEX "^shell\\.html$")
list(APPEND page_files_copied quorralith.html)
list(SORT page_files_copied)
foreach(name ${page_files_copied})
  file(SHA256 ${BUILD_DIR}/${name} hash)
  string(APPEND hashes ${hash})
endforeach()
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 version)
list(JOIN entries ",\n" files)
file(WRITE ${BUILD_DIR}/build.json.new
     "{\n  \"version\": \"${version}\",\n  \"files\": {\n${files}\n  }\n}\n")
# Rewritten only when it changes, so that an unchanged build keeps its cache.
file(COPY_FILE ${BUILD_DIR}/build.json.new ${BUILD_DIR}/build.json ONLY_IF_DIFFERENT)
file(REMOVE ${BUILD_DIR}/build.json.new)
