# delaylib.cmake — a delay-load import library made from an ordinary mingw-w64
# import library: its imported names (nm's "__imp_" symbols) become a module
# definition file, and dlltool writes the library from that. Calls through it
# load the DLL at the first call instead of at start-up.
# Run as: cmake -DNM=... -DDLLTOOL=... -DIMPORT=<libX.a> -DDLL=<X.dll>
#               -DUNDERSCORED=<ON on 32-bit x86> -DDEF=<X.def> -DOUTPUT=<libX_delayed.a> -P delaylib.cmake
execute_process(COMMAND ${NM} -g ${IMPORT} OUTPUT_VARIABLE symbols COMMAND_ERROR_IS_FATAL ANY)
# 32-bit x86 symbols carry a leading underscore (and stdcall's @N, which the
# definition file keeps: dlltool -k drops it from the name looked up in the DLL).
if(UNDERSCORED)
  set(prefix "__imp__")
else()
  set(prefix "__imp_")
endif()
string(REGEX MATCHALL " I ${prefix}[^\r\n]+" imports "${symbols}")
list(LENGTH imports count)
if(count EQUAL 0)
  message(FATAL_ERROR "delaylib: ${IMPORT} imports nothing")
endif()
set(text "LIBRARY ${DLL}\nEXPORTS\n")
foreach(line IN LISTS imports)
  string(REPLACE " I ${prefix}" "" name "${line}")
  string(APPEND text "${name}\n")
endforeach()
file(WRITE ${DEF} "${text}")
# dlltool names the library's own symbols after the output's path: run where
# it lies, so that no folder of the building machine ends up in the program.
get_filename_component(folder ${OUTPUT} DIRECTORY)
get_filename_component(name ${OUTPUT} NAME)
execute_process(COMMAND ${DLLTOOL} -k --input-def ${DEF} --dllname ${DLL} --output-delaylib ${name}
                WORKING_DIRECTORY ${folder} COMMAND_ERROR_IS_FATAL ANY)
