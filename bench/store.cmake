# The record store on a full ring (65500 rows in each table): chart windows, one committed
# record, one logger tick, and the size of the file. Run by hand, e.g. bench_store -median 9.
qt_add_executable(bench_store ${CMAKE_CURRENT_LIST_DIR}/bench_store.cpp)
target_include_directories(bench_store PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_link_libraries(bench_store PRIVATE mt_records Qt6::Sql Qt6::Test)
