# The console executable: start-up and command line over the rooms' libraries.
qt_add_executable(mt3600-console
    ${CMAKE_CURRENT_LIST_DIR}/main.cpp
    ${CMAKE_CURRENT_LIST_DIR}/console_app.h ${CMAKE_CURRENT_LIST_DIR}/console_app.cpp
    ${CMAKE_CURRENT_LIST_DIR}/console_options.h ${CMAKE_CURRENT_LIST_DIR}/console_options.cpp
    ${CMAKE_CURRENT_LIST_DIR}/demo_instrument.h ${CMAKE_CURRENT_LIST_DIR}/demo_instrument.cpp
)
set_target_properties(mt3600-console PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/app)
target_link_libraries(mt3600-console PRIVATE mt_overview mt_records mt_link mt_core)
