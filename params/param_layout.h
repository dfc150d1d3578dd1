#pragma once
// Rows placed on a screen: a frame with its caption and, per row, name, value label, editor and
// hint side by side; `columns` rows to a line (the grouped PID screen puts three on a line).

#include "params/param_fields.h"

#include <QString>

class QGridLayout;
class QGroupBox;

QGroupBox* param_frame(ParamFields& fields, const ParamTable& table, int group,
                       const QString& frameName, QWidget* parent, int columns = 1);

// Adds the row's four controls at line `line`, column block `column` of a grid.
void place_row(QGridLayout& grid, const Field& field, int line, int column = 0);
