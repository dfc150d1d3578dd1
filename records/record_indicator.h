#pragma once
// The record-file indicator of the overview: whether the record file is usable ("ok" or the error
// in words), when the last record reached it and how many did, red while it fails. It shows the
// status of the store that writes the records, the logger's.

#include "core/status_lamp.h"
#include "records/record_store.h"

class RecordIndicator final : public StatusLamp {
    Q_OBJECT
public:
    explicit RecordIndicator(QWidget* parent = nullptr);
    static LampView view(const RecordStoreStatus& status);
    void watch(RecordStore& store); // shows its status now and on every change
    void display(const RecordStoreStatus& status);
    // The event journal in the same file: its state on lines of the tooltip, and a journal that
    // cannot write turns the lamp red.
    void setJournalState(const QString& detail, bool failing);
    // The historian's forwarding of this file: its line in the tooltip; failing turns the lamp
    // red, lagging amber (unless the file itself says worse). An empty line: no historian.
    void setHistorianState(const QString& line, LampHealth health);

signals:
    void historianAsked(); // a double click: the historian's settings

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;

private:
    QString filePath;
    QString journalDetail;
    bool journalFailing = false;
    QString historianLine;
    LampHealth historianHealth = LampHealth::Good;
    RecordStoreStatus last;
};
