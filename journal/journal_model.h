#pragma once
// The journal screen's table: only the pages fetched, newest first. A filter loads its first page;
// the view asks for the next one as the operator scrolls to the end (canFetchMore / fetchMore),
// which continues strictly after the last row shown (keyset on time and sequence number), so no
// event is shown twice or skipped where many share one timestamp. A live event the filter takes
// goes on top.

#include "journal/journal_store.h"

#include <QAbstractTableModel>
#include <QSet>
#include <deque>

class JournalModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    enum Column {
        Seq,
        Time,
        Address,
        Category,
        Code,
        Source,
        OldValue,
        NewValue,
        Pv,
        Result,
        Detail,
        // The same on nearly every row of one console: last, so the detail stays in view.
        User,
        Host,
        kColumns
    };
    static constexpr int kPageRows = 200;

    explicit JournalModel(JournalStore& store, QObject* parent = nullptr);

    // The filter's first page; false when the file could not be read (the table is then empty
    // and error() says why).
    bool reload(const JournalFilter& filter);
    // An event just journaled: on top when the filter takes it (the file decides, with the very
    // query the pages use); true when it was added.
    bool offerLive(const JournalEntry& entry);

    const JournalFilter& filter() const { return current; }
    bool hasMore() const { return more; }
    const JournalEntry& entry(int row) const { return rows[std::size_t(row)]; }
    // Why the last page read stopped short; the list then ends at the rows read before it.
    const QString& error() const { return why; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;

    static QString text(const JournalEntry& entry, int column);

signals:
    // A further page could not be read (whole or in part): error() says why.
    void readFailed();

private:
    // A page after `after` (the first one when empty), with the knowledge whether more follow.
    std::vector<JournalEntry> fetchPage(std::optional<JournalCursor> after);

    JournalStore& store;
    JournalFilter current;
    std::deque<JournalEntry> rows;
    QSet<qint64> shown;                   // sequence numbers in the table
    std::optional<JournalCursor> pageEnd; // the last row of the newest page read
    bool more = false;
    QString why;
};
