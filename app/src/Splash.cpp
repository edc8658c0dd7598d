#include "Splash.h"

#include <QGuiApplication>
#include <QLinearGradient>
#include <QPainter>
#include <QScreen>
#include <algorithm>
#include <cmath>

TForm_SplashW::TForm_SplashW() : QWidget(nullptr, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("TForm_SplashW"));
    setFixedSize(494, 280);
    FPicture = Picture(size());
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

QImage TForm_SplashW::Picture(const QSize &size)
{
    QImage image(size, QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, size.height());
    sky.setColorAt(0, QColor(18, 32, 58));
    sky.setColorAt(1, QColor(36, 60, 96));
    painter.fillRect(image.rect(), sky);

    // A trapezoid of coloured cells, as a pseudo-section looks.
    const QColor ramp[] = {{0, 0, 128}, {0, 0, 255}, {0, 255, 255}, {0, 255, 0},
                           {0, 128, 0}, {255, 255, 0}, {255, 0, 0}, {96, 0, 96}};
    const int rows = 8, columns = 40, top = 120, cell = 10;
    for (int row = 0; row < rows; ++row) {
        const int indent = row * 2;
        for (int column = indent; column < columns - indent; ++column) {
            const double v = 0.5 + 0.5 * std::sin(column * 0.35 + row * 0.6) * std::cos(row * 0.4 - column * 0.12);
            painter.fillRect(QRect(47 + column * cell, top + row * cell, cell - 1, cell - 1),
                             ramp[std::clamp(int(v * 7.99), 0, 7)]);
        }
    }
    painter.setPen(QColor(235, 240, 248));
    QFont title = painter.font();
    title.setPointSize(26);
    title.setBold(true);
    painter.setFont(title);
    painter.drawText(QRect(0, 28, size.width(), 50), Qt::AlignHCenter, QStringLiteral("Quelvo Tools"));
    QFont subtitle = painter.font();
    subtitle.setPointSize(10);
    subtitle.setBold(false);
    painter.setFont(subtitle);
    painter.drawText(QRect(0, 76, size.width(), 24), Qt::AlignHCenter,
                     QStringLiteral("Resistivity sequences and data for the 48-electrode instrument"));
    painter.drawText(QRect(0, size.height() - 34, size.width(), 24), Qt::AlignHCenter,
                     QStringLiteral("Loading..."));
    return image;
}

void TForm_SplashW::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.drawImage(rect(), FPicture);
}
