// bench_journal [runs] [file]: the journal screen on a journal of a million events (the console's
// mix of categories over 30 days), filled once into a file kept in the temporary folder and used
// again by later runs. The time to open the screen (the form built, its first page shown) and to
// change its filter (a category, a text, a time range in the middle, and the worst cases: a text
// found nowhere, which reads the whole journal), median and worst of the runs each; and the
// file's growth per million events. Target: under 200 ms each.
#include "journal/event_journal.h"
#include "journal/journal_fill.h"
#include "journal/journal_form.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {
constexpr qint64 kEvents = 1000000;
constexpr qint64 kSpanMs = 30LL * 24 * 3600 * 1000;

double elapsed_ms(const std::function<void()>& work) {
    QElapsedTimer t;
    t.start();
    work();
    return double(t.nsecsElapsed()) / 1e6;
}

void report(const char* what, std::vector<double> ms, int rowsShown) {
    std::sort(ms.begin(), ms.end());
    std::printf("  %-48s median %8.2f ms  worst %8.2f ms", what, ms[ms.size() / 2], ms.back());
    if (rowsShown >= 0)
        std::printf("  (%d rows shown)", rowsShown);
    std::printf("\n");
}

void type_and_return(QLineEdit* box, const QString& text) {
    box->setText(text);
    QTest::keyClick(box, Qt::Key_Return);
}
} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    const QString path = argc > 2 ? QString::fromLocal8Bit(argv[2])
                                  : QDir::temp().filePath(QStringLiteral("mt3600-journal-1e6.db"));
    const qint64 first =
        QDateTime(QDate(2024, 3, 1), QTime(0, 0)).toMSecsSinceEpoch(); // 30 days from here

    // The empty journal's size, then the filled one's.
    qint64 emptyBytes = 0;
    {
        const QString empty = path + QStringLiteral(".empty");
        QFile::remove(empty);
        JournalStore s(empty);
        s.open();
        s.close();
        emptyBytes = QFileInfo(empty).size();
        QFile::remove(empty);
    }
    {
        JournalStore probe(path);
        if (!probe.open() || probe.rowCount().value_or(0) != kEvents) {
            probe.close();
            for (const char* suffix : {"", "-wal", "-shm"})
                QFile::remove(path + QLatin1String(suffix));
            QString why;
            const double ms = elapsed_ms([&] {
                if (!fill_journal(path, kEvents, first, kSpanMs / kEvents, &why))
                    std::fprintf(stderr, "fill: %s\n", qPrintable(why));
            });
            std::printf("filled %lld events into %s in %.1f s\n", kEvents, qPrintable(path),
                        ms / 1000);
        }
    }
    EventJournal journal(path);
    double openMs = elapsed_ms([&] { journal.open(); }); // creates any index missing
    const qint64 bytes = journal.store().fileBytes();
    std::printf("journal: %lld events, file %.1f MB (%lld bytes; %.0f bytes an event); "
                "opened in %.1f ms\n",
                journal.store().rowCount().value_or(-1), double(bytes) / 1e6, bytes,
                double(bytes - emptyBytes) / double(kEvents), openMs);

    std::printf("text index: %s\n", journal.store().hasTextIndex() ? "yes" : "no");

    // One committed event, as the journal writes it, into a journal of 10^5 (its own file).
    {
        const QString small = path + QStringLiteral(".append");
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(small + QLatin1String(suffix));
        fill_journal(small, 100000, first, kSpanMs / 100000);
        JournalStore store(small);
        store.open();
        JournalEntry e;
        e.category = EventCategory::Write;
        e.code = QStringLiteral("register");
        e.source = QStringLiteral("Command15 T_3RW(3)");
        e.oldValue = QStringLiteral("600");
        e.newValue = QStringLiteral("650");
        e.pv = 612.5;
        e.user = QStringLiteral("operator");
        e.host = QStringLiteral("line-3");
        e.result = QStringLiteral("accepted");
        e.detail = QStringLiteral("Register 4098: 600 → 650");
        e.session = QStringLiteral("line-3:1234:2024-03-31T00:00:00.000Z");
        std::vector<double> ms;
        for (int i = 0; i < 2000; ++i) {
            e.utcMs = first + kSpanMs + i;
            e.localTime = QDateTime::fromMSecsSinceEpoch(e.utcMs).toString(
                QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"));
            ms.push_back(elapsed_ms([&] { store.append(e); }));
        }
        report("one event appended (committed), 2000 times", ms, -1);
        store.close();
        for (const char* suffix : {"", "-wal", "-shm"})
            QFile::remove(small + QLatin1String(suffix));
    }

    std::printf("the journal screen, %d runs each:\n", runs);
    std::vector<double> ms;
    int shown = 0;
    for (int i = 0; i < runs; ++i) {
        ms.push_back(elapsed_ms([&] {
            JournalForm form(journal, {});
            form.Form_Load();
            form.show();
            form.grab(); // laid out and painted
            shown = form.model().rowCount();
        }));
    }
    report("first page open", ms, shown);

    JournalForm form(journal, {});
    form.Form_Load();
    form.show();
    form.grab();
    auto* from = form.findChild<QLineEdit*>(QStringLiteral("JournalFrom"));
    auto* to = form.findChild<QLineEdit*>(QStringLiteral("JournalTo"));
    auto* text = form.findChild<QLineEdit*>(QStringLiteral("JournalText"));
    auto* clear = form.findChild<QPushButton*>(QStringLiteral("JournalClear"));
    const auto category = [&form](int k) {
        return form.findChild<QCheckBox*>(QStringLiteral("JournalCategory(%1)").arg(k));
    };
    const QString middle =
        QDateTime::fromMSecsSinceEpoch(first + kSpanMs / 2).toString(QStringLiteral("yyyy-MM-dd"));
    // Each change starts from the unfiltered screen; what `before` does is not timed.
    struct Change {
        const char* what;
        std::function<void()> before;
        std::function<void()> act;
    };
    const auto none = [] {};
    const Change changes[] = {
        {"category: alarm (25 %)", none, [&] { QTest::mouseClick(category(0), Qt::LeftButton); }},
        {"category: console (2.5 %)", none,
         [&] { QTest::mouseClick(category(5), Qt::LeftButton); }},
        {"categories: alarm + link", [&] { QTest::mouseClick(category(0), Qt::LeftButton); },
         [&] { QTest::mouseClick(category(4), Qt::LeftButton); }},
        {"text: \"accepted\" (common)", none,
         [&] { type_and_return(text, QStringLiteral("accepted")); }},
        {"text: \"no answer\" (0.3 %)", none,
         [&] { type_and_return(text, QStringLiteral("no answer")); }},
        {"text: \"setup-950.json\" (0.1 %)", none,
         [&] { type_and_return(text, QStringLiteral("setup-950.json")); }},
        {"text: \"Register 4100: 68\" (0.1 %, common trigrams)", none,
         [&] { type_and_return(text, QStringLiteral("Register 4100: 68")); }},
        {"text: found nowhere", none, [&] { type_and_return(text, QStringLiteral("xyzzy")); }},
        {"time range: one day in the middle", [&] { type_and_return(from, middle); },
         [&] { type_and_return(to, middle); }},
        {"time range + category: console",
         [&] {
             type_and_return(from, middle);
             type_and_return(to, middle);
         },
         [&] { QTest::mouseClick(category(5), Qt::LeftButton); }},
        {"time range + text: \"no answer\"",
         [&] {
             type_and_return(from, middle);
             type_and_return(to, middle);
         },
         [&] { type_and_return(text, QStringLiteral("no answer")); }},
    };
    for (const Change& c : changes) {
        std::vector<double> times;
        for (int i = 0; i < runs; ++i) {
            QTest::mouseClick(clear, Qt::LeftButton);
            c.before();
            form.grab();
            times.push_back(elapsed_ms([&] {
                c.act();
                form.grab();
            }));
            shown = form.model().rowCount();
        }
        report(c.what, times, shown);
    }
    return 0;
}
