# The curve screens' controls against temporary record files and a settable clock, the history
# screen, and the overview's real-time curve with its way to the history screen and back.
mt_add_test(test_curve_screen SOURCES test_curve_screen.cpp curve_rig.h
    LIBS mt_curves Qt6::Sql LABELS records)
mt_add_test(test_history_screen SOURCES test_history_screen.cpp curve_rig.h
    LIBS mt_curves Qt6::Sql LABELS records)
# Once the overview carries its real-time curve.
get_target_property(overview_sources mt_overview SOURCES)
if(overview_sources MATCHES "realtime_chart")
    mt_add_test(test_overview_curves SOURCES test_overview_curves.cpp
        LIBS mt_overview mt_curves Qt6::Sql LABELS records overview)
endif()
