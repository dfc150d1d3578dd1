# The record store and the logger against temporary SQLite files and a settable clock.
mt_add_test(test_record_store SOURCES test_record_store.cpp LIBS mt_records Qt6::Sql LABELS records)
mt_add_test(test_record_logger SOURCES test_record_logger.cpp LIBS mt_records Qt6::Sql
    LABELS records)

# A logger that records as fast as it can until it is killed, for the power-cut test.
qt_add_executable(record_logging_child record_logging_child.cpp)
target_include_directories(record_logging_child PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(record_logging_child PRIVATE mt_records)
mt_add_test(test_record_crash SOURCES test_record_crash.cpp LIBS mt_records Qt6::Sql
    LABELS records TIMEOUT 120)
add_dependencies(test_record_crash record_logging_child)
target_compile_definitions(test_record_crash PRIVATE
    RECORD_LOGGING_CHILD="$<TARGET_FILE:record_logging_child>")
