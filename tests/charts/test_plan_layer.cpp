// The plan on a trend chart: where its times fall among the points drawn (and ahead of the
// newest one), what is cut off, and the soak bands' height.

#include "charts/plan_layer.h"
#include "charts/recording_surface.h"

#include <QRegularExpression>
#include <QTest>

using namespace chart;

namespace {

const QDateTime kBase(QDate(2024, 1, 9), QTime(12, 0, 0));

// Points 0..60 one second apart from the base, 150 units apart, as zoom mode 1 lays them; the
// value scale of a 1500 span.
PlanPass pass() {
    PlanPass p;
    for (int i = 0; i <= 60; ++i)
        p.points.push_back({150.0 * i, moment_of(kBase.addSecs(i))});
    p.unitsPerSecond = 150;
    p.scale = 5;
    p.baseline = 7508;
    p.tolerance = 5;
    p.width = 12008;
    return p;
}

// "s:value ..." seconds from the base; "band s-s:value[±tolerance]".
PlanLayer plan_of(const QString& text) {
    PlanLayer plan;
    for (const QString& part : text.split(u' ', Qt::SkipEmptyParts)) {
        if (part.startsWith(QLatin1String("band"))) {
            const QStringList f = part.mid(4).split(QRegularExpression(QStringLiteral("[-:±]")));
            PlanBand b{kBase.addSecs(f[0].toInt()), kBase.addSecs(f[1].toInt()), f[2].toDouble(),
                       std::nullopt};
            if (f.size() > 3)
                b.tolerance = f[3].toDouble();
            plan.bands.push_back(b);
            continue;
        }
        const QStringList f = part.split(u':');
        plan.points.push_back({kBase.addSecs(f[0].toInt()), f[1].toDouble()});
    }
    return plan;
}

QString text_of(const QRectF& r) {
    return QStringLiteral("%1,%2-%3,%4").arg(r.left()).arg(r.top()).arg(r.right()).arg(r.bottom());
}

} // namespace

class TestPlanLayer : public QObject {
    Q_OBJECT
private slots:
    void placed_data();
    void placed();
};

void TestPlanLayer::placed_data() {
    QTest::addColumn<QString>("plan");
    QTest::addColumn<QString>("lines"); // x1,y1-x2,y2
    QTest::addColumn<QString>("fills");

    // A value v lies at y = 7508 - 5v: 100 at 7008, 200 at 6508.
    QTest::newRow("among the points") << "10:100 20:200"
                                      << "1500,7008-3000,6508"
                                      << "";
    QTest::newRow("cut at the oldest point") << "-10:0 10:200"
                                             << "0,7008-1500,6508"
                                             << "";
    QTest::newRow("ahead of the newest point") << "50:100 70:100"
                                               << "7500,7008-10500,7008"
                                               << "";
    QTest::newRow("cut at the right edge") << "60:100 90:100"
                                           << "9000,7008-12008,7008"
                                           << "";
    QTest::newRow("a segment of no time") << "10:100 10:200"
                                          << "1500,7008-1500,6508"
                                          << "";
    QTest::newRow("wholly before the window") << "-20:100 -10:100"
                                              << ""
                                              << "";
    QTest::newRow("band of the screen's tolerance") << "band10-20:100"
                                                    << ""
                                                    << "1500,6983-3000,7033";
    QTest::newRow("band of the program's own") << "band10-20:100±20"
                                               << ""
                                               << "1500,6908-3000,7108";
}

void TestPlanLayer::placed() {
    QFETCH(QString, plan);
    QFETCH(QString, lines);
    QFETCH(QString, fills);

    RecordingSurface surface;
    draw_plan(surface, plan_of(plan), pass());
    QStringList gotLines;
    for (const RecordedLine& l : surface.lines()) {
        QCOMPARE(l.pen, kPlanPen);
        gotLines << text_of(QRectF(l.units.p1(), l.units.p2()));
    }
    QCOMPARE(gotLines.join(u' '), lines);
    QStringList gotFills;
    for (const RecordedFill& f : surface.fills())
        gotFills << text_of(f.units.normalized());
    QCOMPARE(gotFills.join(u' '), fills);
}

QTEST_GUILESS_MAIN(TestPlanLayer)
#include "test_plan_layer.moc"
