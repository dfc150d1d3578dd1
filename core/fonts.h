#pragma once
// The CJK fonts the screens ask for: "宋体" where it is installed (the instrument's screens name
// it), otherwise the nearest CJK font the set-up script provides.

#include <QFont>

QFont song_font(int pointSize);
// The form's own font for its Chinese captions, at `pointSize`.
void use_cjk_font(QWidget& form, int pointSize);
