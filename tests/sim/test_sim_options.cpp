// The simulator's command line, its write log lines, the line timing of --pace, the fault plan
// and the decoding of write requests.

#include "fault_plan.h"
#include "line_timing.h"
#include "options.h"
#include "request_filter.h"
#include "write_log.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

using namespace sim;

class TestSimOptions : public QObject {
    Q_OBJECT

private slots:
    void accepted_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("expected");
        QTest::newRow("defaults") << QStringList{"--pty", "/tmp/p"} << "summary"
                                  << "pty=/tmp/p addr=1 baud=9600 parity=0 speed=1 pace=0 turn=2";
        QTest::newRow("everything")
            << QStringList{"--pty",  "/tmp/p",       "--address", "247",     "--baud",
                           "19200",  "--parity",     "even",      "--speed", "60",
                           "--pace", "--turnaround", "3.5"}
            << "summary"
            << "pty=/tmp/p addr=247 baud=19200 parity=2 speed=60 pace=1 "
               "turn=3.5";
        QTest::newRow("tcp port only") << QStringList{"--tcp", "1502"} << "tcp"
                                       << "127.0.0.1:1502";
        QTest::newRow("tcp host and port") << QStringList{"--tcp", "0.0.0.0:5020"} << "tcp"
                                           << "0.0.0.0:5020";
        QTest::newRow("seed") << QStringList{"--serial", "/dev/ttyUSB0", "--seed", "12345"}
                              << "seed"
                              << "12345";
        QTest::newRow("faults") << QStringList{"--pty",       "p", "--no-answer", "0.25",
                                               "--bad-crc",   "1", "--delay",     "40",
                                               "--exception", "2", "--exception", "4:4353-4368"}
                                << "faults"
                                << "0.25 1 40 | 2:1-65536 4:4353-4368";
    }
    void accepted() {
        QFETCH(QStringList, args);
        QFETCH(QString, field);
        QFETCH(QString, expected);
        const ParsedOptions p = parse_options(QStringList{"mt3600-sim"} + args);
        QVERIFY2(p.options, qPrintable(p.text));
        const SimOptions& o = *p.options;
        QString got;
        if (field == "summary")
            got = QString("pty=%1 addr=%2 baud=%3 parity=%4 speed=%5 pace=%6 turn=%7")
                      .arg(o.ptyPath)
                      .arg(o.address)
                      .arg(o.baud)
                      .arg(parity_code(o.parity))
                      .arg(o.speed)
                      .arg(int(o.pace))
                      .arg(o.turnaroundMs);
        else if (field == "tcp")
            got = QString("%1:%2").arg(o.tcpHost).arg(o.tcpPort);
        else if (field == "seed")
            got = o.seed ? QString::number(*o.seed) : QString("none");
        else {
            got = QString("%1 %2 %3 |")
                      .arg(o.faults.noAnswer)
                      .arg(o.faults.badCrc)
                      .arg(o.faults.delayMs);
            for (const ExceptionRule& r : o.faults.exceptions)
                got += QString(" %1:%2-%3").arg(r.code).arg(r.first).arg(r.last);
        }
        QCOMPARE(got, expected);
    }

    void refused_data() {
        QTest::addColumn<QStringList>("args");
        QTest::newRow("no transport") << QStringList{"--baud", "9600"};
        QTest::newRow("pty and serial") << QStringList{"--pty", "a", "--serial", "b"};
        QTest::newRow("baud 1200") << QStringList{"--pty", "a", "--baud", "1200"};
        QTest::newRow("parity mark") << QStringList{"--pty", "a", "--parity", "mark"};
        QTest::newRow("address 0") << QStringList{"--pty", "a", "--address", "0"};
        QTest::newRow("address 248") << QStringList{"--pty", "a", "--address", "248"};
        QTest::newRow("rate above 1") << QStringList{"--pty", "a", "--no-answer", "1.5"};
        QTest::newRow("rate negative") << QStringList{"--pty", "a", "--bad-crc", "-0.1"};
        QTest::newRow("delay negative") << QStringList{"--pty", "a", "--delay", "-5"};
        QTest::newRow("speed 0") << QStringList{"--pty", "a", "--speed", "0"};
        QTest::newRow("tcp port 0") << QStringList{"--tcp", "0"};
        QTest::newRow("tcp port text") << QStringList{"--tcp", "host:"};
        QTest::newRow("exception code 0") << QStringList{"--pty", "a", "--exception", "0"};
        QTest::newRow("exception range reversed")
            << QStringList{"--pty", "a", "--exception", "2:20-10"};
        QTest::newRow("unknown option") << QStringList{"--pty", "a", "--frobnicate"};
        QTest::newRow("stray argument") << QStringList{"--pty", "a", "extra"};
        QTest::newRow("seed text") << QStringList{"--pty", "a", "--seed", "x"};
    }
    void refused() {
        QFETCH(QStringList, args);
        const ParsedOptions p = parse_options(QStringList{"mt3600-sim"} + args);
        QVERIFY(!p.options);
        QVERIFY(!p.help);
        QVERIFY(!p.text.isEmpty());
    }

    void helpNamesEveryOption() {
        const ParsedOptions p = parse_options({"mt3600-sim", "--help"});
        QVERIFY(p.help);
        QVERIFY2(p.text.startsWith(QStringLiteral("Usage: mt3600-sim [options]")),
                 qPrintable(p.text));
        for (const char* name : {"--pty", "--serial", "--tcp", "--address", "--baud", "--parity",
                                 "--speed", "--seed", "--pace", "--write-log", "--no-answer",
                                 "--bad-crc", "--delay", "--exception", "--max-seconds"})
            QVERIFY2(p.text.contains(name), name);
    }

    void exceptionRules_data() {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("ok");
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("last");
        QTest::newRow("code only") << "4" << true << 4 << 1 << 65536;
        QTest::newRow("one register") << "2:8204" << true << 2 << 8204 << 8204;
        QTest::newRow("range") << "3:257-272" << true << 3 << 257 << 272;
        QTest::newRow("empty range") << "3:" << false << 0 << 0 << 0;
        QTest::newRow("two colons") << "3:1:2" << false << 0 << 0 << 0;
        QTest::newRow("code 256") << "256" << false << 0 << 0 << 0;
    }
    void exceptionRules() {
        QFETCH(QString, text);
        QFETCH(bool, ok);
        QFETCH(int, code);
        QFETCH(int, first);
        QFETCH(int, last);
        const auto r = parse_exception_rule(text);
        QCOMPARE(bool(r), ok);
        if (r) {
            QCOMPARE(r->code, code);
            QCOMPARE(r->first, first);
            QCOMPARE(r->last, last);
        }
    }

    void exceptionRangesOverlap_data() {
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("code");
        QTest::newRow("block ending on the range") << 4338 << 16 << 2;
        QTest::newRow("block inside") << 4353 << 16 << 2;
        QTest::newRow("block after") << 4369 << 16 << 0;
        QTest::newRow("block before") << 4337 << 16 << 0;
        QTest::newRow("one register at the end") << 4368 << 1 << 2;
    }
    void exceptionRangesOverlap() {
        QFETCH(int, first);
        QFETCH(int, count);
        QFETCH(int, code);
        FaultSettings s;
        s.exceptions.push_back({2, 4353, 4368});
        const FaultPlan plan(s, 1);
        QCOMPARE(plan.exceptionFor(first, count), code);
    }

    void faultRatesAndSeed() {
        FaultSettings s;
        s.noAnswer = 0.5;
        FaultPlan a(s, 77), b(s, 77);
        int dropped = 0;
        for (int i = 0; i < 1000; ++i) {
            const bool da = a.dropAnswer();
            QCOMPARE(da, b.dropAnswer());
            dropped += da;
        }
        QVERIFY(dropped > 400 && dropped < 600);
        FaultPlan never(FaultSettings{}, 1);
        s.badCrc = 1.0;
        FaultPlan always(s, 1);
        for (int i = 0; i < 100; ++i) {
            QVERIFY(!never.dropAnswer());
            QVERIFY(!never.corruptAnswer());
            QVERIFY(always.corruptAnswer());
        }
    }

    void logLines_data() {
        QTest::addColumn<int>("fc");
        QTest::addColumn<bool>("coil");
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("exception");
        QTest::addColumn<QByteArray>("line");
        const QByteArray head = "{\"time\":\"2024-05-01T10:00:00.123\",\"t\":1.235,";
        QTest::newRow("register") << 6 << false << 3 << 450 << 0
                                  << head + "\"fc\":6,\"register\":3,\"value\":450,\"ok\":true}\n";
        QTest::newRow("negative value") << 6 << false << 4107 << -200 << 0
                                        << head + "\"fc\":6,\"register\":4107,\"value\":-200,"
                                                  "\"ok\":true}\n";
        QTest::newRow("coil off") << 5 << true << 1 << 0 << 0
                                  << head + "\"fc\":5,\"coil\":1,\"value\":0,\"ok\":true}\n";
        QTest::newRow("refused") << 6 << false << 7 << 9 << 3
                                 << head + "\"fc\":6,\"register\":7,\"value\":9,\"ok\":false,"
                                           "\"exception\":3}\n";
    }
    void logLines() {
        QFETCH(int, fc);
        QFETCH(bool, coil);
        QFETCH(int, number);
        QFETCH(int, value);
        QFETCH(int, exception);
        QFETCH(QByteArray, line);
        QCOMPARE(
            WriteLog::line("2024-05-01T10:00:00.123", 1.2349, fc, coil, number, value, exception),
            line);
    }

    void logIsReadableWhileOpen() {
        QTemporaryDir dir;
        WriteLog log;
        QString error;
        QVERIFY(log.open(dir.filePath("w.jsonl"), &error));
        log.record(6, false, 3, 1, 0);
        QFile f(dir.filePath("w.jsonl"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray got = f.readAll();
        QVERIFY(got.endsWith("\"fc\":6,\"register\":3,\"value\":1,\"ok\":true}\n"));
        QCOMPARE(got.count('\n'), 1);
    }

    void answerLengths_data() {
        QTest::addColumn<QByteArray>("head");
        QTest::addColumn<int>("length");
        QTest::newRow("too short") << QByteArray::fromHex("01") << 0;
        QTest::newRow("read, count not yet here") << QByteArray::fromHex("0104") << 0;
        // address 1, read input registers, 32 bytes of data
        QTest::newRow("read 16 registers") << QByteArray::fromHex("010420") << 37;
        QTest::newRow("read 16 coils") << QByteArray::fromHex("010102") << 7;
        QTest::newRow("write single register") << QByteArray::fromHex("0106") << 8;
        QTest::newRow("write single coil") << QByteArray::fromHex("0105") << 8;
        QTest::newRow("write multiple") << QByteArray::fromHex("0110") << 8;
        QTest::newRow("exception") << QByteArray::fromHex("0183") << 5;
        QTest::newRow("unknown code") << QByteArray::fromHex("012b") << -1;
    }
    void answerLengths() {
        QFETCH(QByteArray, head);
        QFETCH(int, length);
        QCOMPARE(answer_length(head), length);
    }

    void pacedLineTimes() {
        PacedLine line(true, 9600, 0.002);
        // 8 request bytes handed over at t = 1: 80 bits at 9600 baud
        const double arrives = line.request(1.0, 8);
        QVERIFY(qFuzzyCompare(arrives, 1.0 + 80.0 / 9600));
        // the server answers at once: 3.5 characters + 2 ms later the first byte, 37 bytes
        const double reply = line.answer(arrives + 0.0001, 37, 0.0);
        QVERIFY(qFuzzyCompare(reply, arrives + 35.0 / 9600 + 0.002 + 370.0 / 9600));
        // a second answer waits for the line to be free; the delay fault adds on top
        const double second = line.answer(arrives, 8, 0.010);
        QVERIFY(qFuzzyCompare(second, reply + 0.010 + 80.0 / 9600));
        // a request sent while the line still carries one queues behind it
        const double r1 = line.request(5.0, 8);
        const double r2 = line.request(5.0, 8);
        QVERIFY(qFuzzyCompare(r2, r1 + 80.0 / 9600));
    }

    void unpacedLineOnlyDelays() {
        PacedLine line(false, 9600, 0.002);
        QCOMPARE(line.request(1.0, 8), 1.0);
        QCOMPARE(line.answer(1.0, 37, 0.0), 1.0);
        QCOMPARE(line.answer(2.0, 37, 0.040), 2.040);
    }

    void writeRequestsDecode_data() {
        QTest::addColumn<QByteArray>("pdu");
        QTest::addColumn<QString>("items");
        QTest::addColumn<QString>("range");
        // 06: register address 2 (number 3), value 0x01C2 = 450
        QTest::newRow("06") << QByteArray::fromHex("060002"
                                                   "01c2")
                            << "H3=450"
                            << "3+1";
        // 06 with a negative value 0xFF38 = -200 at number 4107
        QTest::newRow("06 negative") << QByteArray::fromHex("06100a"
                                                            "ff38")
                                     << "H4107=-200"
                                     << "4107+1";
        // 05: coil address 0 on
        QTest::newRow("05 on") << QByteArray::fromHex("050000"
                                                      "ff00")
                               << "C1=1"
                               << "1+1";
        QTest::newRow("05 off") << QByteArray::fromHex("050006"
                                                       "0000")
                                << "C7=0"
                                << "7+1";
        QTest::newRow("05 bad value") << QByteArray::fromHex("050000"
                                                             "1234")
                                      << "C1=-1"
                                      << "1+1";
        // 16: from address 2, two registers, 4 bytes: 10, 20
        QTest::newRow("16") << QByteArray::fromHex("100002"
                                                   "0002"
                                                   "04"
                                                   "000a"
                                                   "0014")
                            << "H3=10 H4=20"
                            << "3+2";
        // 15: from address 0, three coils, 1 byte: 0b101
        QTest::newRow("15") << QByteArray::fromHex("0f0000"
                                                   "0003"
                                                   "01"
                                                   "05")
                            << "C1=1 C2=0 C3=1"
                            << "1+3";
        // 03: read, no items; holding 4353 x 16
        QTest::newRow("03") << QByteArray::fromHex("031100"
                                                   "0010")
                            << ""
                            << "4353+16";
    }
    void writeRequestsDecode() {
        QFETCH(QByteArray, pdu);
        QFETCH(QString, items);
        QFETCH(QString, range);
        const QModbusRequest req{static_cast<QModbusPdu::FunctionCode>(quint8(pdu[0])), pdu.mid(1)};
        QStringList got;
        for (const WriteItem& w : write_items(req))
            got << QString("%1%2=%3")
                       .arg(w.table == Table::Coils ? "C" : "H")
                       .arg(w.number)
                       .arg(w.value);
        QCOMPARE(got.join(' '), items);
        const auto [first, count] = addressed_range(req);
        QCOMPARE(QString("%1+%2").arg(first).arg(count), range);
    }
};

QTEST_GUILESS_MAIN(TestSimOptions)
#include "test_sim_options.moc"
