# `make dist-web` (cmake -P): the page as one zip for a static host or a games
# portal, quorralith-web.zip in the browser build: exactly the files of
# web-files.txt (what the page and its offline copy read), with index.html at
# the zip's root. Stops, saying why, where a portal would refuse it: a
# thousand files or more, a path of 240 characters or more, a file over
# 200 MB, or an address in the page that starts at the host's root rather
# than beside the page, which would break the game under any sub-path.
#   cmake -DBUILD_DIR=build-web -P WebDist.cmake
set(most_files 999)
set(longest_path 239)
set(largest_bytes 200000000)

file(STRINGS ${BUILD_DIR}/web-files.txt names)
list(LENGTH names count)
if(count GREATER most_files)
  message(FATAL_ERROR "the page has ${count} files; portals take fewer than 1,000")
endif()
foreach(name ${names})
  string(LENGTH "${name}" length)
  file(SIZE ${BUILD_DIR}/${name} bytes)
  if(length GREATER longest_path OR bytes GREATER largest_bytes)
    message(FATAL_ERROR "${name} (${bytes} bytes) is past a portal's limits")
  endif()
  if(name MATCHES "\\.(html|mjs|js|webmanifest)$")
    file(READ ${BUILD_DIR}/${name} text)
    if(text MATCHES "(src|href|from|import|url)[ =:(]*[\"'`]/[^/]")
      message(FATAL_ERROR "${name} names a file by an address from the host's root")
    endif()
  endif()
endforeach()

set(zip ${BUILD_DIR}/quorralith-web.zip)
file(REMOVE ${zip})
file(ARCHIVE_CREATE OUTPUT ${zip} PATHS ${names} FORMAT zip)
file(SIZE ${zip} zip_bytes)
message(STATUS "${zip}: ${count} files, ${zip_bytes} bytes")
