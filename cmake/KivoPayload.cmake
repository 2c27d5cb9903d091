# The payload: an application folder packed into a 7z archive and embedded
# in an installer as resource type "ZIP", id 101.
#
#   kivo_pack_payload(OUTPUT archive APP_DIR folder [DEPENDS files/targets...])
#       Packs |folder| (what lands in the install directory: Launcher.xml,
#       3.1.0.5/KivoMixer.exe, ...) together with this build's Uninstall.exe
#       into |archive| with scripts/pack-payload.py. A folder without
#       3.1.0.5/KivoMixer.exe, or an archive without install/,
#       install/Uninstall.exe or install/3.1.0.5/KivoMixer.exe, stops the
#       build with a message that says what is missing.
#
#   kivo_installer_program(NAME PAYLOAD archive | NO_PAYLOAD [OUTPUT_DIR dir])
#       An installer program carrying |archive| as it is (no layout check:
#       test fixtures use this for damaged payloads).
find_package(Python3 REQUIRED COMPONENTS Interpreter)
include(KivoProgram)

set(KIVO_PACK_PAYLOAD ${CMAKE_CURRENT_LIST_DIR}/../scripts/pack-payload.py)

function(kivo_pack_payload)
  cmake_parse_arguments(P "" "OUTPUT;APP_DIR" "DEPENDS" ${ARGN})
  file(GLOB_RECURSE app_files CONFIGURE_DEPENDS ${P_APP_DIR}/*)
  add_custom_command(
    OUTPUT ${P_OUTPUT}
    COMMAND ${Python3_EXECUTABLE} ${KIVO_PACK_PAYLOAD} pack ${P_APP_DIR} $<TARGET_FILE:Uninstall> ${P_OUTPUT}
    DEPENDS ${KIVO_PACK_PAYLOAD} Uninstall ${app_files} ${P_DEPENDS}
    COMMENT "Packing the payload from ${P_APP_DIR}"
    VERBATIM)
endfunction()

function(kivo_installer_program name)
  cmake_parse_arguments(P "NO_PAYLOAD" "PAYLOAD;OUTPUT_DIR" "" ${ARGN})
  set(sources ${KIVO_INSTALLER_MAIN})
  if(NOT P_NO_PAYLOAD)
    set(rc ${CMAKE_CURRENT_BINARY_DIR}/${name}_payload.rc)
    file(CONFIGURE OUTPUT ${rc} CONTENT "101 ZIP \"${P_PAYLOAD}\"\n")
    set_source_files_properties(${rc} PROPERTIES OBJECT_DEPENDS ${P_PAYLOAD})
    list(APPEND sources ${rc})
  endif()
  kivo_program(${name}
    SOURCES ${sources}
    LIBS kivo_installer
    VERSION 3.1.0.5
    DESCRIPTION "Kivo伴侣 安装程序")
  if(P_OUTPUT_DIR)
    set_target_properties(${name} PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${P_OUTPUT_DIR})
  endif()
endfunction()
