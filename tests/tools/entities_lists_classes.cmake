# `vornc entities` lists the classes of files of all three kinds, a later file's class replacing
# an earlier one's, and fails, naming the line, on a file that goes wrong.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
file(WRITE "${WORK}/base.qel" "ENTTYPE: light ( 1 1 0 ) ( -8 -8 -8 ) ( 8 8 8 ) :END\nENTTYPE: func_wall ( 0 .5 .8 ) ? :END\n")
file(WRITE "${WORK}/mod.fgd" "@PointClass size(-16 -16 -24, 16 16 40) model(\":progs/ogre.mdl\") = monster_ogre []\n"
                             "@PointClass size(4 4 4) = light []\n")
file(WRITE "${WORK}/more.def" "/*QUAKED func_door (0 .5 .8) ? START_OPEN\n*/\n")
file(WRITE "${WORK}/broken.fgd" "@PointClass = a []\n@PointClass base(b) = c []\n")

execute_process(COMMAND "${VORNC}" entities "${WORK}/base.qel" "${WORK}/mod.fgd" "${WORK}/more.def"
                RESULT_VARIABLE result OUTPUT_VARIABLE listed ERROR_VARIABLE errors)
set(expected "func_door solid - -\nfunc_wall solid - -\nlight point -2 -2 -2 2 2 2 -\n"
             "monster_ogre point -16 -16 -24 16 16 40 progs/ogre.mdl\nclasses: 4\n")
string(JOIN "" expected ${expected})
if(NOT result EQUAL 0 OR NOT listed STREQUAL expected)
  message(FATAL_ERROR "listed:\n${listed}\nexpected:\n${expected}\n${errors}")
endif()

execute_process(COMMAND "${VORNC}" entities "${WORK}/broken.fgd" RESULT_VARIABLE result OUTPUT_VARIABLE listed ERROR_VARIABLE errors)
if(result EQUAL 0 OR NOT errors MATCHES "broken.fgd is damaged at line 2: the base class b of c is not defined"
   OR NOT listed MATCHES "classes: 2")
  message(FATAL_ERROR "a damaged file: ${result}\n${listed}\n${errors}")
endif()

if(EXISTS "${CORPUS}/entities")
  foreach(file Quake.fgd:100 Quoth2.fgd:226 Rubicon2.def:123)
    string(REPLACE ":" ";" pair "${file}")
    list(GET pair 0 name)
    list(GET pair 1 count)
    execute_process(COMMAND "${VORNC}" entities "${CORPUS}/entities/${name}" RESULT_VARIABLE result OUTPUT_VARIABLE listed)
    if(NOT result EQUAL 0 OR NOT listed MATCHES "\nclasses: ${count}\n$")
      message(FATAL_ERROR "${name}: not ${count} classes")
    endif()
  endforeach()
endif()
