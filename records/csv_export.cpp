#include "records/csv_export.h"

#include "core/conversions.h"
#include "core/output_target.h"
#include "records/record_source.h"
#include "records/record_store.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDatabase>
#include <QSqlError>
#include <QVariant>
#include <algorithm>
#include <vector>

namespace {
int nextConnection = 0;

QString tr(const char* text) {
    return QCoreApplication::translate("CsvExport", text);
}

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

QByteArray csv_field(const QString& text) {
    // A number the console wrote (a sign, digits, a point, an exponent) stays a number.
    static const QRegularExpression number(
        QStringLiteral(R"(^-?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?$)"));
    // Any other text a spreadsheet would take for a formula is kept a text by an apostrophe.
    const bool formula = !text.isEmpty() && QStringLiteral("=+-@\t\r").contains(text.front()) &&
                         !number.match(text).hasMatch();
    QByteArray utf8 = (formula ? QStringLiteral("'") + text : text).toUtf8();
    if (!utf8.contains(',') && !utf8.contains('"') && !utf8.contains('\n') && !utf8.contains('\r'))
        return utf8;
    utf8.replace('"', "\"\"");
    return '"' + utf8 + '"';
}

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

QByteArray CsvExport::line(const QDateTime& at, qint64 number,
                           const std::optional<float> (&values)[8]) {
    QByteArray out = csv_field(iso_with_offset(at));
    out += ',' + QByteArray::number(number);
    for (const std::optional<float>& v : values)
        out += ',' + (v ? csv_field(number_text(*v)) : QByteArray()); // a missing value stays empty
    out += "\r\n";
    return out;
}

bool CsvExport::begin() {
    if (const auto refused = refuse_output_target(req.file, req.dbPath)) {
        fail(*refused);
        return false;
    }
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
                   order_of(db, table));
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
        if (!query->next()) {
            // The end, or a read that failed part-way (a damaged page): then no file is left.
            if (query->lastError().isValid())
                fail(tr("record file %1 cannot be read: %2")
                         .arg(req.dbPath, query->lastError().text()));
            return false;
        }
        std::optional<float> values[8];
        for (int j = 0; j < 8; ++j)
            if (const QVariant v = query->value(3 + j); !v.isNull())
                values[j] = v.toFloat();
        const QDateTime at = local_instant(date_from_ole(query->value(1).toDouble()),
                                           time_from_ole(query->value(2).toDouble()), lastWritten);
        lastWritten = at.toSecsSinceEpoch();
        if (out->write(line(at, query->value(0).toLongLong(), values)) < 0) {
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
