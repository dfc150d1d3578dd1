#include "records/record_store_errors.h"

#include <QCoreApplication>

namespace {

// SQLite's primary result codes.
enum : int {
    kPerm = 3,
    kBusy = 5,
    kLocked = 6,
    kReadOnly = 8,
    kIoErr = 10,
    kCorrupt = 11,
    kFull = 13,
    kCantOpen = 14,
    kAuth = 23,
    kNotADb = 26,
};

QString detail(const QSqlError& error) {
    const QString driver = error.driverText();
    const QString database = error.databaseText();
    if (database.isEmpty())
        return driver;
    if (driver.isEmpty())
        return database;
    return driver + QStringLiteral(" (") + database + QLatin1Char(')');
}

} // namespace

ErrorMeaning error_meaning(const QSqlError& error, bool writing) {
    bool numeric = false;
    const int code = error.nativeErrorCode().toInt(&numeric) & 0xff;
    const QString why = detail(error);
    auto meaning = [&why](RecordStoreState state, const char* words) {
        return ErrorMeaning{state, QCoreApplication::translate("RecordStoreErrors", words) +
                                       QStringLiteral(": ") + why};
    };
    if (!numeric)
        return meaning(RecordStoreState::Failed,
                       QT_TRANSLATE_NOOP("RecordStoreErrors", "record database error"));
    switch (code) {
    case kBusy:
    case kLocked:
        return meaning(
            RecordStoreState::Locked,
            QT_TRANSLATE_NOOP("RecordStoreErrors", "the record file is locked by another program"));
    case kReadOnly:
        return meaning(RecordStoreState::Unwritable,
                       QT_TRANSLATE_NOOP("RecordStoreErrors", "the record file is read-only"));
    case kFull:
        return meaning(
            RecordStoreState::Unwritable,
            QT_TRANSLATE_NOOP("RecordStoreErrors", "the disk of the record file is full"));
    case kCorrupt:
    case kNotADb:
        return meaning(RecordStoreState::Corrupt,
                       QT_TRANSLATE_NOOP("RecordStoreErrors",
                                         "the record file is damaged or is not a database"));
    case kPerm:
    case kAuth:
    case kCantOpen:
        return meaning(RecordStoreState::Unreadable,
                       QT_TRANSLATE_NOOP("RecordStoreErrors", "the record file cannot be opened"));
    case kIoErr:
        return writing ? meaning(RecordStoreState::Unwritable,
                                 QT_TRANSLATE_NOOP("RecordStoreErrors",
                                                   "the record file cannot be written"))
                       : meaning(RecordStoreState::Unreadable,
                                 QT_TRANSLATE_NOOP("RecordStoreErrors",
                                                   "the record file cannot be read"));
    default:
        return meaning(RecordStoreState::Failed,
                       QT_TRANSLATE_NOOP("RecordStoreErrors", "record database error"));
    }
}

bool keeps_connection(RecordStoreState state) {
    return state == RecordStoreState::Locked;
}
