# The LZMA SDK's C 7z decoder, compiled from Debian's 7zip source package
# that scripts/fetch-lzma-sdk.sh unpacks into third_party/lzma (git-ignored).
#
#   kivo_lzma          the decoder files the installer needs (static)
#   kivo_lzma_7zdec    the SDK's own reference extractor (C/Util/7z), built
#                      with the same flags; only the benchmark uses it
set(KIVO_LZMA_DIR ${CMAKE_SOURCE_DIR}/third_party/lzma CACHE PATH "Unpacked 7zip source package")
set(_lzma_c ${KIVO_LZMA_DIR}/C)
if(NOT EXISTS ${_lzma_c}/7zDec.c)
  message(FATAL_ERROR "The LZMA SDK is missing at ${KIVO_LZMA_DIR}: run scripts/fetch-lzma-sdk.sh")
endif()

add_library(kivo_lzma STATIC
  ${_lzma_c}/7zArcIn.c
  ${_lzma_c}/7zBuf.c
  ${_lzma_c}/7zCrc.c
  ${_lzma_c}/7zCrcOpt.c
  ${_lzma_c}/7zDec.c
  ${_lzma_c}/7zFile.c
  ${_lzma_c}/7zStream.c
  ${_lzma_c}/Bcj2.c
  ${_lzma_c}/Bra.c
  ${_lzma_c}/Bra86.c
  ${_lzma_c}/BraIA64.c
  ${_lzma_c}/CpuArch.c
  ${_lzma_c}/Delta.c
  ${_lzma_c}/Lzma2Dec.c
  ${_lzma_c}/LzmaDec.c
)
# The SDK is not ours to lint; its headers are included as system headers.
target_include_directories(kivo_lzma SYSTEM PUBLIC ${_lzma_c})
target_compile_options(kivo_lzma PRIVATE -w)
if(KIVO_SANITIZE)
  # The SDK reads unaligned words on purpose (x86 and ARM64 allow it) and
  # offsets null buffers by zero for empty BCJ2 streams.
  target_compile_options(kivo_lzma PRIVATE -fno-sanitize=alignment,pointer-overflow)
endif()
set_target_properties(kivo_lzma PROPERTIES C_VISIBILITY_PRESET default)

if(WIN32)
  add_executable(kivo_lzma_7zdec EXCLUDE_FROM_ALL
    ${_lzma_c}/Util/7z/7zMain.c
    ${_lzma_c}/7zAlloc.c
    ${_lzma_c}/7zBuf2.c
  )
  target_link_libraries(kivo_lzma_7zdec PRIVATE kivo_lzma)
  target_compile_options(kivo_lzma_7zdec PRIVATE -w)
endif()
