# The Layer I/II tests' whole-stream decoder and frame builder serve these tests too.
# (Included from tests/CMakeLists.txt, so paths start at tests/.)
target_sources(decoder_tests PRIVATE
  ${CMAKE_CURRENT_SOURCE_DIR}/layer12/stream_decode.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/layer12/frame_builder.cpp)
target_include_directories(decoder_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/layer12)
