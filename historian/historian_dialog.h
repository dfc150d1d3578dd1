#pragma once
// The historian's settings, from the record-file indicator: the central database's connection
// string (empty: no historian) and this console's name there. A connection string libpq would
// not take, or one naming a password, is marked and said in the dialog, and nothing is kept.
// What is kept is remembered for the next start (console_settings).

#include <QDialog>

class QLabel;
class QLineEdit;

class HistorianDialog final : public QDialog {
    Q_OBJECT
public:
    explicit HistorianDialog(QWidget* parent = nullptr);

    // The remembered settings (empty when none).
    static QString savedConninfo();
    static QString savedConsoleName();

signals:
    void chosen(const QString& conninfo, const QString& consoleName);

private:
    void keep();

    QLineEdit* conninfo;
    QLineEdit* consoleName;
    QLabel* note;
};
