# The player's tests: the windowless core, and the main window under the offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test)
target_link_libraries(app_tests PRIVATE velk_app_ui Qt6::Test)
# The tag tests' file builders make the audio files that artist unification rewrites.
target_sources(app_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/tags/tag_files.cpp)
find_package(ZLIB REQUIRED)
target_link_libraries(app_tests PRIVATE ZLIB::ZLIB)
