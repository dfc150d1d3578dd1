#pragma once
// The curve screens' "Export" (F8): a window beside the screen, never modal, that writes the
// records of the window shown or of a chosen period to a CSV file. The export runs a few thousand
// rows per turn of the event loop with its progress shown, so the screens and the logger go on.

#include "records/csv_export.h"

#include <QDialog>
#include <QTimer>
#include <memory>

class QDateTimeEdit;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QRadioButton;

class ExportDialog final : public QDialog {
    Q_OBJECT
public:
    // The record file and which record; the window shown runs from `windowFirst` to `windowLast`
    // (invalid when the window holds no record).
    ExportDialog(const QString& dbPath, bool longRecord, QWidget* parent = nullptr);

    void setWindow(const QDateTime& first, const QDateTime& last);
    void startExport(); // the export button
    bool exporting() const { return job != nullptr; }
    void exportStep(); // one turn's worth of rows (driven by the step timer)

    static constexpr int kRowsPerStep = 1000;

private:
    void browse();
    void done(bool ok);

    QString dbPath;
    bool longRecord;
    QDateTime windowFirst;
    QDateTime windowLast;
    QRadioButton* wholeWindow = nullptr;
    QRadioButton* period = nullptr;
    QDateTimeEdit* from = nullptr;
    QDateTimeEdit* to = nullptr;
    QLineEdit* file = nullptr;
    QPushButton* exportButton = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* status = nullptr;
    std::unique_ptr<CsvExport> job;
    QTimer stepTimer;
};
