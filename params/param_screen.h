#pragma once
// What every parameter screen has around its rows: the window caption, the close guard (the
// close box does nothing while it is set), the return button (also Esc), the refresh timer Timer1
// and a message line where refusals and failed writes are said in words. A screen adds its row
// table, its layout and its refresh.

#include "params/param_fields.h"

#include <QTimer>
#include <QWidget>
#include <functional>

class QLabel;
class QPushButton;

class ParamScreen : public QWidget {
    Q_OBJECT
public:
    struct Look {
        QString caption;     // window caption
        const char* name;    // the form's name: "ALM1", "CONFIG1", "PIDC", "PID1"
        const char* back;    // the return button's name
        QString backCaption; // its caption
        int timerMs;         // Timer1
        ScreenRules rules;
        FieldNames names;
    };

    // A screen of `instrument`, read and written over `link`.
    ParamScreen(Instrument& instrument, InstrumentLink& link, const Look& look,
                std::function<void()> back, QWidget* parent = nullptr);

    virtual void Form_Load(); // sets the close guard and starts Timer1
    virtual void Timer1_Timer() = 0;
    void returnClick(); // clears the guard and goes back to the overview

    bool closeGuard() const { return guard; }
    QTimer& timer1() { return Timer1; }
    ParamFields& fields() { return rowFields; }
    QLabel* messageLine() const { return message; }
    QPushButton* returnButton() const { return backButton; }

protected:
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    // The bottom strip: message line and return button, for the screen's layout.
    QWidget* bottomStrip();

    Instrument& instrument;
    InstrumentLink& link;
    QTimer Timer1;

private:
    ParamFields rowFields;
    std::function<void()> back;
    QPushButton* backButton = nullptr;
    QLabel* message = nullptr;
    bool guard = false;
};
