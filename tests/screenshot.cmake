# The main window on a real X server: the program is started under xvfb-run against a sandbox,
# photographs itself (--screenshot) and the picture is checked for the painted frame, banner and
# title-bar buttons. The picture stays at tests/screenshot.png in the build tree.
find_program(XVFB_RUN xvfb-run)
if(NOT XVFB_RUN)
    message(WARNING "xvfb-run not found: the screenshot test is left out (install the xvfb package)")
    return()
endif()
add_executable(test_screenshot ${CMAKE_CURRENT_SOURCE_DIR}/screenshot/screenshot_test.cpp
                               ${CMAKE_CURRENT_SOURCE_DIR}/support/gtest_main.cpp)
target_link_libraries(test_screenshot PRIVATE testsupport)
target_compile_definitions(test_screenshot PRIVATE
    PARCELVUE_APP="$<TARGET_FILE:parcelvue>"
    PARCELVUE_SCREENSHOT="${CMAKE_CURRENT_BINARY_DIR}/screenshot.png"
    XVFB_RUN="${XVFB_RUN}")
add_dependencies(test_screenshot parcelvue)
add_test(NAME ScreenshotUnderXvfb COMMAND test_screenshot)
set_tests_properties(ScreenshotUnderXvfb PROPERTIES ENVIRONMENT "QT_QPA_PLATFORM=offscreen" TIMEOUT 120)
