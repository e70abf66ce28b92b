# The window for 64-bit Windows: Qt cross-built for MinGW-w64 by
# scripts/windows-qt, found in $TINSORA_WINDOWS_QT or its usual cache folder,
# and the project's own MinGW-w64 compilers. The programs link the compiler's
# runtime as DLLs, as Qt's DLLs do, and ship them beside the programs.
set(TINSORA_QT_DIR "$ENV{TINSORA_WINDOWS_QT}")
if(NOT TINSORA_QT_DIR)
  set(TINSORA_QT_DIR /var/cache/tinsora/qt-6.4.2-mingw-w64)
endif()
if(NOT EXISTS "${TINSORA_QT_DIR}/.tinsora-complete")
  message(FATAL_ERROR "No Qt for Windows in ${TINSORA_QT_DIR}: scripts/windows-qt builds it "
                      "(30 to 60 minutes, once per machine)")
endif()
set(TINSORA_MINGW_SHARED_RUNTIME ON)
set(QT_CHAINLOAD_TOOLCHAIN_FILE "${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake")
include("${TINSORA_QT_DIR}/lib/cmake/Qt6/qt.toolchain.cmake")
