# The cross build for Windows: orvanta.exe, tested as a whole under Wine.
add_subdirectory(ui/win32)
if(BUILD_TESTING)
  add_subdirectory(tests/e2e/win32)
endif()
