# The command line's plain pieces, and the program itself run on files.
target_link_libraries(cli_tests PRIVATE velk_cli_core)
add_dependencies(cli_tests velkaro-cli)
target_compile_definitions(cli_tests PRIVATE VELKARO_CLI="$<TARGET_FILE:velkaro-cli>")
