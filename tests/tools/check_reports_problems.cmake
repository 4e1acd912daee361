# `vornc check` finds nothing in the sample map and lists a map's problems as "<id>: <message>"
# lines then their count, failing when there are some.
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}")
execute_process(COMMAND "${VORNC}" check "${SAMPLE}" RESULT_VARIABLE result OUTPUT_VARIABLE listed ERROR_VARIABLE errors)
if(NOT result EQUAL 0 OR NOT listed STREQUAL "problems: 0\n")
  message(FATAL_ERROR "the sample map: ${result}\n${listed}\n${errors}")
endif()

file(WRITE "${WORK}/relay.map" "{\n\"classname\" \"worldspawn\"\n}\n{\n\"classname\" \"trigger_relay\"\n\"origin\" \"0 0 0\"\n\"target\" \"door\"\n}\n")
file(WRITE "${WORK}/list.qel" "ENTTYPE: worldspawn ( 0 0 0 ) ? :END\nENTTYPE: trigger_relay ( 1 0 0 ) ( -8 -8 -8 ) ( 8 8 8 ) :END\n")
execute_process(COMMAND "${VORNC}" check "${WORK}/relay.map" --entities "${WORK}/list.qel"
                RESULT_VARIABLE result OUTPUT_VARIABLE listed ERROR_VARIABLE errors)
set(expected "no-player-start: the map has no info_player_start: the player has nowhere to begin\n"
             "target-missing: trigger_relay at line 4 has \"target\" \"door\", which no entity has as its \"targetname\"\n"
             "problems: 2\n")
string(JOIN "" expected ${expected})
if(NOT result EQUAL 1 OR NOT listed STREQUAL expected)
  message(FATAL_ERROR "a map with problems: ${result}\n${listed}\nexpected:\n${expected}\n${errors}")
endif()
