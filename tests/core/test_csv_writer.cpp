// The CSV writer's file life with rows from a list: a whole run puts the file in place; a cancel,
// a read that fails part-way or a writer given up leaves nothing, and a file that was there before
// stays as it was.
#include "core/csv_writer.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {
// Rows from a list; `failAt` rows in, the reading fails as a damaged record file would.
class ListCsv final : public CsvWriter {
public:
    ListCsv(const QString& file, const QString& recordFile, QStringList rows, int failAt)
        : CsvWriter(file, recordFile), rows(std::move(rows)), failAt(failAt) {}
    ~ListCsv() override { cancel(); }

private:
    QStringList headerRow() const override { return {QStringLiteral("n"), QStringLiteral("v")}; }
    bool openRows() override { return true; }
    bool writeRows(int count) override {
        for (int k = 0; k < count && next < rows.size(); ++k, ++next) {
            if (next == failAt) {
                failRead(QStringLiteral("disk I/O error"));
                return false;
            }
            if (!put(csv_line({QString::number(next), rows[next]})))
                return false;
        }
        return next < rows.size();
    }
    void closeRows() override {}

    QStringList rows;
    int failAt;
    qsizetype next = 0;
};

enum class End { Finish, Cancel, GiveUp };
} // namespace

class TestCsvWriter : public QObject {
    Q_OBJECT
private slots:
    void fileLife_data() {
        QTest::addColumn<int>("failAt");
        QTest::addColumn<End>("end");
        QTest::addColumn<QByteArray>("left"); // the target's bytes afterwards
        const QByteArray before("kept\r\n");
        QTest::newRow("whole") << -1 << End::Finish
                               << QByteArray("\xEF\xBB\xBFn,v\r\n0,a\r\n1,\"b,c\"\r\n2,'=d\r\n");
        QTest::newRow("cancelled after a chunk") << -1 << End::Cancel << before;
        QTest::newRow("given up after a chunk") << -1 << End::GiveUp << before;
        QTest::newRow("read fails part-way") << 2 << End::Finish << before;
    }

    void fileLife() {
        QFETCH(int, failAt);
        QFETCH(End, end);
        QFETCH(QByteArray, left);
        QTemporaryDir dir;
        const QString record = dir.filePath(QStringLiteral("records.db"));
        const QString target = dir.filePath(QStringLiteral("out.csv"));
        for (const auto& [path, bytes] :
             {std::pair{record, QByteArray("r")}, std::pair{target, QByteArray("kept\r\n")}}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(bytes);
        }
        {
            ListCsv csv(target, record, {"a", "b,c", "=d"}, failAt);
            QVERIFY(csv.begin());
            QVERIFY(csv.step(1));
            if (end == End::Cancel)
                csv.cancel();
            if (end == End::Finish) {
                while (csv.step(1)) {
                }
                QCOMPARE(csv.finish(), failAt < 0);
                QCOMPARE(csv.error().contains(QStringLiteral("cannot be read")), failAt >= 0);
            }
        }
        QFile f(target);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), left);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2); // no half-written file beside
    }
};

QTEST_GUILESS_MAIN(TestCsvWriter)
#include "test_csv_writer.moc"
