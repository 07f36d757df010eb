# Runs lupdate over SOURCE_DIR into WORK, a copy of TS, and fails on any entry without a finished
# translation or without its text in the sources.
file(COPY_FILE ${TS} ${WORK})
execute_process(COMMAND ${LUPDATE} -silent -recursive -locations none ${SOURCE_DIR} -ts ${WORK}
    RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "lupdate failed (${result}):\n${output}")
endif()
file(READ ${WORK} contents)
string(REGEX MATCHALL "<message>[^<]*<source>[^<]*</source>[^<]*<translation type=\"(unfinished|obsolete|vanished)\"" bad "${contents}")
list(LENGTH bad count)
if(count GREATER 0)
    set(listed "")
    foreach(entry ${bad})
        string(REGEX REPLACE ".*<source>([^<]*)</source>.*type=\"([a-z]+)\".*" "  \\2: \\1" line "${entry}")
        string(APPEND listed "${line}\n")
    endforeach()
    message(FATAL_ERROR "${TS}: ${count} texts without a finished translation, or translations of texts that are gone "
        "(run the target update_translations, then translate):\n${listed}")
endif()
# The file in the tree is the one lupdate would write: no entry waits for an update.
execute_process(COMMAND ${CMAKE_COMMAND} -E compare_files ${TS} ${WORK} RESULT_VARIABLE differs)
if(differs)
    message(FATAL_ERROR "${TS} is not as lupdate writes it: run the target update_translations")
endif()
