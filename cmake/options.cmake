# Options every target of the project's own code compiles with.
add_library(quorvane_options INTERFACE)

# Sources are UTF-8; narrow literals are stored as code page 936 (GBK) bytes,
# which is what every text of the program is held, measured and compared in.
# Clang knows no execution character set but UTF-8: its builds (the fuzz targets)
# keep UTF-8 literals and must not depend on them.
target_compile_options(quorvane_options INTERFACE -Wall -Wextra)
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    target_compile_options(quorvane_options INTERFACE -finput-charset=UTF-8 -fexec-charset=GBK)
endif()

if(QUORVANE_SANITIZE)
    target_compile_options(quorvane_options INTERFACE
        -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(quorvane_options INTERFACE -fsanitize=address,undefined)
endif()

if(WIN32)
    # SSE arithmetic: x87's 80-bit intermediates would make the same date or
    # number computation give different results depending on register spills.
    target_compile_options(quorvane_options INTERFACE -msse2 -mfpmath=sse)
    target_compile_definitions(quorvane_options INTERFACE
        UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

# A host or Windows unit-test executable, its cases registered one by one with CTest.
function(quorvane_add_test name)
    cmake_parse_arguments(ARG "" "" "SOURCES;LIBS" ${ARGN})
    add_executable(${name} ${ARG_SOURCES})
    target_link_libraries(${name} PRIVATE ${ARG_LIBS} GTest::gtest_main quorvane_options)
    # Under Wine, listing the cases at build time would need the prefix during the build.
    gtest_discover_tests(${name} DISCOVERY_MODE PRE_TEST DISCOVERY_TIMEOUT 120)
endfunction()
