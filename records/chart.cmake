# The trend chart both curve screens share: the chart logic, its drawing surfaces, the view widget
# and printing.
add_library(mt_chart STATIC
    record_source.h
    chart_surface.h
    chart_geometry.h chart_geometry.cpp
    trend_chart.h trend_chart.cpp
    painter_surface.h painter_surface.cpp
    recording_surface.h recording_surface.cpp
    chart_picture.h chart_picture.cpp
    trend_chart_view.h trend_chart_view.cpp
    chart_print.h chart_print.cpp
)
target_include_directories(mt_chart PUBLIC ${PROJECT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(mt_chart PUBLIC mt_core Qt6::Widgets Qt6::PrintSupport)
