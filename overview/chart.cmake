# The overview's real-time curve on the shared curve-screen controls, with the history screen.
target_sources(mt_overview PRIVATE
    ${CMAKE_CURRENT_LIST_DIR}/realtime_chart.h ${CMAKE_CURRENT_LIST_DIR}/realtime_chart.cpp)
target_link_libraries(mt_overview PUBLIC mt_curves)
