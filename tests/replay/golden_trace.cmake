# golden_trace.cmake — runs vantorel-replay on one script and compares the
# trace byte for byte with its golden file; with -DUPDATE=ON it rewrites the
# golden file instead. Run from the build folder (the game reads DATA/ there).
#   cmake -DTOOL=<vantorel-replay> -DSCRIPT=<script.txt> -DGOLDEN=<trace.jsonl>
#         -DSEED_FIELD=<n> -DSEED_SCENE=<n> -DOUTPUT=<trace file> [-DUPDATE=ON]
#         [-DFRAMES_DIR=<dir> -DFRAME_AT=<T1,T2,...>] [-DAUDIO=<file.wav>] [-DSCORES=<dir>]
#         -P golden_trace.cmake
# With frames or audio asked for, the trace must not change, and every frame
# and the audio file must be written. With SCORES, the run keeps its best
# scores in that (emptied) folder: the trace must not change either, and the
# script's one round that ran out of time must be the table's one entry.
foreach(required TOOL SCRIPT GOLDEN SEED_FIELD SEED_SCENE OUTPUT)
  if(NOT DEFINED ${required})
    message(FATAL_ERROR "golden_trace.cmake needs -D${required}=...")
  endif()
endforeach()

get_filename_component(output_folder ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_folder})
set(outputs)
set(expected_files)
if(FRAMES_DIR)
  file(REMOVE_RECURSE ${FRAMES_DIR})
  list(APPEND outputs --frames ${FRAMES_DIR} --frame-at ${FRAME_AT})
  string(REPLACE "," ";" frame_ticks ${FRAME_AT})
  foreach(tick ${frame_ticks})
    string(LENGTH ${tick} digits)
    math(EXPR zeros "6 - ${digits}")
    string(REPEAT 0 ${zeros} padding)
    list(APPEND expected_files ${FRAMES_DIR}/tick-${padding}${tick}.png)
  endforeach()
endif()
if(SCORES)
  file(REMOVE_RECURSE ${SCORES})
  list(APPEND outputs --scores ${SCORES})
endif()
if(AUDIO)
  file(REMOVE ${AUDIO})
  list(APPEND outputs --audio ${AUDIO})
  list(APPEND expected_files ${AUDIO})
endif()

execute_process(
  COMMAND ${TOOL} --seed-field ${SEED_FIELD} --seed-scene ${SEED_SCENE} --script ${SCRIPT} --trace ${OUTPUT}
          ${outputs}
  RESULT_VARIABLE status
  ERROR_VARIABLE errors)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "vantorel-replay failed (${status}) on ${SCRIPT}:\n${errors}")
endif()

foreach(expected ${expected_files})
  if(EXISTS ${expected})
    file(SIZE ${expected} bytes)
  endif()
  if(NOT EXISTS ${expected} OR bytes EQUAL 0)
    message(FATAL_ERROR "the run wrote no ${expected}")
  endif()
endforeach()

if(SCORES)
  # The round's last tick is the first with no time left.
  file(STRINGS ${OUTPUT} ended REGEX "\"timeLeft\":0,")
  list(GET ended 0 last_tick)
  string(REGEX MATCH "\"score\":([0-9]+)" _ "${last_tick}")
  set(score ${CMAKE_MATCH_1})
  set(table_file ${SCORES}/scores.txt)
  if(NOT EXISTS ${table_file})
    message(FATAL_ERROR "the replayed round left no ${table_file}")
  endif()
  file(READ ${table_file} table)
  if(NOT table MATCHES "^vantorel-scores 1\n${score} [0-9]+ 2026-01-01 [0-9:]+ round=(round-[a-z0-9-]+\\.txt)\n$")
    message(FATAL_ERROR "${table_file} should hold the round's score ${score} alone, with its round, but reads:\n${table}")
  endif()
  set(round_file ${SCORES}/${CMAKE_MATCH_1})
  # The kept round, played as a player watches it, goes through the same
  # ticks: every line of the live round's trace but the round flag and the
  # sounds (the watch starts its track and the start sound before its first
  # tick).
  execute_process(COMMAND ${TOOL} --round ${round_file} --trace ${OUTPUT}.watched
                  RESULT_VARIABLE watch_status ERROR_VARIABLE watch_errors)
  if(NOT watch_status EQUAL 0)
    message(FATAL_ERROR "vantorel-replay --round ${round_file} exited with ${watch_status}:\n${watch_errors}")
  endif()
  string(REGEX MATCH "\"tick\":([0-9]+)" _ "${last_tick}")
  set(round_ticks ${CMAKE_MATCH_1})
  foreach(trace live watched)
    if(trace STREQUAL live)
      file(STRINGS ${OUTPUT} lines)
    else()
      file(STRINGS ${OUTPUT}.watched lines)
    endif()
    list(SUBLIST lines 0 ${round_ticks} lines)
    list(TRANSFORM lines REPLACE "\"playing\":(true|false)," "")
    list(TRANSFORM lines REPLACE ",\"effects\":.*$" "")
    set(${trace}_round "${lines}")
  endforeach()
  if(NOT live_round STREQUAL watched_round)
    message(FATAL_ERROR "the kept round ${round_file} does not play as the live round did (${OUTPUT}.watched)")
  endif()
endif()

if(UPDATE)
  file(COPY_FILE ${OUTPUT} ${GOLDEN})
  message(STATUS "rewrote ${GOLDEN}")
  return()
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${OUTPUT} ${GOLDEN} RESULT_VARIABLE different)
if(different)
  # Name the first line that differs, so the failing tick is plain to see.
  file(STRINGS ${OUTPUT} got)
  file(STRINGS ${GOLDEN} want)
  list(LENGTH got gotCount)
  list(LENGTH want wantCount)
  set(line 0)
  while(line LESS gotCount AND line LESS wantCount)
    list(GET got ${line} gotLine)
    list(GET want ${line} wantLine)
    if(NOT gotLine STREQUAL wantLine)
      math(EXPR shown "${line} + 1")
      message(FATAL_ERROR "trace differs from ${GOLDEN} at line ${shown}:\n got: ${gotLine}\nwant: ${wantLine}")
    endif()
    math(EXPR line "${line} + 1")
  endwhile()
  message(FATAL_ERROR "trace has ${gotCount} lines, ${GOLDEN} has ${wantCount} (or they differ in line endings)")
endif()
