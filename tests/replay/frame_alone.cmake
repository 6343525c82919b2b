# frame_alone.cmake — a frame saved after ticks drawn without rasterising
# (only the first tick's frame saved before it, so the last frame is drawn
# over that one wherever the skipped ticks changed something) must equal the
# same frame from a run that rasterised every tick before it. Run from the
# build folder.
#   cmake -DTOOL=<vantorel-replay> -DSCRIPT=<script.txt> -DSEED_FIELD=<n> -DSEED_SCENE=<n>
#         -DFOLDER=<scratch folder> -DFIRST=<tick> -DLAST=<tick> -P frame_alone.cmake
foreach(required TOOL SCRIPT SEED_FIELD SEED_SCENE FOLDER FIRST LAST)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "frame_alone.cmake needs -D${required}=...")
  endif()
endforeach()

set(every_tick ${FIRST})
math(EXPR tick "${FIRST} + 1")
while(tick LESS_EQUAL LAST)
  string(APPEND every_tick ",${tick}")
  math(EXPR tick "${tick} + 1")
endwhile()

file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
foreach(run alone:${FIRST},${LAST} every:${every_tick})
  string(REPLACE ":" ";" run ${run})
  list(GET run 0 name)
  list(GET run 1 ticks)
  execute_process(
    COMMAND ${TOOL} --seed-field ${SEED_FIELD} --seed-scene ${SEED_SCENE} --script ${SCRIPT}
            --trace ${FOLDER}/${name}.jsonl --frames ${FOLDER}/${name} --frame-at ${ticks} --ticks ${LAST}
    RESULT_VARIABLE status
    ERROR_VARIABLE errors)
  if(NOT status EQUAL 0)
    message(FATAL_ERROR "vantorel-replay failed (${status}):\n${errors}")
  endif()
endforeach()

string(LENGTH ${LAST} digits)
math(EXPR zeros "6 - ${digits}")
string(REPEAT 0 ${zeros} padding)
set(frame tick-${padding}${LAST}.png)
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${FOLDER}/alone/${frame} ${FOLDER}/every/${frame}
                RESULT_VARIABLE different)
if(different)
  message(FATAL_ERROR "${frame} saved alone differs from the one of a run that drew every tick")
endif()
