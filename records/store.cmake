# The record store (SQLite file, record rings, window queries) and the hidden logger form mscom.
add_library(mt_records STATIC
    ${CMAKE_CURRENT_LIST_DIR}/record_source.h
    ${CMAKE_CURRENT_LIST_DIR}/record_schema.h ${CMAKE_CURRENT_LIST_DIR}/record_schema.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_store.h ${CMAKE_CURRENT_LIST_DIR}/record_store.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_store_connection.h
    ${CMAKE_CURRENT_LIST_DIR}/record_store_connection.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_store_errors.h
    ${CMAKE_CURRENT_LIST_DIR}/record_store_errors.cpp
    ${CMAKE_CURRENT_LIST_DIR}/record_table_source.h
    ${CMAKE_CURRENT_LIST_DIR}/record_table_source.cpp
    ${CMAKE_CURRENT_LIST_DIR}/logger_form.h ${CMAKE_CURRENT_LIST_DIR}/logger_form.cpp
)
target_link_libraries(mt_records PUBLIC mt_core Qt6::Sql Qt6::Widgets)
