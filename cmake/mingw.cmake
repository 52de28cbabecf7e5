# Cross build for Windows with mingw-w64. BRELLOX_MINGW_ARCH picks the target:
# i686 (the shipped 32-bit program, the default) or x86_64.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT BRELLOX_MINGW_ARCH)
  set(BRELLOX_MINGW_ARCH i686)
endif()
set(CMAKE_SYSTEM_PROCESSOR ${BRELLOX_MINGW_ARCH})
set(_prefix ${BRELLOX_MINGW_ARCH}-w64-mingw32)

# The posix thread model: GoogleTest needs it, and static linking keeps the
# program free of its DLL.
set(CMAKE_C_COMPILER ${_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${_prefix}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_TRY_COMPILE_PLATFORM_VARIABLES BRELLOX_MINGW_ARCH)
