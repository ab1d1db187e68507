# Cross build for Windows with MinGW-w64 (x86_64). The -posix compilers carry
# the winpthreads thread model that std::thread needs. Everything is linked
# statically so the executables run under Wine without MinGW's DLLs.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(SCRUBIX_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${SCRUBIX_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${SCRUBIX_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${SCRUBIX_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${SCRUBIX_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../../scripts/wine-run CACHE FILEPATH "Runs the Windows executables under Wine")
