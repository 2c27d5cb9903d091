# Shared compile settings and helpers for the programs and their tests.

if(WIN32)
  # Unicode Win32 with the Windows 10 API surface; msvcrt's own printf
  # family so that a wide "%s" means a wide string, as the log formats
  # expect.
  add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                          _WIN32_WINNT=0x0A00 WINVER=0x0A00
                          __USE_MINGW_ANSI_STDIO=0)
  # A static runtime: the programs must not need libwinpthread-1.dll or
  # libstdc++ beside them.
  add_link_options(-static -static-libgcc -static-libstdc++)
endif()

if(KIVO_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                      -fno-sanitize-recover=undefined)
  add_link_options(-fsanitize=address,undefined)
endif()

add_compile_options(-Wall -Wextra)

# GoogleTest from Debian's sources, built for whichever target this is.
macro(kivo_add_googletest)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(gtest_disable_pthreads OFF CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
endmacro()

# kivo_add_test(NAME SOURCES... LIBS ...): one test program, registered
# with CTest as one test (it runs through the emulator in the cross build).
function(kivo_add_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} GTest::gtest_main)
  add_test(NAME ${name} COMMAND ${name} --gtest_brief=1)
endfunction()

# kivo_windows_program(TARGET ...): the settings every shipped program
# needs: a Unicode GUI entry point and no import outside the KnownDLLs.
function(kivo_windows_program target)
  target_link_options(${target} PRIVATE -municode -mwindows -s)
endfunction()
