# Cross-building the Windows program with Debian's mingw-w64 (g++-mingw-w64-x86-64), x86_64 only:
#   cmake -S . -B build-win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(PIXED_MINGW_PREFIX x86_64-w64-mingw32)
# The posix thread model's compiler: the win32 one lacks std::mutex and friends in g++ 12.
find_program(CMAKE_CXX_COMPILER NAMES ${PIXED_MINGW_PREFIX}-g++-posix ${PIXED_MINGW_PREFIX}-g++ REQUIRED)
# The C compiler of the same thread model, for the C libraries built with this file.
find_program(CMAKE_C_COMPILER NAMES ${PIXED_MINGW_PREFIX}-gcc-posix ${PIXED_MINGW_PREFIX}-gcc REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${PIXED_MINGW_PREFIX}-windres REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${PIXED_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
