# The programs scripts/run.sh starts are where the build puts them: every "$root/build/..." path
# the script names must exist in the build tree.
file(READ "${SCRIPT}" text)
string(REGEX MATCHALL "\"\\$root/build/[^\"]+\"" paths "${text}")
if(NOT paths)
    message(FATAL_ERROR "${SCRIPT} names no program of the build tree")
endif()
foreach(quoted IN LISTS paths)
    string(REGEX REPLACE "^\"\\$root/build/(.*)\"$" "\\1" path "${quoted}")
    if(NOT EXISTS "${BUILD_DIR}/${path}")
        message(FATAL_ERROR "${SCRIPT} starts build/${path}, which the build does not make")
    endif()
endforeach()
