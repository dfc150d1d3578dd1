// The Debian package as scripts/package builds it: its fields and files, the menu entry valid
// and pointing at what the package installs, man pages made from the programs' --help, and the
// programs run from a copy unpacked into a temporary root (help, the Chinese texts, --demo with
// the simulated instrument found beside the console).
#include "support/record_file.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {
struct Run {
    int status = -1;
    QString out; // standard output and error
};

Run run(const QString& program, const QStringList& arguments,
        const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
        int timeoutMs = 60000) {
    QProcess p;
    p.setProcessChannelMode(QProcess::MergedChannels);
    p.setProcessEnvironment(env);
    p.start(program, arguments);
    Run r;
    if (!p.waitForFinished(timeoutMs)) {
        p.kill();
        p.waitForFinished();
        r.out = QStringLiteral("%1 did not finish: %2").arg(program, p.errorString());
        return r;
    }
    r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    r.out = QString::fromUtf8(p.readAll());
    return r;
}
} // namespace

class TestPackage : public QObject {
    Q_OBJECT
    QTemporaryDir dir;
    QString deb;
    QString root; // the package unpacked
    QStringList listing;

    QString installed(const QString& path) const { return root + u'/' + path; }
    QString field(const QString& name) const {
        return run(QStringLiteral("dpkg-deb"), {QStringLiteral("-f"), deb, name}).out.trimmed();
    }

private slots:
    void initTestCase();
    void fields_data();
    void fields();
    void files_data();
    void files();
    void nothingElse();
    void menuEntry();
    void manPages_data();
    void manPages();
    void installedPrograms_data();
    void installedPrograms();
    void installedDemo();
};

void TestPackage::initTestCase() {
    if (QStringLiteral(MT_BUILD_TYPE) != QLatin1String("Release"))
        QSKIP("scripts/package builds from a Release build folder only");
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("BUILD_DIR"), QStringLiteral(MT_BUILD_DIR));
    const QString out = dir.filePath(QStringLiteral("out"));
    const Run made = run(QStringLiteral(MT_SOURCE_DIR "/scripts/package"), {out}, env, 540000);
    QVERIFY2(made.status == 0, qPrintable(made.out));
    const QStringList debs = QDir(out).entryList({QStringLiteral("*.deb")}, QDir::Files);
    const QString arch =
        run(QStringLiteral("dpkg"), {QStringLiteral("--print-architecture")}).out.trimmed();
    QCOMPARE(debs, QStringList{QStringLiteral("mt3600-console_" MT_VERSION "-1_%1.deb").arg(arch)});
    deb = out + u'/' + debs[0];
    const Run contents = run(QStringLiteral("dpkg-deb"), {QStringLiteral("-c"), deb});
    QCOMPARE(contents.status, 0);
    // "-rwxr-xr-x root/root 880240 2026-12-08 11:17 ./usr/bin/mt3600-console": the path
    for (const QString& line : contents.out.split(u'\n', Qt::SkipEmptyParts))
        listing << line.section(u' ', -1).mid(1);
    root = dir.filePath(QStringLiteral("root"));
    QCOMPARE(run(QStringLiteral("dpkg-deb"), {QStringLiteral("-x"), deb, root}).status, 0);
}

void TestPackage::fields_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // a regular expression
    QTest::newRow("name") << "Package"
                          << "^mt3600-console$";
    QTest::newRow("version from the project") << "Version"
                                              << "^" MT_VERSION "-1$";
    QTest::newRow("maintainer") << "Maintainer" << QRegularExpression::escape(MT_MAINTAINER);
    QTest::newRow("summary") << "Description"
                             << "^Operator console for the MT3600 PID";
    // Read off the binaries by dpkg-shlibdeps, with versions.
    for (const char* library :
         {"libc6", "libstdc\\+\\+6", "libqt6core6", "libqt6gui6", "libqt6widgets6",
          "libqt6serialport6", "libqt6serialbus6", "libqt6sql6", "libqt6printsupport6"})
        QTest::newRow(library) << "Depends"
                               << QStringLiteral("(^|, )%1 \\(>= [^)]+\\)").arg(library);
    QTest::newRow("SQLite driver, loaded by name") << "Depends"
                                                   << "(^|, )libqt6sql6-sqlite(,|$)";
    QTest::newRow("a CJK font") << "Recommends"
                                << "fonts-wqy-microhei";
}

void TestPackage::fields() {
    QFETCH(QString, name);
    QFETCH(QString, expected);
    const QString value = field(name);
    QVERIFY2(QRegularExpression(expected).match(value).hasMatch(), qPrintable(value));
}

void TestPackage::files_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<bool>("executable");
    QTest::newRow("console") << "/usr/bin/mt3600-console" << true;
    QTest::newRow("simulated instrument") << "/usr/bin/mt3600-sim" << true;
    QTest::newRow("menu entry") << "/usr/share/applications/mt3600-console.desktop" << false;
    QTest::newRow("icon, drawn") << "/usr/share/icons/hicolor/scalable/apps/mt3600-console.svg"
                                 << false;
    QTest::newRow("icon 48") << "/usr/share/icons/hicolor/48x48/apps/mt3600-console.png" << false;
    QTest::newRow("icon 256") << "/usr/share/icons/hicolor/256x256/apps/mt3600-console.png"
                              << false;
    QTest::newRow("console's man page") << "/usr/share/man/man1/mt3600-console.1.gz" << false;
    QTest::newRow("simulator's man page") << "/usr/share/man/man1/mt3600-sim.1.gz" << false;
}

void TestPackage::files() {
    QFETCH(QString, path);
    QFETCH(bool, executable);
    QVERIFY2(listing.contains(path), qPrintable(listing.join(u'\n')));
    const QFileInfo file(installed(path));
    QVERIFY(file.isFile() && file.size() > 0);
    QCOMPARE(file.isExecutable(), executable);
}

// Everything under /usr, and nothing of the tests or benchmarks.
void TestPackage::nothingElse() {
    for (const QString& path : listing) {
        QVERIFY2(path.startsWith(QLatin1String("/usr/")), qPrintable(path));
        QVERIFY2(!path.contains(QLatin1String("test")) && !path.contains(QLatin1String("bench")),
                 qPrintable(path));
    }
    QCOMPARE(QDir(installed(QStringLiteral("usr/bin"))).entryList(QDir::Files),
             (QStringList{QStringLiteral("mt3600-console"), QStringLiteral("mt3600-sim")}));
}

void TestPackage::menuEntry() {
    const QString entry =
        installed(QStringLiteral("usr/share/applications/mt3600-console.desktop"));
    const Run valid = run(QStringLiteral("desktop-file-validate"), {entry});
    QVERIFY2(valid.status == 0 && valid.out.trimmed().isEmpty(), qPrintable(valid.out));
    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    for (const char* line :
         {"Name=MT3600 仪表控制台", "Name[en]=MT3600 Instrument Console", "Exec=mt3600-console",
          "Icon=mt3600-console", "Categories=Utility;", "Exec=mt3600-console --demo"})
        QVERIFY2(text.contains(QStringLiteral("\n%1\n").arg(QString::fromUtf8(line))), line);
    // Every Exec names a program the package installs.
    const QRegularExpression exec(QStringLiteral("^Exec=(\\S+)"),
                                  QRegularExpression::MultilineOption);
    for (auto it = exec.globalMatch(text); it.hasNext();) {
        const QString program = it.next().captured(1);
        QVERIFY2(listing.contains(QStringLiteral("/usr/bin/") + program), qPrintable(program));
    }
}

void TestPackage::manPages_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("words");
    QTest::newRow("console") << "mt3600-console"
                             << QStringList{".TH MT3600-CONSOLE \"1\"",
                                            "mt3600-console " MT_VERSION, "\\-\\-demo",
                                            "\\-\\-connect", "打开"};
    QTest::newRow("simulated instrument")
        << "mt3600-sim"
        << QStringList{".TH MT3600-SIM \"1\"", "\\-\\-pty", "\\-\\-serial", "\\-\\-no\\-answer"};
}

// Made from the programs' own --help: every option is there.
void TestPackage::manPages() {
    QFETCH(QString, program);
    QFETCH(QStringList, words);
    const Run page = run(QStringLiteral("gzip"),
                         {QStringLiteral("-dc"),
                          installed(QStringLiteral("usr/share/man/man1/%1.1.gz").arg(program))});
    QCOMPARE(page.status, 0);
    for (const QString& w : words)
        QVERIFY2(page.out.contains(w), qPrintable(w));
}

void TestPackage::installedPrograms_data() {
    QTest::addColumn<QString>("program");
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("said");
    QTest::newRow("console --help")
        << "mt3600-console" << QStringList{"--help"} << 0 << "Usage: mt3600-console [options]";
    QTest::newRow("simulator --help")
        << "mt3600-sim" << QStringList{"--help"} << 0 << "Usage: mt3600-sim [options]";
    // The Chinese texts travel inside the console.
    QTest::newRow("console, Chinese")
        << "mt3600-console" << QStringList{"--connect", "@/ttyUSB-none", "--backup", "@/x.json"}
        << 2 << "@/ttyUSB-none 不存在";
    QTest::newRow("console, English")
        << "mt3600-console"
        << QStringList{"--lang", "en", "--connect", "@/ttyUSB-none", "--backup", "@/x.json"} << 2
        << "@/ttyUSB-none does not exist";
}

void TestPackage::installedPrograms() {
    QFETCH(QString, program);
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, said);
    for (QString& a : arguments)
        a.replace(u'@', dir.path());
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    const Run r = run(installed(QStringLiteral("usr/bin/") + program), arguments, env);
    QCOMPARE(r.status, status);
    QVERIFY2(r.out.contains(said.replace(u'@', dir.path())), qPrintable(r.out));
}

// The installed console on the installed simulated instrument, found beside it (PATH leads
// nowhere): the records it wrote hold the simulated furnace's values.
void TestPackage::installedDemo() {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    env.insert(QStringLiteral("PATH"), dir.filePath(QStringLiteral("nowhere")));
    const QString db = dir.filePath(QStringLiteral("demo.db"));
    const Run r = run(installed(QStringLiteral("usr/bin/mt3600-console")),
                      {QStringLiteral("--demo"), QStringLiteral("--max-seconds"),
                       QStringLiteral("4"), QStringLiteral("--db"), db},
                      env);
    QVERIFY2(r.status == 0, qPrintable(r.out));
    RecordFile records(db);
    const auto live =
        records.scalar(QStringLiteral("select count(*) from pv_data where val0 <> 0"));
    QVERIFY(live);
    QVERIFY2(live->toInt() > 0, "no record holds a value read from the simulated instrument");
}

QTEST_GUILESS_MAIN(TestPackage)
#include "test_package.moc"
