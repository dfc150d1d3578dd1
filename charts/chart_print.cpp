#include "chart_print.h"

#include "chart_geometry.h"
#include "chart_legend.h"
#include "painter_surface.h"

#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPrinter>

namespace {

// Every curve by its caption, in its colour, right-aligned on the row.
void draw_legend(QPainter& painter, const QRectF& row) {
    const QFontMetricsF fm(painter.font(), painter.device());
    const std::vector<chart::LegendEntry> entries = chart::legend_entries();
    double x = row.right();
    for (auto it = entries.rbegin(); it != entries.rend(); ++it) {
        const QString text = QStringLiteral("\u2501 ") + it->caption;
        x -= fm.horizontalAdvance(text);
        painter.setPen(QColor(it->colour));
        painter.drawText(QRectF(x, row.top(), fm.horizontalAdvance(text), row.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, text);
        x -= fm.horizontalAdvance(QStringLiteral("   "));
    }
}

// Where a chart point lands on the page.
QPointF on_chart(const QRectF& chartRect, double x, double y) {
    return {chartRect.left() + x * chartRect.width() / chart::kWidth,
            chartRect.top() + y * chartRect.height() / chart::kHeight};
}

void draw_axes(QPainter& painter, const QRectF& chartRect, double rowHeight, double column,
               const ChartPrintout& printout) {
    painter.setPen(Qt::black);
    for (int i = 0; i < 7; ++i) {
        const double y = on_chart(chartRect, 0, chart::value_axis_y(i)).y() - rowHeight / 2;
        const auto right = Qt::AlignRight | Qt::AlignVCenter;
        painter.drawText(QRectF(chartRect.left() - column - rowHeight / 2, y, column, rowHeight),
                         right, printout.valueLabels[i]);
        painter.drawText(
            QRectF(chartRect.left() - 2 * column - rowHeight / 2, y, column, rowHeight), right,
            printout.fixedLabels[i]);
    }
    // The fixed scale's unit over it, on the legend's row (the legend keeps to the right).
    for (const chart::LegendEntry& e : chart::legend_entries())
        if (e.column == 1)
            painter.setPen(QColor(e.colour));
    painter.drawText(QRectF(chartRect.left() - 2 * column - rowHeight / 2,
                            chartRect.top() - 1.5 * rowHeight, 2 * column, rowHeight),
                     Qt::AlignLeft | Qt::AlignVCenter, chart::output_axis_caption());
    painter.setPen(Qt::black);
    const double width = 2 * column;
    for (int k = 0; k < 9; ++k) {
        const double x = on_chart(chartRect, 1500.0 * k, 0).x() - width / 2;
        const double y = chartRect.bottom() + rowHeight / 4;
        const auto centre = Qt::AlignHCenter | Qt::AlignTop;
        painter.drawText(QRectF(x, y, width, rowHeight), centre, printout.timeLabels[k]);
        painter.drawText(QRectF(x, y + rowHeight, width, rowHeight), centre,
                         printout.dateLabels[k]);
    }
}

} // namespace

void render_chart_page(QPainter& painter, const QRectF& page, double dotsPerPixel,
                       const ChartPrintout& printout) {
    painter.save();
    const QFontMetricsF fm(painter.font(), painter.device());
    const double rowHeight = fm.height() * 1.2;
    const double column = fm.horizontalAdvance(QStringLiteral("-00000")) + rowHeight / 2;

    const QRectF header(page.left(), page.top(), page.width(), rowHeight);
    painter.setPen(Qt::black);
    painter.drawText(header, Qt::AlignLeft | Qt::AlignVCenter,
                     printout.title.isEmpty()
                         ? printout.dateRange
                         : printout.title + QStringLiteral("    ") + printout.dateRange);
    draw_legend(painter, header.translated(0, rowHeight));

    const double left = page.left() + 2 * column + rowHeight;
    const double top = page.top() + 2.5 * rowHeight;
    const double right = page.right() - column;
    const double bottom = page.bottom() - 2.5 * rowHeight;
    // Keep the picture's proportions so the chart on paper looks as it does on screen.
    double w = right - left;
    double h = w * chart::kHeight / chart::kWidth;
    if (h > bottom - top) {
        h = bottom - top;
        w = h * chart::kWidth / chart::kHeight;
    }
    const QRectF chartRect(left, top, w, h);

    painter.save();
    painter.setClipRect(chartRect);
    if (printout.picture) {
        PainterSurface surface(painter, chartRect, dotsPerPixel, false);
        printout.picture->replay(surface);
    }
    painter.restore();
    QPen frame(Qt::black);
    frame.setWidthF(dotsPerPixel);
    painter.setPen(frame);
    painter.drawRect(chartRect);
    draw_axes(painter, chartRect, rowHeight, column, printout);
    painter.restore();
}

bool print_chart(QPrinter& printer, const ChartPrintout& printout) {
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    const QRectF paint = printer.pageLayout().paintRectPixels(printer.resolution());
    render_chart_page(painter, QRectF(QPointF(0, 0), paint.size()), printer.resolution() / 96.0,
                      printout);
    return painter.end();
}

bool export_chart_pdf(const QString& path, const ChartPrintout& printout) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(path);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Landscape);
    if (!print_chart(printer, printout))
        return false;
    return QFileInfo(path).size() > 0;
}
