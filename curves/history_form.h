#pragma once
// The history screen lsqx: the long record (one row every ten seconds) drawn with the same chart
// and chart controls as the overview's real-time curve, the long write position, the live values
// of the register image under this screen's captions, and "返回" (also Esc and F5), which lets go
// of the screen's record connection and gives the overview back. It replaces the overview on
// screen; its close box does nothing while its close guard is set.

#include "core/clock.h"
#include "curves/curve_screen.h"
#include "records/record_store.h"

#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>

class QLabel;
class QPushButton;

class lsqx final : public QWidget {
    Q_OBJECT
public:
    // shared: the image its values come from, the logger's state and the value axis. dbPath empty:
    // the default record file. back shows the overview again. clock null: the console clock.
    lsqx(const CurveShared& shared, const QString& dbPath, std::function<void()> back,
         Clock* clock = nullptr, QWidget* parent = nullptr);
    ~lsqx() override;

    void Form_Load();
    void Timer1_Timer();
    void Command1_Click(); // "返回"

    bool closeGuard() const { return guard; }
    CurveScreen& curves() { return *screen; }
    RecordStore& store() { return records; }
    QTimer& timer1() { return Timer1; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QWidget* buildStatusArea();
    void unload();

    const RegisterImage& image;
    RecordStore records;
    std::function<void()> backToOverview;
    QTimer Timer1;
    CurveScreen* screen = nullptr;
    std::array<QLabel*, 8> D_3W{};
    QPushButton* Command1 = nullptr;
    bool guard = false;
    bool loaded = false;
};
