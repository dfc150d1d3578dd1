// The historian as the operator meets it, without a server: the connection string's rules, the
// indicator's words and colour, and the settings dialog typed into.
#include "core/console_settings.h"
#include "historian/historian_conninfo.h"
#include "historian/historian_dialog.h"
#include "historian/historian_view.h"
#include "records/record_indicator.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

Q_DECLARE_METATYPE(HistorianState::Phase)

class TestHistorianShown : public QObject {
    Q_OBJECT
private slots:
    void conninfo_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("options"); // empty: refused
        QTest::newRow("pairs") << "host=db dbname=h"
                               << "host=db;dbname=h;connect_timeout=5";
        QTest::newRow("quoted, own time out")
            << "host='a b' application_name='it\\'s' connect_timeout=2"
            << "host='a b';application_name='it\\'s';connect_timeout=2";
        QTest::newRow("service") << "service=plant"
                                 << "service=plant;connect_timeout=5";
        QTest::newRow("password") << "host=db PASSWORD=x"
                                  << "";
        QTest::newRow("uri") << "postgresql://db/h"
                             << "";
        QTest::newRow("no value sign") << "host db"
                                       << "";
        QTest::newRow("open quote") << "host='db"
                                    << "";
        QTest::newRow("empty") << "  "
                               << "";
    }
    void conninfo() {
        QFETCH(QString, text);
        QFETCH(QString, options);
        QString why;
        const auto info = HistorianConninfo::parse(text, &why);
        QCOMPARE(info ? info->connectOptions() : QString(), options);
        QCOMPARE(why.isEmpty(), !options.isEmpty());
    }

    void lamp_data() {
        QTest::addColumn<HistorianState::Phase>("phase");
        QTest::addColumn<qint64>("behindMs");
        QTest::addColumn<int>("health");
        QTest::addColumn<QString>("words");
        using P = HistorianState::Phase;
        QTest::newRow("current") << P::Current << qint64(0) << int(LampHealth::Good) << "all";
        QTest::newRow("a minute behind")
            << P::CatchingUp << qint64(60000) << int(LampHealth::Good) << "catching up 7 rows";
        QTest::newRow("just over a minute")
            << P::CatchingUp << qint64(60001) << int(LampHealth::Lagging) << "behind by 1 min";
        QTest::newRow("failing") << P::Failing << qint64(0) << int(LampHealth::Failing)
                                 << "failing: server gone (next attempt in 4 s)";
    }
    void lamp() {
        QFETCH(HistorianState::Phase, phase);
        QFETCH(qint64, behindMs);
        QFETCH(int, health);
        QFETCH(QString, words);
        const LampView view = HistorianView::of({phase, 7, behindMs, "server gone", 4});
        QVERIFY2(view.text.contains(words), qPrintable(view.text));
        // On the indicator of a file that works: its colour, and its words in the tooltip.
        RecordIndicator indicator;
        indicator.display({RecordStoreState::Ok, "ok", {}, 0, 0});
        indicator.setHistorianState(view.text, view.health);
        QCOMPARE(int(indicator.health()), health);
        QVERIFY(indicator.toolTip().contains(words));
    }

    // Refused text is marked and kept nowhere, the dialog stays; accepted text is remembered.
    void dialogKeeps_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("kept");
        QTest::newRow("password") << "host=db password=x" << false;
        QTest::newRow("uri") << "postgres://db" << false;
        QTest::newRow("pairs") << "host=db dbname=h" << true;
        QTest::newRow("empty: no historian") << "" << true;
    }
    void dialogKeeps() {
        QFETCH(QString, typed);
        QFETCH(bool, kept);
        console_settings::enable();
        console_settings::set_value("historian/conninfo", "host=before");
        HistorianDialog dialog;
        dialog.show();
        auto* box = dialog.findChild<QLineEdit*>("HistorianConninfo");
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Delete);
        QTest::keyClicks(box, typed);
        QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok),
                          Qt::LeftButton);
        QCOMPARE(dialog.isVisible(), !kept);
        QCOMPARE(HistorianDialog::savedConninfo(), kept ? typed : QString("host=before"));
        // Refused: the reason on the marked box and on the dialog's note line.
        QCOMPARE(box->toolTip().isEmpty(), kept);
        if (!kept)
            QCOMPARE(dialog.findChild<QLabel*>("HistorianNote")->text(), box->toolTip());
    }
};

QTEST_MAIN(TestHistorianShown)
#include "test_historian_shown.moc"
