# The player's tests: the windowless core, and the main window under the offscreen platform.
target_link_libraries(app_tests PRIVATE velk_app_core)
