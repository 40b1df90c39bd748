# Fails when a source includes, in quoted form, from a folder that its own folder may not use.
# The layers from the bottom: text/, calendar/ and appearance/; the platform interfaces with their
# fakes and Win32 implementations; the core, itself in layers: macro/, memos/, search/, macro_memos/, tick/, alarms/, store/,
# sync/; testing/ over the core and the fakes.
#   cmake -DSOURCE_DIR=<src> [-DSTAMP=<file touched when all is well>] -P check_layers.cmake

# petarino/ is made in the build tree (the version) and may be used everywhere above text/.
set(base "text/|calendar/|appearance/|petarino/")
set(platform_interfaces "platform/[^/]+$")

# folder;regular expression of what its quoted includes may name
set(rules
  "text|text/"
  "calendar|${base}"
  "appearance|${base}"
  "platform|${base}|platform/")
# Each core folder uses itself and those below it.
set(below "${base}|${platform_interfaces}")
foreach(folder IN ITEMS macro memos search macro_memos tick alarms store sync desk)
  set(below "${below}|${folder}/")
  list(APPEND rules "${folder}|${below}")
endforeach()
list(APPEND rules "testing|${below}|platform/fake/|testing/")

set(violations)
foreach(rule IN LISTS rules)
  string(FIND "${rule}" "|" split)
  string(SUBSTRING "${rule}" 0 ${split} folder)
  math(EXPR split "${split} + 1")
  string(SUBSTRING "${rule}" ${split} -1 allowed)
  file(GLOB_RECURSE files "${SOURCE_DIR}/${folder}/*.h" "${SOURCE_DIR}/${folder}/*.cpp")
  foreach(source IN LISTS files)
    file(STRINGS "${source}" includes ENCODING UTF-8 REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[^\"]*\"([^\"]*)\".*$" "\\1" included "${line}")
      if(NOT included MATCHES "^(${allowed})")
        file(RELATIVE_PATH shown "${SOURCE_DIR}" "${source}")
        list(APPEND violations "  ${shown} includes \"${included}\"")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n" listed)
  message(FATAL_ERROR "Includes that point up the layers:\n${listed}")
endif()
if(STAMP)
  file(TOUCH "${STAMP}")
endif()
