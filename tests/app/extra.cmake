# The player's tests: the windowless core, and the main window under the offscreen platform.
find_package(Qt6 REQUIRED COMPONENTS Test)
target_link_libraries(app_tests PRIVATE velk_app_ui Qt6::Test)
