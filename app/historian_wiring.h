#pragma once
// The historian's place in the console: the forwarder of the record file, started from
// --historian or the remembered setting, its state on the record-file indicator, and the settings
// dialog that a double click on the indicator opens.

#include "historian/central_writer.h"

#include <QObject>
#include <QPointer>
#include <optional>

class HistorianForwarder;
class RecordIndicator;
struct HistorianState;

// Whether a record was measured, for the records forwarded from `recordFile`, by the journal's
// link spans; empty for a file without a journal (the central column then stays NULL).
MeasuredJudge measured_judge(const QString& recordFile);

class HistorianWiring final : public QObject {
    Q_OBJECT
public:
    HistorianWiring(QString recordFile, std::optional<int> address, QString session,
                    RecordIndicator& indicator);
    ~HistorianWiring() override;

    // Forwards to the database `conninfo` names (empty: none) under `name` (empty: the default).
    void start(const QString& conninfo, const QString& name);

private:
    void show(const HistorianState& state);
    void openDialog();

    QString file;
    std::optional<int> address;
    QString session;
    RecordIndicator& lamp;
    QPointer<HistorianForwarder> forwarder;
};
