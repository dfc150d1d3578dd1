#pragma once
// The screen "仪表文件": back up the instrument's whole setup to a file, compare a file with the
// instrument, and write what differs (restore, or clone onto another instrument), each write read
// back. A table shows the comparison (only the differences unless asked), a bar the progress, and
// the report says what became of every write. Nothing here is modal; the poll cycle goes on.

#include "files/setup_job.h"

#include <QWidget>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

class FilesForm final : public QWidget {
    Q_OBJECT
public:
    // Backs up, compares and restores `instrument` over `link`.
    FilesForm(Instrument& instrument, InstrumentLink& link, std::function<void()> back,
              QWidget* parent = nullptr);

    void Form_Load();
    void backupClick();
    void compareClick();
    void compareFilesClick(); // the file against a second file, no instrument
    void writeClick();
    void returnClick();
    bool closeGuard() const { return guard; }
    SetupJob& job() { return setupJob; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void browse();
    void started(const QString& what);
    void finished(SetupJob::Status status);
    void showTable();

    InstrumentLink& link;
    const LinkTarget& target;
    SetupJob setupJob;
    std::function<void()> back;
    QLineEdit* file = nullptr;
    QLineEdit* second = nullptr;
    QPushButton* compareFilesButton = nullptr;
    QPushButton* backupButton = nullptr;
    QPushButton* compareButton = nullptr;
    QPushButton* writeButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QPushButton* returnButton = nullptr;
    QCheckBox* onlyDifferences = nullptr;
    QCheckBox* includeComms = nullptr;
    QTableWidget* table = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* report = nullptr;
    bool guard = false;
    bool leaving = false; // the return button was pressed while a job ran
};
