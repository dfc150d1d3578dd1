# The trend chart: its logic against the recording surface, and the picture, view and printing.
mt_add_test(test_trend_chart SOURCES test_trend_chart.cpp memory_record_source.h
    LIBS mt_chart LABELS records)
mt_add_test(test_chart_view SOURCES test_chart_view.cpp memory_record_source.h
    LIBS mt_chart LABELS records)
