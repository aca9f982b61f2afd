# The LZMA SDK as Debian's lzma-dev ships it: C sources under /usr/include/lzma.
find_path(LZMA_SDK_DIR LzmaDec.c PATHS /usr/include/lzma REQUIRED NO_DEFAULT_PATH)
add_library(lzma_sdk STATIC
  ${LZMA_SDK_DIR}/LzmaDec.c
  ${LZMA_SDK_DIR}/LzmaEnc.c
  ${LZMA_SDK_DIR}/LzFind.c)
target_include_directories(lzma_sdk SYSTEM PUBLIC ${LZMA_SDK_DIR})
target_compile_definitions(lzma_sdk PUBLIC _7ZIP_ST)
set_target_properties(lzma_sdk PROPERTIES POSITION_INDEPENDENT_CODE ON)
