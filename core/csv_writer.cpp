#include "core/csv_writer.h"

#include "core/output_target.h"

#include <QFileInfo>
#include <QRegularExpression>

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

QByteArray csv_line(const QStringList& fields) {
    QByteArray line;
    for (qsizetype i = 0; i < fields.size(); ++i)
        line += (i ? "," : "") + csv_field(fields[i]);
    line += "\r\n";
    return line;
}

CsvWriter::CsvWriter(QString file, QString recordFile)
    : target(std::move(file)), source(std::move(recordFile)) {}

CsvWriter::~CsvWriter() {
    if (out)
        out->cancelWriting(); // the rows were closed by the export's own destructor
}

// The record file is looked at before the target is opened, so a missing one leaves no file.
bool CsvWriter::begin() {
    if (const auto refused = refuse_output_target(target, source)) {
        fail(*refused);
        return false;
    }
    if (!QFileInfo(source).isFile()) {
        fail(tr("record file %1 not found").arg(source));
        return false;
    }
    if (!openRows())
        return false;
    out = std::make_unique<QSaveFile>(target);
    if (!out->open(QIODevice::WriteOnly)) {
        fail(tr("%1 cannot be written: %2").arg(target, out->errorString()));
        return false;
    }
    out->write("\xEF\xBB\xBF" + csv_line(headerRow())); // UTF-8 byte-order mark, then the header
    return true;
}

bool CsvWriter::step(int count) {
    return out && writeRows(count);
}

bool CsvWriter::finish() {
    if (!out || !why.isEmpty()) {
        cancel();
        return false;
    }
    closeRows();
    const bool ok = out->commit();
    if (!ok)
        fail(tr("%1 cannot be written: %2").arg(target, out->errorString()));
    out.reset();
    return ok;
}

void CsvWriter::cancel() {
    if (out)
        out->cancelWriting(); // QSaveFile leaves nothing behind
    out.reset();
    closeRows();
}

bool CsvWriter::put(const QByteArray& line) {
    if (out->write(line) < 0) {
        fail(tr("%1 cannot be written: %2").arg(target, out->errorString()));
        return false;
    }
    ++rows;
    return true;
}

void CsvWriter::failRead(const QString& reason) {
    fail(tr("record file %1 cannot be read: %2").arg(source, reason));
}

void CsvWriter::fail(const QString& text) {
    if (why.isEmpty())
        why = text;
}
