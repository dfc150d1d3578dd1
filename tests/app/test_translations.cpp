// The console's own texts in Chinese: every tr() text of the rooms has a finished translation
// that keeps the source's placeholders (the sources are read afresh, as update_translations
// reads them, so a new text without a translation fails here), and the translation built into the
// program is loaded at start-up unless English is asked for.
#include "app/translations.h"
#include "core/status_lamp.h"
#include "overview/link_indicator.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

namespace {
struct Message {
    QString context;
    QString source;
    QString translation;
    bool unfinished = false;
};

QList<Message> read_ts(const QString& path) {
    QList<Message> out;
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return out;
    QXmlStreamReader xml(&f);
    QString context;
    Message m;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == u"name")
            context = xml.readElementText();
        else if (xml.name() == u"message")
            m = Message{context, {}, {}, false};
        else if (xml.name() == u"source")
            m.source = xml.readElementText();
        else if (xml.name() == u"translation") {
            m.unfinished =
                xml.attributes().value(QLatin1String("type")) == QLatin1String("unfinished");
            // A text with a count (%n) keeps its forms in child elements.
            m.translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            out << m;
        }
    }
    return out;
}

QStringList placeholders(const QString& text) {
    static const QRegularExpression arg(QStringLiteral("%\\d"));
    QStringList found;
    for (const auto& m : arg.globalMatch(text))
        found << m.captured();
    found.sort();
    return found;
}
} // namespace

class TestTranslations : public QObject {
    Q_OBJECT
private slots:
    void everyTextTranslated();
    void loadedUnlessEnglish();
};

void TestTranslations::everyTextTranslated() {
    QTemporaryDir dir;
    const QString ts = dir.filePath(QStringLiteral("current.ts"));
    QVERIFY(QFile::copy(QStringLiteral(MT_CONSOLE_TS), ts));
    QProcess lupdate;
    lupdate.setWorkingDirectory(QStringLiteral(MT_SOURCE_DIR));
    lupdate.setProcessChannelMode(QProcess::MergedChannels);
    lupdate.start(QStringLiteral(MT_LUPDATE),
                  QStringList{QStringLiteral("-silent"), QStringLiteral("-no-obsolete"),
                              QStringLiteral("-locations"), QStringLiteral("none"),
                              QStringLiteral("-I"), QStringLiteral(".")} +
                      QStringLiteral(MT_TEXT_ROOMS).split(u',') +
                      QStringList{QStringLiteral("-ts"), ts});
    QVERIFY(lupdate.waitForFinished(60000));
    QCOMPARE(lupdate.exitCode(), 0);

    const QList<Message> messages = read_ts(ts);
    QVERIFY(messages.size() >= 20);
    QStringList missing;
    for (const Message& m : messages) {
        if (m.unfinished || m.translation.trimmed().isEmpty())
            missing << m.context + QStringLiteral(": ") + m.source;
        else if (placeholders(m.source) != placeholders(m.translation))
            missing << m.context + QStringLiteral(": placeholders differ in ") + m.source;
    }
    QVERIFY2(missing.isEmpty(),
             qPrintable(QStringLiteral("run the update_translations target and translate:\n") +
                        missing.join(u'\n')));
}

void TestTranslations::loadedUnlessEnglish() {
    const QString english = LinkStatusIndicator::view(LinkStatus{}).text;
    QCOMPARE(english, QStringLiteral("Link closed"));
    QVERIFY(install_console_translation(*qApp, QStringLiteral("en")));
    QCOMPARE(LinkStatusIndicator::view(LinkStatus{}).text, english);
    QVERIFY(install_console_translation(*qApp, QStringLiteral("zh_CN")));
    const QString chinese = LinkStatusIndicator::view(LinkStatus{}).text;
    QVERIFY(chinese != english);
    QVERIFY(chinese.contains(QRegularExpression(QStringLiteral("[\\x{4e00}-\\x{9fff}]"))));
}

QTEST_MAIN(TestTranslations)
#include "test_translations.moc"
