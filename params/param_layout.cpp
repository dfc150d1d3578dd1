#include "params/param_layout.h"

#include "core/naming.h"

#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>

void place_row(QGridLayout& grid, const Field& f, int line, int column) {
    const int c = column * 4;
    grid.addWidget(f.name, line, c);
    grid.addWidget(f.value, line, c + 1);
    grid.addWidget(f.editor(), line, c + 2);
    if (f.hint)
        grid.addWidget(f.hint, line, c + 3);
    f.editor()->setMinimumWidth(f.list ? 180 : 100);
}

QGroupBox* param_frame(ParamFields& fields, const ParamTable& table, int group,
                       const QString& frameName, QWidget* parent, int columns) {
    auto* frame = named(new QGroupBox(table.groups[std::size_t(group)].caption.toString(), parent),
                        frameName);
    auto* grid = new QGridLayout(frame);
    int n = 0;
    for (const ParamRow& row : table.rows) {
        if (row.group != group)
            continue;
        place_row(*grid, fields.build(row, frame), n / columns, n % columns);
        ++n;
    }
    for (int c = 0; c < columns; ++c)
        grid->setColumnStretch(c * 4 + 3, 1);
    return frame;
}
