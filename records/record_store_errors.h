#pragma once
// What a database error means for the operator: the store's state and a few words.

#include "records/record_store.h"

#include <QSqlError>

struct ErrorMeaning {
    RecordStoreState state;
    QString text;
};

// `writing` tells an input/output error on writing (unwritable) from one on reading.
ErrorMeaning error_meaning(const QSqlError& error, bool writing);

// Busy and locked files come free again by themselves; every other error closes the connection
// so the next operation opens the file afresh.
bool keeps_connection(RecordStoreState state);
