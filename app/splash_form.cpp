#include "splash_form.h"

#include "core/fonts.h"
#include "core/naming.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

namespace {
const QSize kSplashSize(640, 400);

} // namespace

frmSplash::frmSplash(ValueAxis& valueAxis, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint), axis(valueAxis) {
    setObjectName(QStringLiteral("frmSplash"));
    setFixedSize(kSplashSize);
    auto* picture = named(new QLabel(this), QStringLiteral("Image1"));
    picture->setPixmap(splashPicture(kSplashSize));
    picture->setGeometry(rect());
    Label1 = named(new QLabel(QStringLiteral("系统正在初始化数据引擎，请稍后。。。。。。"), this),
                   QStringLiteral("Label1"));
    Label1->setFont(song_font(15));
    Label1->setStyleSheet(QStringLiteral("color: white; background: transparent;"));
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setGeometry(0, height() - 70, width(), 40);

    Timer2.setInterval(200);
    Timer1.setInterval(100);
    Timer2.setObjectName(QStringLiteral("Timer2"));
    Timer1.setObjectName(QStringLiteral("Timer1"));
    connect(&Timer2, &QTimer::timeout, this, &frmSplash::Timer2_Timer);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
}

void frmSplash::Form_Load() {
    axis.YSpan = 1500;
    Timer2.start();
}

void frmSplash::Timer2_Timer() {
    ++counter;
    if (counter > 6) {
        Timer2.stop();
        counter = 0;
        Timer1.start();
    }
}

void frmSplash::Timer1_Timer() {
    show();
    Timer2.stop();
    Timer1.stop();
    close();
    emit startupDue(); // the owner lets go of the form after this
}

void frmSplash::keyPressEvent(QKeyEvent* event) {
    event->accept(); // key presses on the splash are ignored
}

void frmSplash::closeEvent(QCloseEvent* event) {
    Timer1.stop();
    event->accept();
}

QPixmap frmSplash::splashPicture(const QSize& size) {
    // A furnace-coloured panel with a trend curve and the instrument's name: drawn, not shipped.
    QPixmap pm(size);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient bg(0, 0, 0, size.height());
    bg.setColorAt(0, QColor(18, 32, 64));
    bg.setColorAt(1, QColor(6, 10, 24));
    p.fillRect(pm.rect(), bg);

    p.setPen(QPen(QColor(60, 90, 140), 1, Qt::DotLine));
    for (int x = 40; x < size.width(); x += 60)
        p.drawLine(x, 90, x, size.height() - 90);
    for (int y = 90; y <= size.height() - 90; y += 44)
        p.drawLine(40, y, size.width() - 40, y);

    QPainterPath profile; // ramp, soak, ramp, soak, cool: a program's set value
    const double w = size.width() - 80, top = 110, bottom = size.height() - 100;
    profile.moveTo(40, bottom);
    profile.lineTo(40 + 0.25 * w, top + 0.35 * (bottom - top));
    profile.lineTo(40 + 0.45 * w, top + 0.35 * (bottom - top));
    profile.lineTo(40 + 0.62 * w, top);
    profile.lineTo(40 + 0.82 * w, top);
    profile.lineTo(40 + w, bottom - 0.2 * (bottom - top));
    p.setPen(QPen(QColor(0, 200, 90), 3));
    p.drawPath(profile);
    p.setPen(QPen(QColor(255, 80, 40), 2));
    p.translate(6, 8);
    p.drawPath(profile);
    p.resetTransform();

    QFont title;
    title.setFamilies({QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                       QStringLiteral("DejaVu Sans")});
    title.setPointSize(30);
    title.setBold(true);
    p.setFont(title);
    p.setPen(QColor(255, 170, 60));
    p.drawText(QRect(0, 20, size.width(), 60), Qt::AlignCenter, QStringLiteral("MT3600"));
    title.setPointSize(14);
    title.setBold(false);
    p.setFont(title);
    p.setPen(QColor(200, 215, 240));
    p.drawText(QRect(0, 70, size.width(), 24), Qt::AlignCenter, QStringLiteral("过程控制仪表"));
    return pm;
}
