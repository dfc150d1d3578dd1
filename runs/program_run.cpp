#include "runs/program_run.h"

#include <QCoreApplication>
#include <iterator>

namespace {
struct EndingName {
    RunEnding ending;
    const char* key;
    const char* title;
};
const EndingName kEndings[] = {
    {RunEnding::Running, "running", QT_TRANSLATE_NOOP("ProgramRun", "still running")},
    {RunEnding::Ended, "ended", QT_TRANSLATE_NOOP("ProgramRun", "ended")},
    {RunEnding::Stopped, "stopped", QT_TRANSLATE_NOOP("ProgramRun", "stopped")},
    {RunEnding::LinkLost, "link_lost", QT_TRANSLATE_NOOP("ProgramRun", "link lost")},
    {RunEnding::ConsoleClosed, "console_closed", QT_TRANSLATE_NOOP("ProgramRun", "console closed")},
};
} // namespace

QString ending_key(RunEnding ending) {
    for (const EndingName& e : kEndings)
        if (e.ending == ending)
            return QLatin1String(e.key);
    return QString();
}

std::optional<RunEnding> ending_of_key(const QString& key) {
    for (const EndingName& e : kEndings)
        if (key == QLatin1String(e.key))
            return e.ending;
    return std::nullopt;
}

QString ending_title(RunEnding ending) {
    for (const EndingName& e : kEndings)
        if (e.ending == ending)
            return QCoreApplication::translate("ProgramRun", e.title);
    return QString();
}

QString local_text(qint64 utcMs) {
    return QDateTime::fromMSecsSinceEpoch(utcMs).toLocalTime().toString(
        QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}
