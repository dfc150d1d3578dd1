#pragma once
// The look of the overview's status indicators (link, record file): a sunken panel that is grey
// while closed, green while things work and red while they fail.

#include <QLabel>

enum class LampHealth { Closed, Good, Failing };

void make_status_lamp(QLabel& label); // frame, margin, font
void show_lamp(QLabel& label, LampHealth health);
