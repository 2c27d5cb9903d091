# kivo_program(NAME SOURCES ... LIBS ... VERSION a.b.c.d DESCRIPTION text)
#
# A shipped 32-bit GUI program: Unicode wWinMain, static runtime, a manifest
# that asks for administrator rights and declares Windows 10, icon 103 and a
# version record.
set(KIVO_RES_DIR ${CMAKE_CURRENT_LIST_DIR}/../packages/tool/setupv2/res)
find_package(Python3 REQUIRED COMPONENTS Interpreter)

function(kivo_program name)
  cmake_parse_arguments(P "" "VERSION;DESCRIPTION" "SOURCES;LIBS" ${ARGN})
  set(gen ${CMAKE_CURRENT_BINARY_DIR}/${name}_res)
  file(MAKE_DIRECTORY ${gen})

  add_custom_command(
    OUTPUT ${gen}/program.ico
    COMMAND ${Python3_EXECUTABLE} ${KIVO_RES_DIR}/tools/make_icon.py ${gen}/program.ico
    DEPENDS ${KIVO_RES_DIR}/tools/make_icon.py
    COMMENT "Drawing the icon of ${name}")

  set(MANIFEST_NAME "Tarlan.Kivo.${name}")
  set(MANIFEST_VERSION ${P_VERSION})
  set(MANIFEST_DESCRIPTION ${name})
  configure_file(${KIVO_RES_DIR}/program.manifest.in ${gen}/program.manifest @ONLY)

  set(RC_MANIFEST ${gen}/program.manifest)
  set(RC_ICON ${gen}/program.ico)
  set(RC_VERSION ${P_VERSION})
  string(REPLACE "." "," RC_VERSION_COMMAS ${P_VERSION})
  set(RC_DESCRIPTION ${P_DESCRIPTION})
  set(RC_NAME ${name})
  set(RC_PRODUCT "Kivo伴侣")
  configure_file(${KIVO_RES_DIR}/program.rc.in ${gen}/program.rc @ONLY)
  set_source_files_properties(${gen}/program.rc PROPERTIES
    OBJECT_DEPENDS "${gen}/program.ico;${gen}/program.manifest")

  add_executable(${name} WIN32 ${P_SOURCES} ${gen}/program.rc)
  target_link_libraries(${name} PRIVATE ${P_LIBS})
  kivo_windows_program(${name})
endfunction()
