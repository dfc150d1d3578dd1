#include "core/fonts.h"

#include <QWidget>

namespace {
QStringList cjk_families(bool songFirst) {
    QStringList families{QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                         QStringLiteral("Noto Sans SC")};
    const QStringList song{QStringLiteral("宋体"), QStringLiteral("SimSun"),
                           QStringLiteral("NSimSun")};
    return songFirst ? song + families : families + song;
}
} // namespace

QFont song_font(int pointSize) {
    QFont f;
    f.setFamilies(cjk_families(true));
    f.setPointSize(pointSize);
    return f;
}

void use_cjk_font(QWidget& form, int pointSize) {
    QFont f = form.font();
    f.setFamilies(cjk_families(false));
    f.setPointSize(pointSize);
    form.setFont(f);
}
