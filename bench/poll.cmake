# The poll cycle over a pseudo terminal against the simulated instrument: paced cycle time against
# the wire-time limit, the unpaced software cost, and the event loop's lateness on a dead link.
if(TARGET mt_sim_process)
    add_executable(bench_poll ${CMAKE_CURRENT_LIST_DIR}/bench_poll.cpp)
    target_link_libraries(bench_poll PRIVATE mt_link mt_sim_process)
endif()
