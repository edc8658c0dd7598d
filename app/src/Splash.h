// The start-up window: borderless, 494 x 280, centred, one picture.
#pragma once

#include <QImage>
#include <QWidget>

class TForm_SplashW : public QWidget {
    Q_OBJECT
public:
    TForm_SplashW();

    // The picture: a coloured pseudo-section under the program's name.
    static QImage Picture(const QSize &size);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    QImage FPicture;
};
