# Cross-compiles for Windows with MinGW-w64, for the architecture named by
# ZELT_MINGW_ARCH: i686 (32-bit, the default) or x86_64 (64-bit).
# The posix thread model: the test framework needs std::mutex; everything is
# linked statically, so no threading DLL is needed at run time.
if(NOT ZELT_MINGW_ARCH)
  set(ZELT_MINGW_ARCH i686)
endif()
if(NOT ZELT_MINGW_ARCH MATCHES "^(i686|x86_64)$")
  message(FATAL_ERROR "ZELT_MINGW_ARCH must be i686 or x86_64, not '${ZELT_MINGW_ARCH}'")
endif()
# try_compile projects read this file again and must see the same choice.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES ZELT_MINGW_ARCH)

set(triple ${ZELT_MINGW_ARCH}-w64-mingw32)
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${ZELT_MINGW_ARCH})
set(CMAKE_C_COMPILER ${triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triple}-g++-posix)
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
