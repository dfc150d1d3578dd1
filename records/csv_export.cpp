#include "records/csv_export.h"

#include "core/conversions.h"
#include "records/record_store.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QSqlError>
#include <QVariant>

namespace {
int nextConnection = 0;

QString tr(const char* text) {
    return QCoreApplication::translate("CsvExport", text);
}

double ole_of(const QDateTime& t) {
    return ole_date(t.date()) + ole_time(t.time());
}
} // namespace

QByteArray csv_field(const QString& text) {
    QByteArray utf8 = text.toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r'))
        return utf8;
    utf8.replace('"', "\"\"");
    return '"' + utf8 + '"';
}

CsvExport::CsvExport(CsvRequest request)
    : req(std::move(request)), connection(QStringLiteral("csv-export-%1").arg(++nextConnection)) {
    if (req.dbPath.isEmpty())
        req.dbPath = RecordStore::defaultPath();
}

CsvExport::~CsvExport() {
    cancel();
}

QStringList CsvExport::header(bool longRecord) {
    Q_UNUSED(longRecord); // both records hold the same eight values
    return {tr("time"),
            tr("record number"),
            QStringLiteral("当前PV"),
            QStringLiteral("输出OP (%)"),
            QStringLiteral("SV当前值"),
            QStringLiteral("PV1值"),
            QStringLiteral("PV2值"),
            QStringLiteral("SV1值"),
            QStringLiteral("SV2值"),
            tr("alarm 1 type")};
}

QByteArray CsvExport::line(double date, double time, qint64 number, const float (&values)[8]) {
    const QDateTime at(date_from_ole(date), time_from_ole(time));
    QByteArray out = at.toString(Qt::ISODate).toUtf8();
    out += ',' + QByteArray::number(number);
    for (float v : values)
        out += ',' + number_text(v).toUtf8();
    out += "\r\n";
    return out;
}

bool CsvExport::begin() {
    if (!QFileInfo(req.dbPath).isFile()) {
        fail(tr("record file %1 not found").arg(req.dbPath));
        return false;
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(req.dbPath);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        fail(tr("record file %1 cannot be read: %2").arg(req.dbPath, db.lastError().text()));
        return false;
    }
    const RecordTableSpec& table = req.longRecord ? kLongTableSpec : kShortTableSpec;
    const QString where = QStringLiteral(" where w_date + w_time between ? and ?");
    const double from = req.from ? ole_of(*req.from) : -1e9;
    const double to = req.to ? ole_of(*req.to) : 1e9;
    QSqlQuery count(db);
    count.prepare(QStringLiteral("select count(*) from %1").arg(QLatin1StringView(table.name)) +
                  where);
    count.addBindValue(from);
    count.addBindValue(to);
    if (!count.exec() || !count.next()) {
        fail(tr("record file %1 cannot be read: %2").arg(req.dbPath, count.lastError().text()));
        return false;
    }
    expected = count.value(0).toLongLong();
    query = std::make_unique<QSqlQuery>(db);
    query->setForwardOnly(true);
    query->prepare(QStringLiteral("select * from %1").arg(QLatin1StringView(table.name)) + where +
                   QStringLiteral(" order by w_date, w_time"));
    query->addBindValue(from);
    query->addBindValue(to);
    if (!query->exec()) {
        fail(tr("record file %1 cannot be read: %2").arg(req.dbPath, query->lastError().text()));
        return false;
    }
    out = std::make_unique<QSaveFile>(req.file);
    if (!out->open(QIODevice::WriteOnly)) {
        fail(tr("%1 cannot be written: %2").arg(req.file, out->errorString()));
        return false;
    }
    QByteArray head = "\xEF\xBB\xBF"; // UTF-8 byte-order mark
    QStringList names = header(req.longRecord);
    for (int i = 0; i < names.size(); ++i)
        head += (i ? "," : "") + csv_field(names[i]);
    head += "\r\n";
    out->write(head);
    return true;
}

bool CsvExport::step(int count) {
    if (!query || !out)
        return false;
    for (int n = 0; n < count; ++n) {
        if (!query->next())
            return false;
        float values[8];
        for (int j = 0; j < 8; ++j)
            values[j] = query->value(3 + j).toFloat();
        if (out->write(line(query->value(1).toDouble(), query->value(2).toDouble(),
                            query->value(0).toLongLong(), values)) < 0) {
            fail(tr("%1 cannot be written: %2").arg(req.file, out->errorString()));
            return false;
        }
        ++rows;
    }
    return true;
}

bool CsvExport::finish() {
    if (!out || !why.isEmpty()) {
        cancel();
        return false;
    }
    query.reset();
    const bool ok = out->commit();
    if (!ok)
        fail(tr("%1 cannot be written: %2").arg(req.file, out->errorString()));
    out.reset();
    cancel();
    return ok;
}

void CsvExport::cancel() {
    if (out)
        out->cancelWriting(); // QSaveFile leaves nothing behind
    out.reset();
    query.reset();
    if (QSqlDatabase::contains(connection)) {
        QSqlDatabase::database(connection, false).close();
        QSqlDatabase::removeDatabase(connection);
    }
}

void CsvExport::fail(const QString& text) {
    if (why.isEmpty())
        why = text;
}

bool CsvExport::run(const CsvRequest& request, qint64* rows, QString* why) {
    return run_export_to_end<CsvExport>(request, rows, why);
}
