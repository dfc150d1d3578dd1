# The Modbus link against fake devices on pseudo terminals and an in-process Modbus TCP server.
mt_add_test(test_modbus_link SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_modbus_link.cpp ${CMAKE_CURRENT_LIST_DIR}/link_test_util.h LIBS mt_link LABELS link)
mt_add_test(test_link_recovery SOURCES ${CMAKE_CURRENT_LIST_DIR}/test_link_recovery.cpp ${CMAKE_CURRENT_LIST_DIR}/link_test_util.h LIBS mt_link LABELS link)
