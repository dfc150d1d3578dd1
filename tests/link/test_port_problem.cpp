// Why a serial device does not open, in words with the fix: the rules that tell the kinds apart,
// the words for each, and the real thing: a path that never existed, a device another user may
// not open, a device another program holds.

#include "link/modbus_link.h"
#include "link/port_problem.h"
#include "support/pty_device.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <grp.h>
#include <sys/stat.h>
#include <unistd.h>

Q_DECLARE_METATYPE(PortProblem)
Q_DECLARE_METATYPE(QSerialPort::SerialPortError)

namespace {
PortProbe there(bool readWrite, qint64 holder = 0) {
    PortProbe p;
    p.exists = true;
    p.readWrite = readWrite;
    p.holderPid = holder;
    return p;
}

// Runs the child program; its output's lines.
QStringList run_child(const QStringList& arguments) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QStringLiteral(LINK_PORT_CHILD), arguments);
    if (!child.waitForFinished(10000) || child.exitCode() != 0)
        return {};
    return QString::fromLocal8Bit(child.readAllStandardOutput()).split(u'\n');
}
} // namespace

class TestPortProblem : public QObject {
    Q_OBJECT
private slots:
    void classify_data();
    void classify();
    void words_data();
    void words();
    void lockFiles_data();
    void lockFiles();
    void neverExistingDeviceIsNotLost();
    void deviceTheUserMayNotOpen();
    void deviceHeldByAnotherProgram();
};

void TestPortProblem::classify_data() {
    QTest::addColumn<QSerialPort::SerialPortError>("error");
    QTest::addColumn<PortProbe>("probe");
    QTest::addColumn<PortProblem>("problem");
    QTest::newRow("no such path") << QSerialPort::DeviceNotFoundError << PortProbe{}
                                  << PortProblem::NotFound;
    QTest::newRow("node left, device gone (ENODEV)")
        << QSerialPort::DeviceNotFoundError << there(true) << PortProblem::NotFound;
    QTest::newRow("path gone between Qt's try and the look")
        << QSerialPort::PermissionError << PortProbe{} << PortProblem::NotFound;
    QTest::newRow("refused (EACCES)")
        << QSerialPort::PermissionError << there(false) << PortProblem::NoPermission;
    QTest::newRow("allowed, yet refused: exclusive or locked")
        << QSerialPort::PermissionError << there(true) << PortProblem::Busy;
    QTest::newRow("holder found") << QSerialPort::PermissionError << there(true, 4242)
                                  << PortProblem::Busy;
    QTest::newRow("holder found, other error")
        << QSerialPort::ResourceError << there(true, 4242) << PortProblem::Busy;
    QTest::newRow("input/output error")
        << QSerialPort::ResourceError << there(true) << PortProblem::Other;
    QTest::newRow("not a terminal")
        << QSerialPort::UnsupportedOperationError << there(true) << PortProblem::Other;
}

void TestPortProblem::classify() {
    QFETCH(QSerialPort::SerialPortError, error);
    QFETCH(PortProbe, probe);
    QFETCH(PortProblem, problem);
    QCOMPARE(classify_open_failure(error, probe), problem);
}

void TestPortProblem::words_data() {
    QTest::addColumn<PortProblem>("problem");
    QTest::addColumn<PortProbe>("probe");
    QTest::addColumn<QStringList>("words");
    PortProbe dialout = there(false);
    dialout.user = QStringLiteral("anna");
    dialout.group = QStringLiteral("dialout");
    dialout.groupReadWrite = true;
    QTest::newRow("not in the group")
        << PortProblem::NoPermission << dialout
        << QStringList{"/dev/ttyUSB0", "add user anna to the dialout group",
                       "sudo adduser anna dialout", "log in again"};
    PortProbe uucp = dialout;
    uucp.group = QStringLiteral("uucp");
    QTest::newRow("the device's own group")
        << PortProblem::NoPermission << uucp
        << QStringList{"add user anna to the uucp group", "sudo adduser anna uucp"};
    PortProbe joined = dialout;
    joined.userInGroup = true;
    QTest::newRow("joined, login older")
        << PortProblem::NoPermission << joined
        << QStringList{"user anna is in the dialout group", "log in again"};
    PortProbe ownerOnly = dialout;
    ownerOnly.groupReadWrite = false;
    QTest::newRow("no group may use it")
        << PortProblem::NoPermission << ownerOnly
        << QStringList{"no group may use it", "add user anna to dialout", "log in again"};
    PortProbe rootGroup = dialout;
    rootGroup.group = QStringLiteral("root");
    QTest::newRow("group root") << PortProblem::NoPermission << rootGroup
                                << QStringList{"no group may use it"};
    QTest::newRow("not there") << PortProblem::NotFound << PortProbe{}
                               << QStringList{"/dev/ttyUSB0 does not exist", "plugged in"};
    PortProbe minicom = there(true, 4242);
    minicom.holderName = QStringLiteral("minicom");
    QTest::newRow("held by a known program")
        << PortProblem::Busy << minicom
        << QStringList{"in use by another program (minicom, process 4242)", "close it"};
    QTest::newRow("held by some program")
        << PortProblem::Busy << there(true) << QStringList{"in use by another program: close it"};
    QTest::newRow("other") << PortProblem::Other << there(true)
                           << QStringList{"cannot open /dev/ttyUSB0: Input/output error"};
}

void TestPortProblem::words() {
    QFETCH(PortProblem, problem);
    QFETCH(PortProbe, probe);
    QFETCH(QStringList, words);
    const QString text = port_problem_text(problem, QStringLiteral("/dev/ttyUSB0"), probe,
                                           QStringLiteral("Input/output error"));
    for (const QString& w : words)
        QVERIFY2(text.contains(w), qPrintable(text));
}

// Lock files left by others: the holder is named only while it lives and, where the file names
// its program, only when that process is that program.
void TestPortProblem::lockFiles_data() {
    QTest::addColumn<QString>("content"); // %1: a live process's id (sleep)
    QTest::addColumn<bool>("held");
    QTest::newRow("UUCP style, holder alive") << "%1\n" << true;
    QTest::newRow("UUCP style, padded") << "      %1\n" << true;
    QTest::newRow("Qt style, holder alive") << "%1\nsleep\nhost\n" << true;
    QTest::newRow("Qt style, process id now another program's") << "%1\nminicom\nhost\n" << false;
    QTest::newRow("holder gone") << "99999999\n" << false;
    QTest::newRow("garbage") << "LCK\n" << false;
}

void TestPortProblem::lockFiles() {
    QFETCH(QString, content);
    QFETCH(bool, held);
    QTemporaryDir dir;
    const QString device = dir.filePath(QStringLiteral("ttyLCK"));
    QFile node(device);
    QVERIFY(node.open(QIODevice::WriteOnly));
    node.close();
    QProcess sleeper;
    sleeper.start(QStringLiteral("sleep"), {QStringLiteral("30")});
    QVERIFY(sleeper.waitForStarted());
    const qint64 pid = sleeper.processId();
    QFile lock(QStringLiteral("/tmp/LCK..") + QString(device).replace(u'/', u'_'));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(content.replace(QStringLiteral("%1"), QString::number(pid)).toLatin1());
    lock.close();
    const PortProbe probe = probe_port(device);
    lock.remove();
    sleeper.kill();
    sleeper.waitForFinished();
    QCOMPARE(probe.holderPid, held ? pid : 0);
    QCOMPARE(probe.holderName, held ? QStringLiteral("sleep") : QString());
}

// A path that never existed reads as not there, before and after a reopening attempt; the link
// keeps trying with back-off.
void TestPortProblem::neverExistingDeviceIsNotLost() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("ttyUSB7"));
    ModbusLink link{PortTable{}};
    QCOMPARE(link.OpenPort_Modbus(1, 1, 0, path), kLinkFailure);
    for (int attempt = 0; attempt < 2; ++attempt) {
        const LinkStatus s = link.status();
        QVERIFY(s.wanted && s.reconnecting && !s.open && !s.everOpen);
        QCOMPARE(s.problem, PortProblem::NotFound);
        QVERIFY2(s.problemText.contains(path + QStringLiteral(" does not exist")),
                 qPrintable(s.problemText));
        QVERIFY2(!s.lastMessage.contains(QStringLiteral("lost")), qPrintable(s.lastMessage));
        if (attempt == 0)
            QTRY_COMPARE_WITH_TIMEOUT(link.status().reconnectDelayMs, 2 * ModbusLink::kFirstRetryMs,
                                      ModbusLink::kFirstRetryMs + 2000);
    }
}

// A pseudo terminal another user may not open, opened by a child process as that user: as root
// the child runs as nobody against a device of group dialout (the real case: the fix names the
// group and the user); otherwise against a device of mode 000.
void TestPortProblem::deviceTheUserMayNotOpen() {
    PtyDevice device;
    QVERIFY(device.open());
    const QByteArray slave = QFile::encodeName(device.slavePath());
    const bool root = ::geteuid() == 0;
    if (root) {
        const group* dialout = ::getgrnam("dialout");
        QVERIFY(dialout);
        QCOMPARE(::chown(slave.constData(), 0, dialout->gr_gid), 0);
        QCOMPARE(::chmod(slave.constData(), 0660), 0);
    } else {
        QCOMPARE(::chmod(slave.constData(), 0), 0);
    }
    QStringList arguments{QStringLiteral("open"), device.slavePath()};
    if (root)
        arguments << QStringLiteral("--as-nobody");
    const QStringList out = run_child(arguments);
    QVERIFY(out.size() >= 2);
    QCOMPARE(out[0].toInt(), int(PortProblem::NoPermission));
    QVERIFY2(out[1].contains(QStringLiteral("no permission to open ") + device.slavePath()),
             qPrintable(out[1]));
    QVERIFY2(out[1].contains(QStringLiteral("log in again")), qPrintable(out[1]));
    if (root)
        QVERIFY2(out[1].contains(QStringLiteral("add user nobody to the dialout group")),
                 qPrintable(out[1]));
}

// Another program holds the device: the words name it, and once it lets go the link, still
// trying, opens the device.
void TestPortProblem::deviceHeldByAnotherProgram() {
    PtyDevice device;
    QVERIFY(device.open());
    QProcess holder;
    holder.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    holder.start(QStringLiteral(LINK_PORT_CHILD), {QStringLiteral("hold"), device.slavePath()});
    QVERIFY(holder.waitForReadyRead(10000));
    QCOMPARE(holder.readLine().trimmed(), QByteArray("held"));

    ModbusLink link{PortTable{}};
    QCOMPARE(link.OpenPort_Modbus(1, 1, 0, device.slavePath()), kLinkFailure);
    const LinkStatus s = link.status();
    QCOMPARE(s.problem, PortProblem::Busy);
    QVERIFY2(s.problemText.contains(QStringLiteral("in use by another program (link_port_child, "
                                                   "process %1)")
                                        .arg(holder.processId())),
             qPrintable(s.problemText));

    holder.closeWriteChannel();
    QVERIFY(holder.waitForFinished(5000));
    QTRY_VERIFY_WITH_TIMEOUT(link.status().open, ModbusLink::kMaxRetryMs + 2000);
    QCOMPARE(link.status().problem, PortProblem::None);
}

QTEST_GUILESS_MAIN(TestPortProblem)
#include "test_port_problem.moc"
