#include "write_log.h"

#include <QDateTime>

namespace sim {

bool WriteLog::open(const QString& path, QString* error) {
    file.setFileName(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        *error = file.errorString();
        return false;
    }
    since.start();
    return true;
}

QByteArray WriteLog::line(const QString& time, double t, int functionCode, bool coil, int number,
                          int value, int exception) {
    QByteArray s = "{\"time\":\"" + time.toUtf8() + "\",\"t\":" + QByteArray::number(t, 'f', 3) +
                   ",\"fc\":" + QByteArray::number(functionCode) +
                   (coil ? ",\"coil\":" : ",\"register\":") + QByteArray::number(number) +
                   ",\"value\":" + QByteArray::number(value) +
                   (exception ? ",\"ok\":false,\"exception\":" + QByteArray::number(exception)
                              : QByteArray(",\"ok\":true")) +
                   "}\n";
    return s;
}

void WriteLog::record(int functionCode, bool coil, int number, int value, int exception) {
    if (!file.isOpen())
        return;
    const QString now = QDateTime::currentDateTime().toString(Qt::ISODateWithMs);
    file.write(line(now, since.nsecsElapsed() / 1e9, functionCode, coil, number, value, exception));
    file.flush();
}

} // namespace sim
