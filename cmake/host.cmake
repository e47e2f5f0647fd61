# The host build: the program compiled against the Win32-subset layer of platform/, and its
# GoogleTest suite. With QM_SANITIZE it is built with AddressSanitizer and UBSan.

option(QM_SANITIZE "Build the host tests with ASan and UBSan" OFF)
if(QM_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=undefined)
    add_link_options(-fsanitize=address,undefined)
endif()
add_compile_options(-Wall -Wextra)

set(QM_GENERATED ${CMAKE_BINARY_DIR}/generated)
add_custom_command(
    OUTPUT ${QM_GENERATED}/resources.cpp
    COMMAND ${CMAKE_COMMAND} -DRC=${CMAKE_SOURCE_DIR}/res/quillmark.rc
            -DHEADER=${CMAKE_SOURCE_DIR}/res/resource.h -DOUT=${QM_GENERATED}/resources.cpp
            -P ${CMAKE_SOURCE_DIR}/cmake/rc_to_host.cmake
    DEPENDS ${CMAKE_SOURCE_DIR}/res/quillmark.rc ${CMAKE_SOURCE_DIR}/res/resource.h
            ${CMAKE_SOURCE_DIR}/cmake/rc_to_host.cmake
    COMMENT "Reading the resource script for the host layer")

add_library(qm_platform STATIC
    platform/desktop.cpp
    platform/gdi/gdi.cpp
    platform/kernel/crt.cpp
    platform/kernel/environment.cpp
    platform/kernel/text.cpp
    platform/shell/shell.cpp
    platform/user/accel.cpp
    platform/user/button.cpp
    platform/user/message.cpp
    platform/user/static.cpp
    platform/user/system.cpp
    platform/user/window.cpp
    ${QM_GENERATED}/resources.cpp
)
target_include_directories(qm_platform PUBLIC ${CMAKE_SOURCE_DIR})

add_library(qm_program STATIC ${QM_PROGRAM_SOURCES})
target_link_libraries(qm_program PUBLIC qm_platform)

include(res/icongen/CMakeLists.txt)

find_package(GTest REQUIRED)
enable_testing()
include(GoogleTest)
add_executable(qm_tests
    tests/app/loop_test.cpp
    tests/app/router_test.cpp
    tests/app/startup_test.cpp
    tests/platform/layer_test.cpp
    tests/res/icons_test.cpp
    tests/support/widestr_test.cpp
    tests/testing.cpp
)
target_link_libraries(qm_tests PRIVATE qm_program GTest::gtest_main)
target_compile_definitions(qm_tests PRIVATE
    QM_SOURCE_DIR="${CMAKE_SOURCE_DIR}"
    QM_ICONGEN_PATH="$<TARGET_FILE:qm_icongen>")
add_dependencies(qm_tests qm_icongen)
gtest_discover_tests(qm_tests DISCOVERY_TIMEOUT 60)
