# The link's own cost per transaction, unpaced: RTU against an in-process fake device on a
# pseudo terminal, and TCP against an in-process Modbus TCP server. Run by hand.
add_executable(bench_link ${CMAKE_CURRENT_LIST_DIR}/bench_link.cpp)
target_link_libraries(bench_link PRIVATE mt_link mt_test_support)
