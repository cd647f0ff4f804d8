# Writes the site's service worker from its template: the list of the site's
# files, and a version made from their content, so that any change to the
# site changes the worker and the name of its cache.
# FILES names them, separated by commas; without it, every file in the
# folder but the compressed copies and the source map.
#   cmake -DSITE=build/web/site -DFILES=index.html,page.js,... -DTEMPLATE=web/sw.js -P web/site_worker.cmake
if(DEFINED FILES)
  string(REPLACE "," ";" files "${FILES}")
else()
  file(GLOB_RECURSE files LIST_DIRECTORIES false RELATIVE "${SITE}" "${SITE}/*")
  list(FILTER files EXCLUDE REGEX "[.](gz|br|map)$") # compressed copies, the source map
endif()
list(REMOVE_ITEM files sw.js)
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
