#pragma once
// The event journal's table in the record file, beside the record rings and outside them:
// `events`, append-only. The file itself refuses an UPDATE or DELETE of a journal row (triggers),
// and nothing here ever prunes it. Every store has its own named connection to the file, as the
// record stores do; a failure returns empty or false and says why in lastError(), and the next
// call opens the file again.
//
// Pages run newest first on the (utc_ms, seq) index and continue from the last row shown (keyset
// paging), so the first page of a million-row journal costs what a page costs. A text filter on a
// page looks the text's trigrams up in a full-text index first, so a text found in few events
// does not read the whole journal.

#include "journal/journal_entry.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>
#include <optional>
#include <utility>
#include <vector>

class QSqlQuery;

class JournalStore {
public:
    // ReadOnly opens the file as SQLite's read-only and makes nothing in it: no table, index,
    // guard or journal mode. A file without the events table then reads as a journal with no
    // events (an older record file, or one no console has journaled to).
    enum class Access { ReadWrite, ReadOnly };

    explicit JournalStore(QString path, Access access = Access::ReadWrite);
    ~JournalStore();
    JournalStore(const JournalStore&) = delete;
    JournalStore& operator=(const JournalStore&) = delete;

    const QString& path() const { return filePath; }
    // Opens the file (creating the folder and the file if missing) and the table, its indexes and
    // its guards if missing; read-only, opens an existing file as it is.
    bool open();
    void close();
    bool isOpen() const { return opened; }
    // Whether the text filter of page() uses the text index (SQLite's full-text module, trigrams).
    bool hasTextIndex() const { return textIndex; }

    // Appends the entry (its seq is ignored) with its link of the hash chain, in one write
    // transaction, so two consoles appending to one file keep one chain; its new sequence
    // number, or empty on failure.
    std::optional<qint64> append(const JournalEntry& entry);
    // The append-only guards that the file had lost (their table was there, they were not) and
    // open() made again: someone changed the file with another program.
    QStringList takeRemadeGuards() { return std::exchange(remade, {}); }
    // Chains the events at the journal's end that have no hash yet (a file from before the chain,
    // or events an older console wrote): how many, or empty on failure.
    std::optional<qint64> chainUnhashed();
    // The console starts with neither an end nor an unclean end journaled for their session (an
    // unclean end names its session in old_value), oldest first, `except` left out.
    std::vector<JournalEntry> unendedStarts(const QString& except);
    // The newest event of a console session.
    std::optional<JournalEntry> newestOf(const QString& session);

    // Up to `limit` events matching the filter, newest first, older than `after` when given.
    std::vector<JournalEntry> page(const JournalFilter& filter, std::optional<JournalCursor> after,
                                   int limit);
    // Events journaled after sequence number `seq` that match the filter, oldest first.
    std::vector<JournalEntry> newerThan(const JournalFilter& filter, qint64 seq, int limit);
    // Up to `limit` events matching the filter, oldest first, newer than `after` when given: an
    // export that writes a chunk per turn of the event loop goes on from its last row.
    std::vector<JournalEntry> pageForward(const JournalFilter& filter,
                                          std::optional<JournalCursor> after, int limit);

    // The newest event of a category and code, or of a category when code is empty.
    std::optional<JournalEntry> newest(EventCategory category, const QString& code = QString());
    bool hasEvent(EventCategory category, const QString& code, const QString& session);
    // The newest event of the category with one of the codes before `before`.
    std::optional<JournalEntry> newestBefore(EventCategory category, const QStringList& codes,
                                             const QDateTime& before);

    std::optional<qint64> rowCount();
    qint64 fileBytes() const; // the file and its write-ahead log

    // Why the last call failed; after a page it may hold a read that failed part-way (a damaged
    // page of the file): the rows returned are then the ones read before it.
    const QString& lastError() const { return error; }

private:
    bool ensureOpen();
    QStringList schemaNames(QSqlQuery& q);
    bool prepareChain(QSqlQuery& q, const QStringList& before);
    std::optional<qint64> insertChained(QSqlQuery& q, const JournalEntry& e);
    bool openReadOnly(); // in open(), for Access::ReadOnly
    // A page in time order, newest first or oldest first, strictly beyond `after`.
    std::vector<JournalEntry> keysetPage(const JournalFilter& filter,
                                         std::optional<JournalCursor> after, int limit,
                                         bool newestFirst);
    std::vector<JournalEntry> select(const QString& where, const QVariantList& values,
                                     const QString& order, int limit);

    QString filePath;
    QString connectionName;
    Access access;
    bool opened = false;
    bool hasEvents = true; // false: a read-only file without the events table
    bool textIndex = false;
    QStringList remade;
    QString error;
};
