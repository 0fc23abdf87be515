# 32-bit build: the program as shipped; built and checked, not run here.
set(MINGW_ARCH i686)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
