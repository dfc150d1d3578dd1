#pragma once
// Process-wide state of the records and curves: the logger's last-record times, the three flags
// that couple the logger to the curve screens, and the value-axis settings both curve screens
// share.

#include <QtGlobal>

extern double LastShortDate; // date values (day numbers) of the newest short record
extern double LastShortTime;
extern double LastLongDate; // and of the newest long record
extern double LastLongTime;

extern bool CurveScreenOpen; // a curve screen (overview or history) is loaded
extern bool NewShortRecord;  // raised by the logger, lowered by the real-time screen
extern bool NewLongRecord;   // raised by the logger, lowered by the history screen

extern qint16 YSpan; // value-axis span, minimum and maximum (YMax is not used for drawing)
extern qint16 YMin;
extern qint16 YMax;
extern qint16 YOffsetPx; // pixel offset of YMin, recomputed by every curve drawing

// Back to the values at program start (YSpan 0 until the start-up form sets it).
void ResetCurveState();
