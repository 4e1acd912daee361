# `vornc resave X.map X.map` over a map whose read stopped early (text that is not a map, or a
# number that is none) fails and leaves the file as it was.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")

set(stopped "{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"light\" oops\n}\n")
set(nan "{\n\"classname\" \"worldspawn\"\n{\n( 0 0 nan ) ( 0 64 64 ) ( 64 64 64 ) WALL 0 0 0 1 1\n}\n}\n")

foreach(name stopped nan)
  set(map "${WORK}/${name}.map")
  file(WRITE "${map}" "${${name}}")
  execute_process(COMMAND "${VORNC}" resave "${map}" "${map}" RESULT_VARIABLE result ERROR_VARIABLE errors OUTPUT_QUIET)
  file(READ "${map}" after)
  if(result EQUAL 0)
    message(FATAL_ERROR "${name}: resave succeeded:\n${errors}")
  endif()
  if(NOT errors MATCHES "vornc: [^\n]*${name}.map is damaged; nothing was written")
    message(FATAL_ERROR "${name}: no refusal was reported:\n${errors}")
  endif()
  if(NOT after STREQUAL "${${name}}")
    message(FATAL_ERROR "${name}: the file was changed")
  endif()
endforeach()
