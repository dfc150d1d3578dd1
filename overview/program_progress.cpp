#include "overview/program_progress.h"

#include <QCoreApplication>
#include <QLocale>

QString duration_text(qint64 seconds) {
    const qint64 s = std::max<qint64>(0, seconds);
    return QStringLiteral("%1:%2:%3")
        .arg(s / 3600)
        .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString program_progress(const RegisterImage& image, const std::optional<ProgramShape>& shape,
                         const QDateTime& now) {
    const qint32 state = image.Val3X4097[0];
    if (state != 1 && state != 2)
        return QString();
    const qint32 segment = image.Val3X4097[3];
    QStringList parts;
    parts << (shape && shape->segments > 0
                  ? QStringLiteral("段 %1/%2").arg(segment).arg(shape->segments)
                  : QStringLiteral("段 %1").arg(segment));
    const qint64 unit = shape ? shape->secondsPerUnit : 0;
    if (unit > 0) {
        parts << QCoreApplication::translate("ProgramProgress", "%1 left in the segment")
                     .arg(duration_text(image.Val3X4097[4] * unit));
        const QDateTime end = now.addSecs(image.Val3X4097[5] * unit);
        const QString format =
            end.date() == now.date() ? QStringLiteral("HH:mm") : QStringLiteral("yyyy-MM-dd HH:mm");
        // While held the end moves on with the clock: it is the end if the program went on now.
        const QString when = QLocale::c().toString(end, format);
        parts << (state == 2
                      ? QCoreApplication::translate("ProgramProgress", "ends %1 if resumed now")
                      : QCoreApplication::translate("ProgramProgress", "ends %1"))
                     .arg(when);
    }
    return parts.join(QStringLiteral(" · "));
}
