mt_add_test(test_poll_cycle SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_poll_cycle.cpp LIBS mt_link LABELS link)
