#include "curve_state.h"

double LastShortDate = 0;
double LastShortTime = 0;
double LastLongDate = 0;
double LastLongTime = 0;
bool CurveScreenOpen = false;
bool NewShortRecord = false;
bool NewLongRecord = false;
qint16 YSpan = 0;
qint16 YMin = 0;
qint16 YMax = 0;
qint16 YOffsetPx = 0;

void ResetCurveState() {
    LastShortDate = LastShortTime = LastLongDate = LastLongTime = 0;
    CurveScreenOpen = NewShortRecord = NewLongRecord = false;
    YSpan = YMin = YMax = YOffsetPx = 0;
}
