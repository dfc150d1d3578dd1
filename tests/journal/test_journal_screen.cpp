// The screen "事件记录" on a real record file, driven through its controls: it opens from the
// overview's button (and not without a journal), its filters (category, text, time range) reload
// the first page and a bad input is refused with the table unchanged, pages continue across equal
// timestamps without a duplicate or a gap, a live event comes on top without moving an operator
// who scrolled down, a large journal opens on its newest 200, and "导出" writes what is shown.
#include "app/screens.h"
#include "journal/event_journal.h"
#include "journal/journal_fill.h"
#include "journal/journal_form.h"
#include "journal/journal_model.h"
#include "overview/overview_rig.h"
#include "support/settable_clock.h"

#include <QCheckBox>
#include <QFile>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSqlQuery>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>

namespace {

void add(EventJournal& journal, EventCategory category, const QString& code, const QString& detail,
         const QString& result = QString()) {
    EventDraft d;
    d.category = category;
    d.code = code;
    d.source = QStringLiteral("test");
    d.detail = detail;
    d.result = result;
    QVERIFY2(journal.record(d), qPrintable(journal.store().lastError()));
}

// The sequence numbers the table shows, top to bottom.
QList<qint64> shown(JournalForm& form) {
    QList<qint64> seqs;
    auto* table = form.findChild<QTableView*>(QStringLiteral("JournalTable"));
    for (int r = 0; r < table->model()->rowCount(); ++r)
        seqs << table->model()->index(r, JournalModel::Seq).data().toLongLong();
    return seqs;
}

template <class W> W* control(QWidget& form, const QString& name) {
    W* w = form.findChild<W*>(name);
    if (!w)
        qFatal("the journal screen has no control %s", qPrintable(name));
    return w;
}

void type_and_return(QLineEdit* box, const QString& text) {
    box->setFocus(Qt::TabFocusReason);
    box->selectAll();
    QTest::keyClick(box, Qt::Key_Delete);
    for (const QChar c : text) {
        if (c.unicode() < 128) {
            QTest::keyClicks(box, QString(c));
        } else { // as an input method commits it
            QInputMethodEvent typed;
            typed.setCommitString(QString(c));
            QCoreApplication::sendEvent(box, &typed);
        }
    }
    QTest::keyClick(box, Qt::Key_Return);
}

bool show_active(QWidget& w) {
    w.show();
    w.activateWindow();
    return QTest::qWaitForWindowActive(&w, 2000);
}

} // namespace

class TestJournalScreen : public QObject {
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    // A live event stamped earlier than the rows read so far (written when the file came back, or
    // the clock set back) comes on top, and is not shown again when paging reaches its time.
    void lateLiveEventShownOnce() {
        SettableClock clock;
        EventJournal journal(dir.filePath(QStringLiteral("late.db")), &clock);
        QVERIFY(journal.open());
        EventDraft d;
        d.category = EventCategory::Write;
        d.code = QStringLiteral("register");
        for (int i = 0; i < 300; ++i) {
            clock.advanceSeconds(1);
            QVERIFY(journal.record(d));
        }
        JournalStore reader(journal.store().path());
        JournalModel model(reader);
        QVERIFY(model.reload({}));
        connect(&journal, &EventJournal::appended, &model,
                [&](const JournalEntry& e) { model.offerLive(e); });
        clock.advanceSeconds(-250);
        QVERIFY(journal.record(d));
        while (model.canFetchMore({}))
            model.fetchMore({});
        QSet<qint64> seen;
        for (int r = 0; r < model.rowCount(); ++r)
            seen.insert(model.entry(r).seq);
        QCOMPARE(model.rowCount(), 301);
        QCOMPARE(seen.size(), 301);
    }

    void opensFromTheOverview() {
        EventJournal journal(dir.filePath(QStringLiteral("open.db")));
        QVERIFY(journal.open());
        {
            OverviewRig none;
            register_screens(
                none.form,
                {none.instrument, none.link, none.logging, none.axis, {}, nullptr, nullptr});
            QVERIFY(!none.get<QPushButton>(QStringLiteral("CommandJournal"))->isEnabled());
        }
        OverviewRig rig;
        register_screens(rig.form,
                         {rig.instrument, rig.link, rig.logging, rig.axis, {}, nullptr, &journal});
        QVERIFY(rig.showActive());
        auto* button = rig.get<QPushButton>(QStringLiteral("CommandJournal"));
        QCOMPARE(button->text(), QStringLiteral("事件记录"));
        QTest::mouseClick(button, Qt::LeftButton);
        auto* form = qobject_cast<JournalForm*>(rig.form.navigation().shownScreen());
        QVERIFY(form);
        QCOMPARE(form->windowTitle(), QStringLiteral("事件记录"));
        QVERIFY(QTest::qWaitForWindowActive(form, 2000));
        QTest::keyClick(form, Qt::Key_Escape);
        QVERIFY(!rig.form.navigation().shownScreen());
        QVERIFY(rig.form.isVisible());
    }

    void filters_data() {
        QTest::addColumn<QStringList>("steps"); // what the operator does, in order
        QTest::addColumn<QList<qint64>>("expected");
        QTest::addColumn<bool>("refused");
        const QList<qint64> all{10, 9, 8, 7, 6, 5, 4, 3, 2, 1};
        QTest::newRow("nothing: all, newest first") << QStringList{} << all << false;
        QTest::newRow("one category") << QStringList{"category 0"} << QList<qint64>{4, 2} << false;
        QTest::newRow("two categories")
            << QStringList{"category 0", "category 1"} << QList<qint64>{6, 4, 3, 2} << false;
        QTest::newRow("all again")
            << QStringList{"category 0", "category 1", "all"} << all << false;
        QTest::newRow("last category unticked: all")
            << QStringList{"category 4", "category 4"} << all << false;
        QTest::newRow("text") << QStringList{"text no answer"} << QList<qint64>{6} << false;
        QTest::newRow("text in any case")
            << QStringList{"text ALARM 1"} << QList<qint64>{4, 2} << false;
        QTest::newRow("text in Chinese") << QStringList{"text 换为手"} << QList<qint64>{5} << false;
        QTest::newRow("text with a wildcard is literal")
            << QStringList{"text 100%"} << QList<qint64>{3} << false;
        QTest::newRow("category and text")
            << QStringList{"category 1", "text accepted"} << QList<qint64>{3} << false;
        QTest::newRow("from a day")
            << QStringList{"from 2024-03-07"} << QList<qint64>{10, 9, 8} << false;
        QTest::newRow("one day") << QStringList{"from 2024-03-06", "to 2024-03-06"}
                                 << QList<qint64>{7, 6, 5} << false;
        QTest::newRow("to a minute keeps that minute")
            << QStringList{"to 2024-03-05 12:20"} << QList<qint64>{3, 2, 1} << false;
        QTest::newRow("to a second keeps its milliseconds")
            << QStringList{"from 2024-03-07 00:00:00", "to 2024-03-07T00:00:00"} << QList<qint64>{8}
            << false;
        QTest::newRow("from after to: refused")
            << QStringList{"category 0", "to 2024-03-06", "from 2024-03-07"} << QList<qint64>{4, 2}
            << true;
        QTest::newRow("no time: refused")
            << QStringList{"text no answer", "from 2024-13-01"} << QList<qint64>{6} << true;
        QTest::newRow("cleared") << QStringList{"category 0", "text on", "from 2024-03-05", "clear"}
                                 << all << false;
    }

    void filters() {
        QFETCH(QStringList, steps);
        QFETCH(QList<qint64>, expected);
        QFETCH(bool, refused);
        const QString path = dir.filePath(QStringLiteral("filters.db"));
        SettableClock clock(QDateTime(QDate(2024, 3, 5), QTime(12, 0)));
        EventJournal journal(path, &clock);
        QVERIFY(journal.open());
        if (journal.store().rowCount() == 0) {
            const auto at = [&clock](int day, const char* time) {
                clock.set(QDateTime(QDate(2024, 3, day),
                                    QTime::fromString(QLatin1String(time), "HH:mm:ss.zzz")));
            };
            at(5, "12:00:00.000");
            add(journal, EventCategory::Console, "started", "Console started");
            at(5, "12:10:00.000");
            add(journal, EventCategory::Alarm, "on", "Alarm 1 on (alarm type 1)");
            at(5, "12:20:59.999");
            add(journal, EventCategory::Write, "register", "OP 100% → 90%", "accepted");
            at(5, "13:00:00.000");
            add(journal, EventCategory::Alarm, "off", "alarm 1 off");
            at(6, "08:00:00.000");
            add(journal, EventCategory::Mode, "manual", "切换为手动");
            at(6, "09:00:00.000");
            add(journal, EventCategory::Write, "coil", "Coil 3", "failed: no answer");
            at(6, "10:00:00.000");
            add(journal, EventCategory::Program, "hold", "Program held");
            at(7, "00:00:00.500");
            add(journal, EventCategory::Link, "lost", "Link lost");
            at(7, "00:00:05.000");
            add(journal, EventCategory::Link, "restored", "Link restored");
            at(7, "12:00:00.000");
            add(journal, EventCategory::File, "backup", "Backup");
        }

        JournalForm form(journal, {});
        form.Form_Load();
        QVERIFY(show_active(form));
        auto* from = control<QLineEdit>(form, QStringLiteral("JournalFrom"));
        auto* to = control<QLineEdit>(form, QStringLiteral("JournalTo"));
        QList<qint64> before;
        for (const QString& step : steps) {
            before = shown(form);
            const QString what = step.section(u' ', 0, 0);
            const QString value = step.section(u' ', 1);
            if (what == u"category")
                QTest::mouseClick(
                    control<QCheckBox>(form, QStringLiteral("JournalCategory(%1)").arg(value)),
                    Qt::LeftButton);
            else if (what == u"all")
                QTest::mouseClick(control<QCheckBox>(form, QStringLiteral("JournalAll")),
                                  Qt::LeftButton);
            else if (what == u"text")
                type_and_return(control<QLineEdit>(form, QStringLiteral("JournalText")), value);
            else if (what == u"from")
                type_and_return(from, value);
            else if (what == u"to")
                type_and_return(to, value);
            else if (what == u"clear")
                QTest::mouseClick(control<QPushButton>(form, QStringLiteral("JournalClear")),
                                  Qt::LeftButton);
        }
        QCOMPARE(shown(form), expected);
        const auto* note = control<QLabel>(form, QStringLiteral("JournalNote"));
        const bool marked = from->palette().color(QPalette::Base) == QColor(255, 200, 200) ||
                            to->palette().color(QPalette::Base) == QColor(255, 200, 200);
        QCOMPARE(marked, refused);
        QCOMPARE(!note->text().isEmpty(), refused);
        if (refused)
            QCOMPARE(before, expected); // the refused step changed nothing
        QVERIFY(control<QLabel>(form, QStringLiteral("JournalStatus"))
                    ->text()
                    .startsWith(QString::number(expected.size())));
    }

    // Pages of 200 across 450 events on two timestamps: the cut falls inside a run of equal
    // times, where only the sequence number tells the rows apart.
    void pagesContinueAcrossEqualTimes() {
        SettableClock clock;
        EventJournal journal(dir.filePath(QStringLiteral("equal.db")), &clock);
        QVERIFY(journal.open());
        for (int k = 0; k < 450; ++k) {
            if (k == 150)
                clock.advanceMs(1);
            add(journal, EventCategory::Write, "register", QStringLiteral("write %1").arg(k));
        }
        JournalForm form(journal, {});
        form.Form_Load();
        QVERIFY(show_active(form));
        auto* table = control<QTableView>(form, QStringLiteral("JournalTable"));
        QCOMPARE(form.model().rowCount(), 200);
        QVERIFY(control<QLabel>(form, QStringLiteral("JournalStatus"))
                    ->text()
                    .contains(QStringLiteral("more")));
        table->setFocus();
        for (int k = 0; k < 10 && form.model().hasMore(); ++k) {
            QTest::keyClick(table, Qt::Key_End, Qt::ControlModifier);
            QCoreApplication::processEvents(); // the view lays out the rows it was given
        }
        QList<qint64> expected;
        for (qint64 seq = 450; seq >= 1; --seq)
            expected << seq;
        QCOMPARE(shown(form), expected);
        QVERIFY(!form.model().hasMore());
        QVERIFY(!control<QLabel>(form, QStringLiteral("JournalStatus"))
                     ->text()
                     .contains(QStringLiteral("more")));
    }

    void liveEventsComeOnTop() {
        SettableClock clock;
        EventJournal journal(dir.filePath(QStringLiteral("live.db")), &clock);
        QVERIFY(journal.open());
        for (int k = 0; k < 120; ++k) {
            clock.advanceMs(1000);
            add(journal, EventCategory::Alarm, "on", QStringLiteral("alarm %1").arg(k));
        }
        JournalForm form(journal, {});
        form.Form_Load();
        QVERIFY(show_active(form));
        auto* table = control<QTableView>(form, QStringLiteral("JournalTable"));

        // At the top: the new event shows at once.
        clock.advanceMs(1000);
        add(journal, EventCategory::Alarm, "off", QStringLiteral("newest"));
        QCOMPARE(shown(form).first(), 121);
        QCOMPARE(table->indexAt(QPoint(2, 2)).row(), 0);

        // Scrolled down, to the end even: the rows looked at stay where they are.
        table->verticalScrollBar()->setValue(table->verticalScrollBar()->maximum());
        QVERIFY(table->verticalScrollBar()->value() > 0);
        const qint64 looked = table->indexAt(QPoint(2, 2)).siblingAtColumn(0).data().toLongLong();
        clock.advanceMs(1000);
        add(journal, EventCategory::Alarm, "on", QStringLiteral("newer still"));
        QCOMPARE(shown(form).first(), 122);
        QCOMPARE(table->indexAt(QPoint(2, 2)).siblingAtColumn(0).data().toLongLong(), looked);

        // One the filter does not take stays out.
        QTest::mouseClick(control<QCheckBox>(form, QStringLiteral("JournalCategory(0)")),
                          Qt::LeftButton); // alarms only
        QCOMPARE(form.model().rowCount(), 122);
        clock.advanceMs(1000);
        add(journal, EventCategory::Write, "register", QStringLiteral("a write"));
        QCOMPARE(form.model().rowCount(), 122);
        QCOMPARE(shown(form).first(), 122);
    }

    // A record file whose events came before the text index: the index takes them in when the
    // file is opened, so the text filter still finds them.
    void textFilterFindsEventsFromBeforeItsIndex() {
        const QString path = dir.filePath(QStringLiteral("older.db"));
        QVERIFY(fill_journal(path, 1000, 0, 1000));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), "older");
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QSqlQuery q(db);
            QVERIFY(q.exec("drop trigger events_text_insert"));
            QVERIFY(q.exec("drop table events_text"));
        }
        QSqlDatabase::removeDatabase(QStringLiteral("older"));
        JournalStore store(path);
        QVERIFY(store.open());
        if (!store.hasTextIndex())
            QSKIP("this SQLite has no full-text module: the text filter reads row by row");
        JournalFilter f;
        f.text = QStringLiteral("setup-950.json");
        const auto rows = store.page(f, std::nullopt, 10);
        QCOMPARE(rows.size(), std::size_t(1));
        QVERIFY(rows.front().detail.contains(f.text));
    }

    void largeJournalOpensOnItsNewestPage() {
        const QString path = dir.filePath(QStringLiteral("large.db"));
        const qint64 first = QDateTime(QDate(2024, 3, 1), QTime(0, 0)).toMSecsSinceEpoch();
        QString why;
        QVERIFY2(fill_journal(path, 100000, first, 2000, &why), qPrintable(why));
        EventJournal journal(path);
        QVERIFY(journal.open());
        JournalForm form(journal, {});
        form.Form_Load();
        const QList<qint64> seqs = shown(form);
        QCOMPARE(seqs.size(), 200);
        QCOMPARE(seqs.first(), 100000);
        QCOMPARE(seqs.last(), 99801);
        QCOMPARE(control<QLabel>(form, QStringLiteral("JournalStatus"))->text(),
                 QStringLiteral("200 events shown · more…"));
    }

    // A page that cannot be read ends the list there, and the status line says it is incomplete.
    void damagedFileShownIncomplete() {
        const QString path = dir.filePath(QStringLiteral("damaged.db"));
        QVERIFY(fill_journal(path, 5000, 0, 1000));
        QVERIFY(damage_middle_page(path, QStringLiteral("events")));
        EventJournal journal(path);
        journal.open();
        JournalForm form(journal, {});
        form.Form_Load();
        QAbstractItemModel* rows =
            control<QTableView>(form, QStringLiteral("JournalTable"))->model();
        for (int pages = 0; rows->canFetchMore({}) && pages < 50; ++pages)
            rows->fetchMore({}); // as the view asks while the operator scrolls down
        QVERIFY(rows->rowCount() > 200 && rows->rowCount() < 5000);
        QVERIFY(control<QLabel>(form, QStringLiteral("JournalStatus"))
                    ->text()
                    .contains(QStringLiteral("incomplete: the record file cannot be read")));
    }

    void exportWritesWhatIsShown() {
        SettableClock clock;
        EventJournal journal(dir.filePath(QStringLiteral("export.db")), &clock);
        QVERIFY(journal.open());
        for (int k = 0; k < 2500; ++k) {
            clock.advanceMs(100);
            add(journal, k % 2 ? EventCategory::Write : EventCategory::Alarm, "x",
                QStringLiteral("event %1").arg(k));
        }
        JournalForm form(journal, {});
        form.Form_Load();
        QVERIFY(show_active(form));
        QTest::mouseClick(control<QCheckBox>(form, QStringLiteral("JournalCategory(1)")),
                          Qt::LeftButton); // writes
        const QString file = dir.filePath(QStringLiteral("from-screen.csv"));
        type_and_return(control<QLineEdit>(form, QStringLiteral("JournalExportFile")), file);
        QTest::mouseClick(control<QPushButton>(form, QStringLiteral("JournalExport")),
                          Qt::LeftButton);
        QVERIFY(form.exporting());
        QVERIFY(!QFile::exists(file)); // whole or not at all
        int turns = 0;
        while (form.exporting() && turns < 100) {
            form.exportStep(); // the step timer's handler
            ++turns;
        }
        QCOMPARE(turns, 2); // 1250 events, 1000 a turn
        QVERIFY(control<QLabel>(form, QStringLiteral("JournalNote"))
                    ->text()
                    .startsWith(QStringLiteral("1250 events written")));
        QFile csv(file);
        QVERIFY(csv.open(QIODevice::ReadOnly));
        const QList<QByteArray> lines = csv.readAll().split('\n');
        QCOMPARE(lines.size(), 1 + 1250 + 1);
        QVERIFY(lines[1].startsWith("2,")); // oldest first
        QVERIFY(lines[1250].startsWith("2500,"));
    }
};

QTEST_MAIN(TestJournalScreen)
#include "test_journal_screen.moc"
