#pragma once
// The start-up form frmSplash: shows the splash picture for about 1.5 s (seven 200 ms ticks of
// Timer2, then one 100 ms tick of Timer1), sets the value-axis span YSpan to 1500 when it loads,
// and then closes and asks for the long-lived forms to be created (startupDue). Its owner deletes
// it after that.

#include "charts/value_axis.h"

#include <QTimer>
#include <QWidget>

class QLabel;

class frmSplash final : public QWidget {
    Q_OBJECT
public:
    // Sets the span of `axis`, the value axis the curve screens share, when it loads.
    explicit frmSplash(ValueAxis& axis, QWidget* parent = nullptr);

    void Form_Load();
    void Timer2_Timer();
    void Timer1_Timer();

    bool timer1Enabled() const { return Timer1.isActive(); }
    bool timer2Enabled() const { return Timer2.isActive(); }
    int ticks() const { return counter; }
    int timer1Interval() const { return Timer1.interval(); }
    int timer2Interval() const { return Timer2.interval(); }

    static QPixmap splashPicture(const QSize& size);

signals:
    void startupDue(); // the overview, the poll form and the logger are to be created now

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    ValueAxis& axis;
    QTimer Timer1;
    QTimer Timer2;
    int counter = 0;
    QLabel* Label1 = nullptr;
};
