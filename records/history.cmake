# The curve screens' controls shared by the overview and the history screen, the history screen
# lsqx itself, and the record-file indicator.
add_library(mt_curves STATIC
    ${CMAKE_CURRENT_LIST_DIR}/curve_paging.h ${CMAKE_CURRENT_LIST_DIR}/curve_paging.cpp
    ${CMAKE_CURRENT_LIST_DIR}/curve_screen.h ${CMAKE_CURRENT_LIST_DIR}/curve_screen.cpp
    ${CMAKE_CURRENT_LIST_DIR}/curve_navigation.cpp ${CMAKE_CURRENT_LIST_DIR}/curve_range.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_indicator.h ${CMAKE_CURRENT_LIST_DIR}/record_indicator.cpp
    ${CMAKE_CURRENT_LIST_DIR}/history_form.h ${CMAKE_CURRENT_LIST_DIR}/history_form.cpp
)
target_link_libraries(mt_curves PUBLIC mt_chart mt_records Qt6::Widgets Qt6::PrintSupport)
