#pragma once
// One JSON line per write the instrument receives, flushed at once so a test can read it while
// the instrument runs:
// {"time":"2024-05-01T10:00:00.123","t":1.234,"fc":6,"register":3,"value":500,"ok":true}
// Coils carry "coil" instead of "register" and the value 1 (on) or 0 (off); a refused write has
// "ok":false and "exception":CODE.

#include <QElapsedTimer>
#include <QFile>
#include <QString>

namespace sim {

class WriteLog {
public:
    bool open(const QString& path, QString* error);
    bool isOpen() const { return file.isOpen(); }
    void record(int functionCode, bool coil, int number, int value, int exception);

    static QByteArray line(const QString& time, double t, int functionCode, bool coil, int number,
                           int value, int exception);

private:
    QFile file;
    QElapsedTimer since;
};

} // namespace sim
