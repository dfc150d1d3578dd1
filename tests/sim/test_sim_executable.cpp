// The real mt3600-sim on a pseudo terminal, spoken to by a Qt Modbus RTU client: real frames,
// real CRC, the write log it keeps, its faults and its exit.

#include "support/sim_process.h"

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QModbusRtuSerialClient>
#include <QModbusTcpClient>
#include <QSerialPort>
#include <QSignalSpy>
#include <QTcpServer>
#include <QTest>

#include <memory>

namespace {

struct Outcome {
    QModbusDevice::Error error = QModbusDevice::UnknownError;
    int exception = 0;
    QList<quint16> values;
    qint64 ms = 0;
    int crcErrors = 0;
};

class Client {
public:
    bool open(const QString& path, int timeoutMs = 1000) {
        modbus.setConnectionParameter(QModbusDevice::SerialPortNameParameter, path);
        modbus.setConnectionParameter(QModbusDevice::SerialBaudRateParameter, 9600);
        modbus.setConnectionParameter(QModbusDevice::SerialParityParameter, QSerialPort::NoParity);
        modbus.setConnectionParameter(QModbusDevice::SerialDataBitsParameter, QSerialPort::Data8);
        modbus.setConnectionParameter(QModbusDevice::SerialStopBitsParameter, QSerialPort::OneStop);
        modbus.setTimeout(timeoutMs);
        modbus.setNumberOfRetries(0);
        return modbus.connectDevice();
    }
    ~Client() { modbus.disconnectDevice(); }

    Outcome read(QModbusDataUnit::RegisterType t, int number, int count) {
        return finish(modbus.sendReadRequest(QModbusDataUnit(t, number - 1, quint16(count)), 1));
    }
    Outcome writeRegister(int number, qint16 value) {
        return finish(
            modbus.sendWriteRequest(QModbusDataUnit(QModbusDataUnit::HoldingRegisters, number - 1,
                                                    QList<quint16>{quint16(value)}),
                                    1));
    }
    Outcome writeCoil(int number, bool on) {
        return finish(modbus.sendWriteRequest(
            QModbusDataUnit(QModbusDataUnit::Coils, number - 1, QList<quint16>{quint16(on)}), 1));
    }

private:
    Outcome finish(QModbusReply* reply) {
        Outcome o;
        if (!reply)
            return o;
        QElapsedTimer took;
        took.start();
        QSignalSpy crc(&modbus, &QModbusClient::errorOccurred);
        int crcErrors = 0;
        auto c = QObject::connect(reply, &QModbusReply::intermediateErrorOccurred,
                                  [&crcErrors](QModbusDevice::IntermediateError e) {
                                      crcErrors += e == QModbusDevice::ResponseCrcError;
                                  });
        if (!reply->isFinished()) {
            QSignalSpy done(reply, &QModbusReply::finished);
            done.wait(5000); // bounded; a reply that never finishes leaves UnknownError
        }
        QObject::disconnect(c);
        o.ms = took.elapsed();
        o.crcErrors = crcErrors;
        if (reply->isFinished()) {
            o.error = reply->error();
            o.exception = reply->rawResult().isException() ? reply->rawResult().exceptionCode() : 0;
            o.values = reply->result().values();
        }
        reply->deleteLater();
        return o;
    }

    QModbusRtuSerialClient modbus;
};

QList<QJsonObject> log_lines(const QString& path) {
    QList<QJsonObject> lines;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return lines;
    for (const QByteArray& l : f.readAll().split('\n')) {
        if (!l.isEmpty())
            lines << QJsonDocument::fromJson(l).object();
    }
    return lines;
}

bool logged(const QList<QJsonObject>& lines, int fc, const char* key, int number, int value,
            bool ok) {
    for (const QJsonObject& o : lines) {
        if (o.value("fc").toInt() == fc && o.value(key).toInt(-1) == number &&
            o.value("value").toInt() == value && o.value("ok").toBool() == ok &&
            !o.value("time").toString().isEmpty())
            return true;
    }
    return false;
}

} // namespace

class TestSimExecutable : public QObject {
    Q_OBJECT

    std::unique_ptr<SimProcess> shared;
    std::unique_ptr<Client> client;

    QString logPath() const { return shared->filePath("writes.jsonl"); }

private slots:
    void initTestCase() {
        shared = std::make_unique<SimProcess>();
        QVERIFY2(shared->start({"--seed", "7", "--write-log", shared->filePath("writes.jsonl")}),
                 qPrintable(shared->error()));
        QCOMPARE(shared->readyLine(),
                 QStringLiteral("mt3600-sim: serving address 1 at 9600 baud on %1")
                     .arg(shared->ptyPath()));
        QVERIFY(QFileInfo(shared->ptyPath()).isSymLink());
        client = std::make_unique<Client>();
        QVERIFY(client->open(shared->ptyPath()));
    }

    void cleanupTestCase() {
        client.reset();
        shared.reset();
    }

    void liveValuesAfterStart() {
        const Outcome o = client->read(QModbusDataUnit::InputRegisters, 1, 16);
        QCOMPARE(o.error, QModbusDevice::NoError);
        QCOMPARE(o.values.size(), 16);
        const qint16 pv = qint16(o.values[0]);
        QVERIFY2(pv >= 10 && pv <= 60, qPrintable(QString::number(pv))); // a cold furnace
        QVERIFY(o.values[1] <= 1000);                                    // output, tenths
        QCOMPARE(o.values[2], quint16(600)); // set value: SV1 in automatic
        QCOMPARE(o.values[3], o.values[0]);  // PV1 is the main value
        QCOMPARE(o.values[5], quint16(600)); // SV1
        QCOMPARE(o.values[6], quint16(300)); // SV2
        QCOMPARE(o.values[7], quint16(0));   // alarm 1 not on
    }

    // Every block the console reads is served whole.
    void blocksTheConsoleReads_data() {
        QTest::addColumn<int>("table");
        QTest::addColumn<int>("first");
        QTest::addColumn<int>("count");
        const int ir = QModbusDataUnit::InputRegisters;
        const int hr = QModbusDataUnit::HoldingRegisters;
        QTest::newRow("pid state") << ir << 33 << 16;
        QTest::newRow("program state") << ir << 4097 << 16;
        QTest::newRow("commands") << hr << 1 << 16;
        QTest::newRow("pid") << hr << 4353 << 16;
        QTest::newRow("alarms") << hr << 257 << 16;
        QTest::newRow("config 4161 x8") << hr << 4161 << 8;
        QTest::newRow("config 4169") << hr << 4169 << 16;
        QTest::newRow("grouped pid 5137") << hr << 5137 << 16;
        QTest::newRow("program header") << hr << 8193 << 16;
        QTest::newRow("last table block, recipe 8") << hr << 8209 + 128 * 8 + 176 << 16;
        QTest::newRow("discrete inputs") << int(QModbusDataUnit::DiscreteInputs) << 1 << 16;
        QTest::newRow("coils") << int(QModbusDataUnit::Coils) << 1 << 16;
    }
    void blocksTheConsoleReads() {
        QFETCH(int, table);
        QFETCH(int, first);
        QFETCH(int, count);
        const Outcome o = client->read(QModbusDataUnit::RegisterType(table), first, count);
        QCOMPARE(o.error, QModbusDevice::NoError);
        QCOMPARE(o.values.size(), count);
    }

    void unservedRegisterIsIllegalAddress() {
        const Outcome o = client->read(QModbusDataUnit::HoldingRegisters, 100, 16);
        QCOMPARE(o.error, QModbusDevice::ProtocolError);
        QCOMPARE(o.exception, 2);
    }

    void writeSetValueReadsBack() {
        QCOMPARE(client->writeRegister(3, 450).error, QModbusDevice::NoError);
        const Outcome h = client->read(QModbusDataUnit::HoldingRegisters, 1, 16);
        QCOMPARE(h.error, QModbusDevice::NoError);
        QCOMPARE(h.values[2], quint16(450));
        const Outcome i = client->read(QModbusDataUnit::InputRegisters, 1, 16);
        QCOMPARE(i.values[5], quint16(450)); // SV1 as reported
        QCOMPARE(i.values[2], quint16(450)); // and in force
    }

    void coilWritesReadBack() {
        QCOMPARE(client->writeCoil(1, false).error, QModbusDevice::NoError);
        Outcome c = client->read(QModbusDataUnit::Coils, 1, 16);
        QCOMPARE(c.values.value(0), quint16(0));
        QCOMPARE(client->writeCoil(1, true).error, QModbusDevice::NoError);
        c = client->read(QModbusDataUnit::Coils, 1, 16);
        QCOMPARE(c.values.value(0), quint16(1));
    }

    void refusedValueIsIllegalValue() {
        const Outcome o = client->writeRegister(7, 9); // curves are 0..8
        QCOMPARE(o.error, QModbusDevice::ProtocolError);
        QCOMPARE(o.exception, 3);
    }

    void writeLogHasOneLinePerWrite() {
        const QList<QJsonObject> lines = log_lines(logPath());
        QVERIFY(logged(lines, 6, "register", 3, 450, true));
        QVERIFY(logged(lines, 5, "coil", 1, 0, true));
        QVERIFY(logged(lines, 5, "coil", 1, 1, true));
        QVERIFY(logged(lines, 6, "register", 7, 9, false));
        QCOMPARE(lines.size(), 4);
    }

    void faults_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("error");
        QTest::addColumn<int>("exception");
        QTest::addColumn<bool>("crcSeen");
        QTest::newRow("no answer")
            << QStringList{"--no-answer", "1"} << int(QModbusDevice::TimeoutError) << 0 << false;
        QTest::newRow("bad crc") << QStringList{"--bad-crc", "1"}
                                 << int(QModbusDevice::TimeoutError) << 0 << true;
        QTest::newRow("exception on 3") << QStringList{"--exception", "4:3-3"}
                                        << int(QModbusDevice::ProtocolError) << 4 << false;
    }
    void faults() {
        QFETCH(QStringList, args);
        QFETCH(int, error);
        QFETCH(int, exception);
        QFETCH(bool, crcSeen);
        SimProcess sim;
        QVERIFY2(sim.start(args + QStringList{"--write-log", sim.filePath("w.jsonl")}),
                 qPrintable(sim.error()));
        Client c;
        QVERIFY(c.open(sim.ptyPath(), 300));
        const Outcome o = c.writeRegister(3, 321);
        QCOMPARE(int(o.error), error);
        QCOMPARE(o.exception, exception);
        QCOMPARE(o.crcErrors > 0, crcSeen);
        // The write was received (and, unless refused, acted on) either way.
        QVERIFY(logged(log_lines(sim.filePath("w.jsonl")), 6, "register", 3, 321, exception == 0));
        QVERIFY(sim.terminate());
    }

    void exceptionRangeSparesOtherRegisters() {
        SimProcess sim;
        QVERIFY2(sim.start({"--exception", "2:4353-4368"}), qPrintable(sim.error()));
        Client c;
        QVERIFY(c.open(sim.ptyPath()));
        QCOMPARE(c.read(QModbusDataUnit::HoldingRegisters, 4353, 16).exception, 2);
        QCOMPARE(c.read(QModbusDataUnit::HoldingRegisters, 4097, 16).error, QModbusDevice::NoError);
    }

    void pacedAnswerTakesTheWireTime() {
        SimProcess sim;
        QVERIFY2(sim.start({"--pace"}), qPrintable(sim.error()));
        Client c;
        QVERIFY(c.open(sim.ptyPath()));
        // 8 request and 37 answer bytes at 10 bits each, plus 3.5 characters and 2 ms: 52.5 ms.
        // A lower bound only: the answer must never come sooner than the line could carry it.
        const Outcome o = c.read(QModbusDataUnit::InputRegisters, 1, 16);
        QCOMPARE(o.error, QModbusDevice::NoError);
        QVERIFY2(o.ms >= 52, qPrintable(QString::number(o.ms)));
        qInfo("paced read of 16 input registers at 9600 baud: %lld ms", o.ms);
    }

    void tcpServesTheSameInstrument() {
        QTcpServer probe; // a free loopback port
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const quint16 port = probe.serverPort();
        probe.close();
        SimProcess sim;
        QVERIFY2(sim.start({"--tcp", QString("127.0.0.1:%1").arg(port)}), qPrintable(sim.error()));
        QVERIFY(sim.readyLine().endsWith(QString(", on tcp 127.0.0.1:%1").arg(port)));
        QModbusTcpClient tcp;
        tcp.setConnectionParameter(QModbusDevice::NetworkAddressParameter, "127.0.0.1");
        tcp.setConnectionParameter(QModbusDevice::NetworkPortParameter, port);
        tcp.setTimeout(1000);
        tcp.setNumberOfRetries(0);
        QVERIFY(tcp.connectDevice());
        QTRY_COMPARE_WITH_TIMEOUT(tcp.state(), QModbusDevice::ConnectedState, 5000);
        // a write over TCP shows on the serial line: one instrument behind both
        QModbusReply* w = tcp.sendWriteRequest(
            QModbusDataUnit(QModbusDataUnit::HoldingRegisters, 3, QList<quint16>{222}), 1);
        QVERIFY(w);
        QTRY_VERIFY_WITH_TIMEOUT(w->isFinished(), 5000);
        QCOMPARE(w->error(), QModbusDevice::NoError);
        w->deleteLater();
        Client serial;
        QVERIFY(serial.open(sim.ptyPath()));
        QCOMPARE(serial.read(QModbusDataUnit::HoldingRegisters, 4, 1).values.value(0),
                 quint16(222));
        tcp.disconnectDevice();
    }

    void terminateClosesAndRemovesTheLink() {
        SimProcess sim;
        QVERIFY2(sim.start({}), qPrintable(sim.error()));
        QVERIFY(QFileInfo(sim.ptyPath()).isSymLink());
        QVERIFY(sim.terminate());
        QVERIFY(!QFileInfo(sim.ptyPath()).isSymLink());
    }
};

QTEST_GUILESS_MAIN(TestSimExecutable)
#include "test_sim_executable.moc"
