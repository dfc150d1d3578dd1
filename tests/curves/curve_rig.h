#pragma once
// A curve screen as the tests drive it: the real controls on a host window, a record file in a
// temporary folder filled through its own connection, the logger writing new records on a
// settable clock, and the screen's 200 ms timer that only the controls start and stop.

#include "core/conversions.h"
#include "core/register_image.h"
#include "charts/chart_picture.h"
#include "curves/curve_screen.h"
#include "records/logger_form.h"
#include "records/record_store.h"
#include "support/record_file.h"
#include "support/settable_clock.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

struct CurveRig {
    QTemporaryDir dir;
    QString path = dir.filePath(QStringLiteral("Rdatabj.db"));
    SettableClock clock{QDateTime(QDate(2024, 3, 5), QTime(12, 0, 0))};
    RecordStore store{path};
    RegisterImage image;
    LoggerState logging;
    ValueAxis axis{.YSpan = 1500}; // as the start-up form sets it
    QTimer timer1;
    QWidget host;
    CurveScreen* screen = nullptr;
    std::array<QLabel*, 6> d3w{};
    std::unique_ptr<mscom> logger;

    explicit CurveRig(const CurveScreenParams& params = kRealTimeCurves) {
        timer1.setInterval(200);
        screen = new CurveScreen(params, {image, logging, axis}, timer1, &host);
        for (int i = 0; i < 6; ++i) {
            d3w[static_cast<std::size_t>(i)] = new QLabel(&host);
            d3w[static_cast<std::size_t>(i)]->setObjectName(QStringLiteral("D_3W(%1)").arg(i));
        }
        screen->setValueLabels(d3w);
        screen->setClock(&clock);
        screen->setKeyWindow(&host);
        host.resize(900, 400);
        store.open(); // creates the file and its tables
    }

    // Rows 1..rows of the short ring with the newest at position (value 0 = record number).
    bool fillShort(qint32 rows, qint32 position) {
        RecordFile file(path);
        return file.fillRing(QStringLiteral("pv_data"), rows, position) &&
               file.setPositions(position, 0);
    }

    void load() {
        screen->Load(store.shortRecords());
        timer1.start();
    }

    // One more record from the logger, a second later; the flag it raises is the screen's.
    void newRecord() {
        if (!logger) {
            logger = std::make_unique<mscom>(image, logging, path, &clock);
            logger->timer().stop();
            logging.LastShortDate = logging.LastLongDate = ole_date(clock.now().date());
            logging.LastShortTime = logging.LastLongTime = ole_time(clock.now().time());
        }
        clock.advanceSeconds(1);
        logger->Timer1_Timer();
    }

    template <class W> W* get(const QString& name) const {
        W* w = host.findChild<W*>(name);
        if (!w)
            qFatal("the curve screen has no control %s", qPrintable(name));
        return w;
    }
    QPushButton* button(const char* name) const { return get<QPushButton>(QLatin1String(name)); }
    QLabel* label(const QString& name) const { return get<QLabel>(name); }
    QSlider* hc() const { return get<QSlider>(QStringLiteral("hc")); }

    const RulerLine* rulerLine() const {
        const auto* pt = get<QWidget>(QStringLiteral("pt"));
        const auto children = pt->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
        return children.isEmpty() ? nullptr : static_cast<const RulerLine*>(children.first());
    }

    TrendChart& chart() const { return screen->chart(); }
};

inline QColor window_colour(const QWidget* w) {
    return w->palette().color(QPalette::Window);
}
