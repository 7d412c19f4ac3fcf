# Build-time step of zephyx_add_web_program: stages the page's files alone in SITE, with its
# manifest and its service worker. The worker's cache is named after a hash of every other
# file, so any change to the build gives players a new worker, which caches the new files.
#
#   cmake -DSITE=dir -DPAGE=name -DFILES=a;b;... -DTEMPLATES=dir -P StageWebSite.cmake
cmake_minimum_required(VERSION 3.25)

file(REMOVE_RECURSE "${SITE}")
file(MAKE_DIRECTORY "${SITE}")
file(COPY ${FILES} DESTINATION "${SITE}")
configure_file("${TEMPLATES}/manifest.webmanifest" "${SITE}/manifest.webmanifest" @ONLY)

file(GLOB staged RELATIVE "${SITE}" "${SITE}/*")
list(SORT staged)
set(hashes "")
set(names "")
foreach(name ${staged})
    file(SHA256 "${SITE}/${name}" hash)
    string(APPEND hashes "${name} ${hash}\n")
    list(APPEND names "\"${name}\"")
endforeach()
string(SHA256 VERSION "${hashes}")
string(SUBSTRING "${VERSION}" 0 16 VERSION)
list(JOIN names ", " SITE_FILES)
configure_file("${TEMPLATES}/service-worker.js" "${SITE}/service-worker.js" @ONLY)
