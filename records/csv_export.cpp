#include "records/csv_export.h"

#include "core/conversions.h"
#include "records/record_source.h"
#include "records/record_store.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QVariant>
#include <algorithm>
#include <vector>

namespace {
int nextConnection = 0;

double ole_of(const QDateTime& t) {
    return ole_date(t.date()) + ole_time(t.time());
}

qint64 offset_at(qint64 utcSeconds) {
    return QDateTime::fromSecsSinceEpoch(utcSeconds).offsetFromUtc();
}

// The instant a local time of the record file stood for. In the hour repeated when the clocks go
// back it stands for two: records come in the order they were written, so the earlier is taken
// while it is after the record written last (`notBefore`), the later one after that.
QDateTime local_instant(const QDate& date, const QTime& time, qint64 notBefore) {
    const qint64 naive = QDateTime(date, time, Qt::UTC).toSecsSinceEpoch();
    std::vector<qint64> instants;
    for (const qint64 offset : {offset_at(naive - 86400 / 2), offset_at(naive + 86400 / 2)}) {
        const qint64 at = naive - offset;
        if (offset_at(at) == offset &&
            std::find(instants.begin(), instants.end(), at) == instants.end())
            instants.push_back(at);
    }
    std::sort(instants.begin(), instants.end());
    if (instants.empty()) // a time the clocks skipped: as the local zone reads it
        return QDateTime(date, time);
    const auto later =
        std::find_if(instants.begin(), instants.end(), [&](qint64 at) { return at > notBefore; });
    const qint64 at = later == instants.end() ? instants.back() : *later;
    const QDateTime utc = QDateTime::fromSecsSinceEpoch(at, Qt::UTC).addMSecs(time.msec());
    return utc.toOffsetFromUtc(int(offset_at(at)));
}
// Oldest first as written: from the record after the ring's write position, across the wrap, so
// the hour repeated when the clocks go back comes out in the order it was lived. A file whose
// position cannot be read is taken in the order of its local times.
QString order_of(const QSqlDatabase& db, const RecordTableSpec& table) {
    QSqlQuery position(db);
    if (position.exec(QLatin1String(kSelectSlVoid)) && position.next()) {
        bool ok = false;
        const qint64 newest = position.value(table.positionColumn).toLongLong(&ok);
        if (ok)
            return QStringLiteral(" order by (%1 - %2 + %3) % %3")
                .arg(QLatin1StringView(table.key))
                .arg(newest + 1)
                .arg(kRingSize * 2);
    }
    return QStringLiteral(" order by w_date, w_time");
}
} // namespace

QString iso_with_offset(const QDateTime& at) {
    const int offset = at.offsetFromUtc();
    const int minutes = std::abs(offset) / 60;
    return at.toOffsetFromUtc(offset).toString(QStringLiteral("yyyy-MM-dd'T'HH:mm:ss")) +
           (offset < 0 ? u'-' : u'+') +
           QStringLiteral("%1:%2")
               .arg(minutes / 60, 2, 10, QLatin1Char('0'))
               .arg(minutes % 60, 2, 10, QLatin1Char('0'));
}

CsvExport::CsvExport(CsvRequest request)
    : CsvWriter(request.file,
                request.dbPath.isEmpty() ? RecordStore::defaultPath() : request.dbPath),
      req(std::move(request)), connection(QStringLiteral("csv-export-%1").arg(++nextConnection)) {
    req.dbPath = recordFile();
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
            tr("alarm 1 type"),
            tr("measured")};
}

QByteArray CsvExport::line(const QDateTime& at, qint64 number,
                           const std::optional<float> (&values)[8], std::optional<bool> measured) {
    QByteArray out = csv_field(iso_with_offset(at));
    out += ',' + QByteArray::number(number);
    for (const std::optional<float>& v : values)
        out += ',' + (v ? csv_field(number_text(*v)) : QByteArray()); // a missing value stays empty
    out += ',';
    if (measured)
        out += csv_field(*measured ? tr("yes") : tr("no"));
    out += "\r\n";
    return out;
}

bool CsvExport::openRows() {
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), connection);
    db.setDatabaseName(req.dbPath);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY;QSQLITE_BUSY_TIMEOUT=2000"));
    if (!db.open()) {
        failRead(db.lastError().text());
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
        failRead(count.lastError().text());
        return false;
    }
    expected = count.value(0).toLongLong();
    // The journal's spans for the whole period at once; the rows are then judged without a query.
    // An hour either side: a local time in the hour repeated when the clocks go back stands for
    // two instants.
    spans = measured_spans_of(req.dbPath, req.from ? req.from->addSecs(-3600) : QDateTime(),
                              req.to ? req.to->addSecs(3600) : QDateTime());
    query = std::make_unique<QSqlQuery>(db);
    query->setForwardOnly(true);
    query->prepare(QStringLiteral("select * from %1").arg(QLatin1StringView(table.name)) + where +
                   order_of(db, table));
    query->addBindValue(from);
    query->addBindValue(to);
    if (!query->exec()) {
        failRead(query->lastError().text());
        return false;
    }
    return true;
}

bool CsvExport::writeRows(int count) {
    if (!query)
        return false;
    for (int n = 0; n < count; ++n) {
        if (!query->next()) {
            // The end, or a read that failed part-way (a damaged page): then no file is left.
            if (query->lastError().isValid())
                failRead(query->lastError().text());
            return false;
        }
        std::optional<float> values[8];
        for (int j = 0; j < 8; ++j)
            if (const QVariant v = query->value(3 + j); !v.isNull())
                values[j] = v.toFloat();
        const QDateTime at = local_instant(date_from_ole(query->value(1).toDouble()),
                                           time_from_ole(query->value(2).toDouble()), lastWritten);
        lastWritten = at.toSecsSinceEpoch();
        const std::optional<bool> measured =
            spans ? std::optional<bool>(spans->measured(at)) : std::nullopt;
        if (!put(line(at, query->value(0).toLongLong(), values, measured)))
            return false;
    }
    return true;
}

void CsvExport::closeRows() {
    query.reset();
    if (QSqlDatabase::contains(connection)) {
        QSqlDatabase::database(connection, false).close();
        QSqlDatabase::removeDatabase(connection);
    }
}

bool CsvExport::run(const CsvRequest& request, qint64* rows, QString* why) {
    return run_export_to_end<CsvExport>(request, rows, why);
}
