#pragma once
// The chart on paper for "F3 打印": the picture as shown with its date range, axis labels and
// legend, on a printer page chosen through the print dialog, or straight into a PDF file.

#include "recording_surface.h"

#include <QPainter>
#include <QString>
#include <array>

class QPrinter;

struct ChartPrintout {
    QString title;
    QString dateRange;                         // first to last time-axis label
    const RecordingSurface* picture = nullptr; // the lines of `pt`
    std::array<QString, 9> timeLabels;         // Label4(0..8)
    std::array<QString, 9> dateLabels;         // Label7(0..8)
    std::array<QString, 7> valueLabels;        // Label5(0..6)
    std::array<QString, 7> fixedLabels;        // Label6(0..6)
};

// Lays the chart out on page (device units of the painter); dotsPerPixel scales pen widths given in
// screen pixels.
void render_chart_page(QPainter& painter, const QRectF& page, double dotsPerPixel,
                       const ChartPrintout& printout);

// On a printer already set up (the print dialog's choice, PDF output included). False when the
// printer cannot be started.
bool print_chart(QPrinter& printer, const ChartPrintout& printout);

// A landscape A4 PDF at path. False when the file cannot be written.
bool export_chart_pdf(const QString& path, const ChartPrintout& printout);
