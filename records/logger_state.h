#pragma once
// The record logger's state: when the newest records were written, and the three flags that couple
// the logger to the curve screens. The assembly owns one and hands it to the logger and to both
// curve screens.

struct LoggerState {
    double LastShortDate = 0; // date values (day numbers) of the newest short record
    double LastShortTime = 0;
    double LastLongDate = 0; // and of the newest long record
    double LastLongTime = 0;

    bool CurveScreenOpen = false; // a curve screen (overview or history) is loaded
    bool NewShortRecord = false;  // raised by the logger, lowered by the real-time screen
    bool NewLongRecord = false;   // raised by the logger, lowered by the history screen
};
