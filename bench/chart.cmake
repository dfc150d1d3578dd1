# A full redraw of the trend chart in its widest zoom onto a 1280-pixel-wide picture.
qt_add_executable(bench_chart ${CMAKE_CURRENT_LIST_DIR}/bench_chart.cpp)
target_link_libraries(bench_chart PRIVATE mt_chart Qt6::Test)
