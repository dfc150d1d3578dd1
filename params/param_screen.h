#pragma once
// What every parameter screen has around its rows: the window caption, the screen frame (close
// guard, return button, Esc), the refresh timer Timer1 and a message line where refusals and
// failed writes are said in words. A screen adds its row table, its layout and its refresh.

#include "core/screen_frame.h"
#include "params/param_fields.h"

#include <QTimer>
#include <functional>

class QLabel;

class ParamScreen : public ScreenFrame {
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

    void Form_Load() override; // sets the close guard and starts Timer1
    virtual void Timer1_Timer() = 0;

    QTimer& timer1() { return Timer1; }
    ParamFields& fields() { return rowFields; }
    QLabel* messageLine() const { return message; }

protected:
    bool beforeReturn() override; // stops Timer1
    // The bottom strip: message line and return button, for the screen's layout.
    QWidget* bottomStrip();

    Instrument& instrument;
    InstrumentLink& link;
    QTimer Timer1;

private:
    ParamFields rowFields;
    QLabel* message = nullptr;
};
