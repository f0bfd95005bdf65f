# Run after the browser build links (cmake -P): copies the page's own files
# from web/ beside the game's .html, .js, .wasm and .data, the page once more
# as index.html (so that the build's folder address opens the game), and
# gzips the game's three files: a host that compresses nothing sends them so,
# and the page unpacks them itself. Then writes build.json, which names this
# build's version and the size and SHA-256 of each file the page downloads.
# The page checks every download against it before the game starts, so that a
# file cut short or from another build is said, never played. Then sw.js, the
# offline copy's worker, from web/sw.js.in with the version and every file of
# the page, which it keeps whole under that version; and web-files.txt, the
# same files and the worker, which are all that the page needs on a host.
#   cmake -DSOURCE_DIR=web -DBUILD_DIR=build-web -P WebPageFiles.cmake
file(GLOB page_files ${SOURCE_DIR}/*)
list(FILTER page_files EXCLUDE REGEX "/(shell\\.html|sw\\.js\\.in)$")
file(COPY ${page_files} DESTINATION ${BUILD_DIR})
file(COPY_FILE ${BUILD_DIR}/quorralith.html ${BUILD_DIR}/index.html ONLY_IF_DIFFERENT)

# zopfli writes gzip's format some 5 % smaller than gzip -9 does, for a few
# seconds of packing (five iterations: more save a few hundred bytes for
# minutes), and only for a file that changed. It puts no time in the header:
# the same file always packs to the same bytes, so an unchanged build keeps
# its version.
foreach(name quorralith.js quorralith.wasm quorralith.data)
  if(${BUILD_DIR}/${name} IS_NEWER_THAN ${BUILD_DIR}/${name}.gz)
    execute_process(COMMAND zopfli --gzip --i5 -c ${BUILD_DIR}/${name}
                    OUTPUT_FILE ${BUILD_DIR}/${name}.gz RESULT_VARIABLE packed)
    if(NOT packed EQUAL 0)
      message(FATAL_ERROR "zopfli could not pack ${name} (scripts/install-deps.sh web)")
    endif()
  endif()
endforeach()

# file_entry(NAME OUT): the line that gives a file's size and SHA-256.
function(file_entry name out_var)
  file(SIZE ${BUILD_DIR}/${name} bytes)
  file(SHA256 ${BUILD_DIR}/${name} hash)
  set(${out_var} "    \"${name}\": { \"bytes\": ${bytes}, \"sha256\": \"${hash}\" }" PARENT_SCOPE)
endfunction()

set(downloads quorralith.js.gz quorralith.wasm.gz quorralith.data.gz)
set(entries "")
set(hashes "")
foreach(name ${downloads})
  file(SHA256 ${BUILD_DIR}/${name} hash)
  string(APPEND hashes ${hash})
  file_entry(${name} entry)
  list(APPEND entries "${entry}")
endforeach()
# The version covers every file the page is made of, not only the three the
# page checks: a new page with old scripts would be a mix too. The worker's
# template counts as well, so that new worker code gets a cache of its own.
file(GLOB_RECURSE page_files_copied RELATIVE ${SOURCE_DIR} ${SOURCE_DIR}/*)
list(FILTER page_files_copied EXCLUDE REGEX "^(shell\\.html|sw\\.js\\.in)$")
list(APPEND page_files_copied index.html)
list(SORT page_files_copied)
foreach(name ${page_files_copied})
  file(SHA256 ${BUILD_DIR}/${name} hash)
  string(APPEND hashes ${hash})
endforeach()
file(SHA256 ${SOURCE_DIR}/sw.js.in hash)
string(APPEND hashes ${hash})
string(SHA256 version "${hashes}")
string(SUBSTRING ${version} 0 16 version)
list(JOIN entries ",\n" files)
# write_if_changed(NAME TEXT): an unchanged build keeps its files' times, and
# the browser's copy of an unchanged worker stays installed.
function(write_if_changed name text)
  file(WRITE ${BUILD_DIR}/${name}.new "${text}")
  file(COPY_FILE ${BUILD_DIR}/${name}.new ${BUILD_DIR}/${name} ONLY_IF_DIFFERENT)
  file(REMOVE ${BUILD_DIR}/${name}.new)
endfunction()
write_if_changed(build.json "{\n  \"version\": \"${version}\",\n  \"files\": {\n${files}\n  }\n}\n")

# Everything the worker keeps: the page, its modules, icons and manifest,
# build.json and the game's three files.
set(kept_entries "")
set(kept_names build.json ${downloads} ${page_files_copied})
foreach(name ${kept_names})
  file_entry(${name} entry)
  list(APPEND kept_entries "${entry}")
endforeach()
list(JOIN kept_entries ",\n" kept)
set(VERSION ${version})
set(FILES "{\n${kept}\n}")
file(READ ${SOURCE_DIR}/sw.js.in worker)
string(CONFIGURE "${worker}" worker @ONLY)
write_if_changed(sw.js "${worker}")
list(APPEND kept_names sw.js)
list(JOIN kept_names "\n" web_files)
write_if_changed(web-files.txt "${web_files}\n")
