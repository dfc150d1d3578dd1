#pragma once
// A CSV file as a spreadsheet opens it, written from the record file: UTF-8 with a byte-order
// mark, a header row, then the rows a chunk at a time, so a screen writes a chunk per turn of its
// event loop and the command line writes them all at once. A target that would destroy the record
// file is refused before anything is opened. The file appears whole at the end or not at all
// (QSaveFile): a cancel leaves nothing behind, and neither does a failure, whose reason is said.
//
// An export says where its rows come from (openRows, writeRows, closeRows); the writer does the
// rest of the file's life.

#include <QCoreApplication>
#include <QSaveFile>
#include <QString>
#include <QStringList>
#include <memory>

// A field as a spreadsheet reads it, UTF-8: quoted when it holds a separator, a quote or a line
// break, its quotes doubled. A text that begins with =, +, -, @, a tab or a carriage return gets
// a leading apostrophe, so a spreadsheet shows it instead of running it as a formula; a number
// (-12.5, 1e-05) is left as it is.
QByteArray csv_field(const QString& text);
// The fields as one line, with its line end.
QByteArray csv_line(const QStringList& fields);

class CsvWriter {
    Q_DECLARE_TR_FUNCTIONS(CsvWriter)
public:
    virtual ~CsvWriter();
    CsvWriter(const CsvWriter&) = delete;
    CsvWriter& operator=(const CsvWriter&) = delete;

    // Opens the record file and the target and writes the header. False with error() when either
    // cannot be opened.
    bool begin();
    // Writes up to `rows` more rows; false once no row is left (or reading or writing failed).
    bool step(int rows);
    // Puts the file in place; false with error() when it cannot be written.
    bool finish();
    void cancel(); // nothing is left behind

    qint64 written() const { return rows; }
    const QString& error() const { return why; }

protected:
    // `file` is the target; the rows are read from `recordFile`.
    CsvWriter(QString file, QString recordFile);

    virtual QStringList headerRow() const = 0;
    // Opens the record file for reading; false, after fail() or failRead(), when it cannot.
    virtual bool openRows() = 0;
    // Writes up to `count` rows through put(); false once no row is left, or after a failure.
    virtual bool writeRows(int count) = 0;
    // Lets the record file go. An export's destructor calls cancel() itself, while its rows are
    // still there to be closed.
    virtual void closeRows() = 0;

    bool put(const QByteArray& line); // one row; false, with the reason, when it cannot be written
    void failRead(const QString& reason); // the record file could not be read
    void fail(const QString& text);       // the first failure is the one said
    const QString& recordFile() const { return source; }

private:
    QString target;
    QString source;
    std::unique_ptr<QSaveFile> out;
    qint64 rows = 0;
    QString why;
};

// An export (begin, step, finish) run to its end at once, as the command line runs it: the rows
// written and the reason of a failure, which leaves no file.
template <class Export, class Request>
bool run_export_to_end(const Request& request, qint64* rows, QString* why) {
    Export e(request);
    bool ok = e.begin();
    while (ok && e.step(5000)) {
    }
    ok = ok && e.error().isEmpty() && e.finish();
    if (rows)
        *rows = e.written();
    if (why)
        *why = e.error();
    return ok;
}
