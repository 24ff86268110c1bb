# The command-line front end is tested as a program, on the same fixtures.
add_dependencies(engine_tests velkaro-cli)
target_compile_definitions(engine_tests PRIVATE VELKARO_CLI="$<TARGET_FILE:velkaro-cli>")
