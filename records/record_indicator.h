#pragma once
// The record-file indicator of the overview: whether the record file is usable ("ok" or the error
// in words), when the last record reached it and how many did, red while it fails. It shows the
// status of the store that writes the records, the logger's.

#include "records/record_store.h"

#include "core/status_lamp.h"

#include <QLabel>

using RecordHealth = LampHealth;

struct RecordIndicatorView {
    QString text;
    RecordHealth health = RecordHealth::Closed;
};

RecordIndicatorView record_indicator_view(const RecordStoreStatus& status);

class RecordIndicator final : public QLabel {
    Q_OBJECT
public:
    explicit RecordIndicator(QWidget* parent = nullptr);
    void watch(RecordStore& store); // shows its status now and on every change
    void display(const RecordStoreStatus& status);
    RecordHealth health() const { return shown; }

private:
    RecordHealth shown = RecordHealth::Closed;
    QString filePath;
};
