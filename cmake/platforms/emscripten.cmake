# The web page, built with Emscripten (scripts/web.sh), and the program its
# browser tests add.
add_subdirectory(ui/web)
if(BUILD_TESTING)
  add_subdirectory(tests/e2e/web)
endif()
