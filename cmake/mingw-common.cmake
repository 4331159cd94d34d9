# Shared by both mingw-w64 toolchains. The -posix compilers give std::mutex,
# which GoogleTest needs.
set(CMAKE_C_COMPILER ${VIBRO_MINGW_PREFIX}-gcc-posix)
set(CMAKE_CXX_COMPILER ${VIBRO_MINGW_PREFIX}-g++-posix)
set(CMAKE_RC_COMPILER ${VIBRO_MINGW_PREFIX}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VIBRO_MINGW_PREFIX})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Static linking: the executables need no DLLs beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# Plain ctest runs the Windows executables under Wine.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-exec.sh)
