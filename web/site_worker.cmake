# Writes the site's service worker from its template: the list of the site's
# files, and a version made from their content, so that any change to the
# site changes the worker and the name of its cache.
#   cmake -DSITE=build/web/site -DTEMPLATE=web/sw.js -P web/site_worker.cmake
file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${SITE}" "${SITE}/*")
list(REMOVE_ITEM files sw.js)
list(FILTER files EXCLUDE REGEX "[.](gz|br)$") # the same files, compressed
list(SORT files)
set(digest "")
set(quoted "\"./\"")
foreach(file IN LISTS files)
  file(SHA256 "${SITE}/${file}" hash)
  string(APPEND digest "${file} ${hash}\n")
  string(APPEND quoted ", \"${file}\"")
endforeach()
string(SHA256 version "${digest}")
string(SUBSTRING "${version}" 0 16 MATCH3_SITE_VERSION)
set(MATCH3_SITE_FILES "${quoted}")
configure_file("${TEMPLATE}" "${SITE}/sw.js" @ONLY)
