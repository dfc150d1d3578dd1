// The plan's geometry: the course through a program as the instrument runs it, laid from the
// run's start and shifted by the spans its clock stood.

#include "runs/program_plan.h"

#include <QRegularExpression>
#include <QTest>

namespace {

const QDateTime kStart(QDate(2026, 12, 8), QTime(9, 0), Qt::UTC);

// "u<unit> n<segments> L<start>-<end>x<count> r<runs> c<start choice> | <time>:<target> ...";
// the segment count defaults to the segments listed.
ProgramSnapshot program_of(const QString& text) {
    ProgramSnapshot p;
    const QStringList halves = text.split(u'|');
    const QStringList segments = halves.value(1).split(u' ', Qt::SkipEmptyParts);
    p.header[3] = qint16(segments.size());
    for (const QString& t : halves.value(0).split(u' ', Qt::SkipEmptyParts)) {
        const QString v = t.mid(1);
        switch (t.at(0).toLatin1()) {
        case 'u':
            p.header[2] = qint16(v.toInt());
            break;
        case 'n':
            p.header[3] = qint16(v.toInt());
            break;
        case 'r':
            p.header[4] = qint16(v.toInt());
            break;
        case 'c':
            p.header[6] = qint16(v.toInt());
            break;
        case 'L': {
            const QStringList l = v.split(QRegularExpression(QStringLiteral("[-x]")));
            p.header[9] = qint16(l.value(0).toInt());
            p.header[10] = qint16(l.value(1).toInt());
            p.header[8] = qint16(l.value(2).toInt());
            break;
        }
        }
    }
    for (int s = 0; s < segments.size(); ++s) {
        const QStringList f = segments[s].split(u':');
        p.segments[std::size_t(s)] = {qint16(f[1].toInt()), qint16(f[0].toInt()), 0, 0};
    }
    return p;
}

// "30-45 50-": seconds from the start; no end: still going on.
std::vector<PlanPause> pauses_of(const QString& text) {
    std::vector<PlanPause> out;
    for (const QString& p : text.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList ends = p.split(u'-');
        out.push_back({kStart.addSecs(ends[0].toInt()),
                       ends[1].isEmpty() ? QDateTime() : kStart.addSecs(ends[1].toInt())});
    }
    return out;
}

QString seconds(const QDateTime& t) {
    return QString::number(kStart.msecsTo(t) / 1000.0);
}

} // namespace

class TestProgramPlan : public QObject {
    Q_OBJECT
private slots:
    void plan_data();
    void plan();
};

void TestProgramPlan::plan_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("pauses");
    QTest::addColumn<int>("now");
    QTest::addColumn<QString>("vertices"); // seconds:value
    QTest::addColumn<QString>("soaks");    // from-to, seconds

    // PV at the start 20, the set value 35.
    QTest::newRow("ramp") << "u2 | 60:100"
                          << "" << 0 << "0:20 60:100"
                          << "";
    QTest::newRow("soak") << "u2 | 60:100 120:100"
                          << "" << 0 << "0:20 60:100 180:100"
                          << "60-180";
    QTest::newRow("hours") << "u0 | 2:300"
                           << "" << 0 << "0:20 7200:300"
                           << "";
    QTest::newRow("minutes") << "u1 | 2:300"
                             << "" << 0 << "0:20 120:300"
                             << "";
    QTest::newRow("no such unit") << "u3 | 2:300"
                                  << "" << 0 << ""
                                  << "";
    QTest::newRow("no segments") << "u2 n0 | 2:300"
                                 << "" << 0 << ""
                                 << "";
    QTest::newRow("program's segment count") << "u2 n1 | 60:100 60:500"
                                             << "" << 0 << "0:20 60:100"
                                             << "";
    QTest::newRow("loop once more") << "u2 L2-3x1 | 10:100 10:50 10:100"
                                    << "" << 0 << "0:20 10:100 20:50 30:100 40:50 50:100"
                                    << "";
    QTest::newRow("run twice") << "u2 r2 | 10:100"
                               << "" << 0 << "0:20 10:100 20:100"
                               << "10-20";
    QTest::newRow("start from the set value") << "u2 c1 | 60:100"
                                              << "" << 0 << "0:35 60:100"
                                              << "";
    QTest::newRow("segment of no time") << "u2 | 0:50 10:50"
                                        << "" << 0 << "0:20 0:50 10:50"
                                        << "0-10";
    QTest::newRow("held on the ramp") << "u2 | 60:100 60:100"
                                      << "30-45" << 0 << "0:20 30:60 45:60 75:100 135:100"
                                      << "75-135";
    QTest::newRow("deviation wait in the soak")
        << "u2 | 60:100 60:100"
        << "90-100" << 0 << "0:20 60:100 90:100 100:100 130:100"
        << "60-130";
    QTest::newRow("still held") << "u2 | 60:100 60:100"
                                << "30-" << 50 << "0:20 30:60 50:60 80:100 140:100"
                                << "80-140";
    QTest::newRow("hold and wait overlapping")
        << "u2 | 60:100"
        << "10-20 15-30" << 0 << "0:20 10:33.3333 30:33.3333 80:100"
        << "";
}

void TestProgramPlan::plan() {
    QFETCH(QString, program);
    QFETCH(QString, pauses);
    QFETCH(int, now);
    QFETCH(QString, vertices);
    QFETCH(QString, soaks);

    const ProgramPlan p =
        plan_program(program_of(program), {kStart, 20, 35}, pauses_of(pauses), kStart.addSecs(now));
    QStringList got;
    for (const PlanVertex& v : p.vertices)
        got << seconds(v.at) + u':' + QString::number(v.value, 'g', 6);
    QCOMPARE(got.join(u' '), vertices);
    QCOMPARE(p.ok(), !vertices.isEmpty());
    QStringList gotSoaks;
    for (const PlanSoak& s : p.soaks)
        gotSoaks << seconds(s.from) + u'-' + seconds(s.to);
    QCOMPARE(gotSoaks.join(u' '), soaks);
    if (p.ok())
        QCOMPARE(p.end, p.vertices.back().at);
}

QTEST_GUILESS_MAIN(TestProgramPlan)
#include "test_program_plan.moc"
