#pragma once
// One event of the journal as it is kept in the record file's `events` table, and what the journal
// screen and the export ask of the journal.

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

enum class EventCategory { Alarm, Write, Mode, Program, Link, Console, File };

inline constexpr EventCategory kEventCategories[] = {
    EventCategory::Alarm, EventCategory::Write,   EventCategory::Mode, EventCategory::Program,
    EventCategory::Link,  EventCategory::Console, EventCategory::File};

// The category as the file keeps it: "alarm", "write", "mode", "program", "link", "console",
// "file".
QString category_key(EventCategory category);
std::optional<EventCategory> category_of_key(const QString& key);
// The category in the operator's language.
QString category_title(EventCategory category);

// What a part of the console journals; the journal adds time, address, PV, user, host and session.
struct EventDraft {
    EventCategory category = EventCategory::Console;
    QString code;   // what happened, in a word: "on", "off", "register", "coil", "lost", ...
    QString source; // the screen and control, "poll cycle", "instrument", "console"
    std::optional<QString> oldValue;
    std::optional<QString> newValue;
    QString result; // "accepted", "failed: <why>", or empty where there is no result
    QString detail; // the event in words
};

struct JournalEntry {
    qint64 seq = 0;    // never reused
    qint64 utcMs = 0;  // milliseconds since 1970 UTC
    QString localTime; // "yyyy-MM-dd HH:mm:ss.zzz" as shown at the event
    std::optional<int> address;
    EventCategory category = EventCategory::Console;
    QString code;
    QString source;
    std::optional<QString> oldValue;
    std::optional<QString> newValue;
    std::optional<double> pv;
    QString user;
    QString host;
    QString result;
    QString detail;
    QString session; // "host:pid:start" of the console that journaled it

    QDateTime utc() const { return QDateTime::fromMSecsSinceEpoch(utcMs, Qt::UTC); }
};

// Which events a screen or an export wants: a time range (either end may be open), categories
// (none: all) and a text found in code, source, values, result, detail, user or host (any case).
struct JournalFilter {
    QDateTime from;
    QDateTime to;
    QList<EventCategory> categories;
    QString text;
};

// Where a page of events, newest first, continues: events strictly older than this one.
struct JournalCursor {
    qint64 utcMs = 0;
    qint64 seq = 0;
};
