#pragma once
// The journal's hash chain: every event carries a SHA-256 hash over the hash of the event before it
// and its own fields, so a row deleted, edited or slipped in afterwards (with sqlite3, say) breaks
// the chain where it happened, and `--verify-journal` or the journal screen says where.
//
// The hash of event n, fixed for good (files written today are checked with it in years):
//
//   hash(n) = SHA-256( hash(n-1) || fields(n) ),  hash(0) = 32 zero bytes
//
// hash(n-1) as its 32 raw bytes. fields(n) is the event's 15 columns in this order: seq, utc_ms,
// local_time, address, category, code, source, old_value, new_value, pv, user, host, result,
// detail, session; each one value as the file holds it:
//
//   NULL     0x00
//   integer  0x01, then 8 bytes, two's complement, big-endian
//   real     0x02, then the 8 bytes of the IEEE 754 double, big-endian
//   text     0x03, then its UTF-8 length as 4 bytes big-endian, then the UTF-8 bytes
//   blob     0x04, then its length as 4 bytes big-endian, then the bytes
//
// The hash is kept as 64 lowercase hex digits: in the event's `hash` column, written with the
// event; for events journaled before the chain existed, in the table `events_sealed` (seq, hash),
// append-only as `events` is, filled once when a console first starts on the file.

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QVariantList>
#include <optional>

// The hashed columns, in the order above.
inline constexpr const char* kChainedColumns =
    "seq, utc_ms, local_time, address, category, code, source, old_value, new_value, pv, user, "
    "host, result, detail, session";
inline constexpr int kChainedColumnCount = 15;
inline constexpr int kHashBytes = 32;

QByteArray chain_fields(const QVariantList& fields);
// The raw 32 bytes of hash(n) from hash(n-1) (empty: the first event) and the event's fields.
QByteArray chain_hash(const QByteArray& previous, const QVariantList& fields);

// Checks a record file's chain from its first event, on a read-only connection of its own, a
// chunk at a time (the journal screen runs one a turn of the event loop), and stops at the first
// break: an event missing, a row changed after it was journaled, a hash that does not follow.
class ChainCheck {
    Q_DECLARE_TR_FUNCTIONS(ChainCheck)
public:
    enum class State { Running, Intact, Broken, Unreadable };

    explicit ChainCheck(QString path);
    ~ChainCheck();
    ChainCheck(const ChainCheck&) = delete;
    ChainCheck& operator=(const ChainCheck&) = delete;

    // Checks up to `rows` more events; the state after them.
    State step(int rows);
    State runToEnd();

    State state() const { return current; }
    qint64 checked() const { return count; }
    qint64 breakSeq() const { return brokenAt; } // the first event at fault, when Broken
    // In the operator's words: "chain intact …", "chain broken at event N: …", or why the file
    // cannot be checked.
    QString text() const;

private:
    struct Suspect {
        qint64 seq = 0;
        QByteArray stored;
    };
    bool openFile();
    bool checkRow(const QVariantList& fields, const QString& stored);
    void finish();
    State broken(qint64 seq, const QString& why);
    State unreadable(const QString& why);

    QString filePath;
    QString connectionName;
    QString selectSql;
    bool opened = false;
    State current = State::Running;
    qint64 lastSeq = 0;
    qint64 count = 0;
    qint64 brokenAt = 0;
    QByteArray previous;
    // A row whose hash did not match: the next row tells whether its fields were changed (the
    // chain goes on from its stored hash) or its hash is not the chain's.
    std::optional<Suspect> suspect;
    QString reason;
};
