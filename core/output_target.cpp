#include "core/output_target.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace {
struct OutputTarget {
    Q_DECLARE_TR_FUNCTIONS(OutputTarget)
};

// The path a file is known by: canonical when it exists (symlinks resolved), else the cleaned
// absolute path, whose folder may still be a symlink and is resolved on its own.
QString identity(const QString& path) {
    const QFileInfo info(path);
    if (info.exists())
        return info.canonicalFilePath();
    const QFileInfo folder(info.absolutePath());
    const QString dir = folder.exists() ? folder.canonicalFilePath() : folder.absoluteFilePath();
    return QDir::cleanPath(dir + QLatin1Char('/') + info.fileName());
}

bool is_sqlite_database(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    static const QByteArray magic("SQLite format 3\0", 16);
    return f.read(magic.size()) == magic;
}
} // namespace

std::optional<QString> refuse_output_target(const QString& path, const QString& recordFile) {
    if (path.trimmed().isEmpty())
        return OutputTarget::tr("no file named");
    const QFileInfo info(path);
    if (info.isDir())
        return OutputTarget::tr("%1 is a folder").arg(path);
    if (!recordFile.trimmed().isEmpty()) {
        // SQLite keeps the log and shared memory beside the resolved file; the path as given is
        // checked as well, for a record file that does not exist yet.
        const QString target = identity(path);
        const QString db = identity(recordFile);
        for (const QString& suffix : {QString(), QStringLiteral("-wal"), QStringLiteral("-shm")}) {
            if (target == identity(db + suffix) || target == identity(recordFile + suffix))
                return OutputTarget::tr("%1 is the record file's own %2: writing it would destroy "
                                        "records and the event journal")
                    .arg(path, recordFile + suffix);
        }
    }
    if (info.exists() && is_sqlite_database(path))
        return OutputTarget::tr("%1 is an SQLite database: an export or backup does not replace it")
            .arg(path);
    return std::nullopt;
}
