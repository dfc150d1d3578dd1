#pragma once
// The screen "仪表文件": back up the instrument's whole setup to a file, compare a file with the
// instrument, and write what differs (restore, or clone onto another instrument), each write read
// back. A table shows the comparison (only the differences unless asked), a bar the progress, and
// the report says what became of every write. Nothing here is modal but the restore's one
// confirmation; the poll cycle goes on.

#include "core/screen_frame.h"
#include "files/setup_job.h"

#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTableWidget;

class FilesForm final : public ScreenFrame {
    Q_OBJECT
public:
    // Backs up, compares and restores `instrument` over `link`.
    FilesForm(Instrument& instrument, InstrumentLink& link, std::function<void()> back,
              QWidget* parent = nullptr);

    void backupClick();
    void compareClick();
    void compareFilesClick(); // the file against a second file, no instrument
    void writeClick();
    SetupJob& job() { return setupJob; }

protected:
    bool beforeReturn() override;

private:
    void browse();
    void started(const QString& what);
    void startBackup();
    void ask(const QString& name, const QString& text, const QString& details, bool modal,
             std::function<void(bool)> answer);
    void confirmRestore(const RestorePlan& plan, std::function<void(bool)> answer);
    void finished(SetupJob::Status status);
    void showTable();

    InstrumentLink& link;
    const LinkTarget& target;
    SetupJob setupJob;
    QLineEdit* file = nullptr;
    QLineEdit* second = nullptr;
    QPushButton* compareFilesButton = nullptr;
    QPushButton* backupButton = nullptr;
    QPushButton* compareButton = nullptr;
    QPushButton* writeButton = nullptr;
    QPushButton* cancelButton = nullptr;
    QCheckBox* onlyDifferences = nullptr;
    QCheckBox* includeComms = nullptr;
    QTableWidget* table = nullptr;
    QProgressBar* progress = nullptr;
    QLabel* report = nullptr;
    bool leaving = false; // the return button was pressed while a job ran
};
