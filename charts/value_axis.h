#pragma once
// The value axis both curve screens share: its span, minimum and maximum, set by the range editor
// (and the span by the start-up form), and the pixel offset of the minimum that every curve drawing
// recomputes. The assembly owns one and hands it to the charts.

#include <QtGlobal>

struct ValueAxis {
    qint16 YSpan = 0; // span, minimum and maximum (YMax is not used for drawing); 0 until set
    qint16 YMin = 0;
    qint16 YMax = 0;
    qint16 YOffsetPx = 0; // pixel offset of YMin, recomputed by every curve drawing
};
