// The spin editor of number items. It reads "." and "," as the decimal
// separator in every locale (shown numbers keep the locale's separator), and
// it turns with the mouse wheel only after the user chose it: a click into
// it or Tab. A wheel turned while the pointer merely passes over it scrolls
// the property grid instead.
#pragma once

#include <QDoubleSpinBox>

class TNumberEditor : public QDoubleSpinBox {
    Q_OBJECT
public:
    explicit TNumberEditor(QWidget *parent);

    // The text as the user typed it: on Enter the spin box puts its last
    // valid value back before the edit is committed, and text that is no
    // number must reach the commit to be refused with a reason.
    QString TypedText() const;

    QValidator::State validate(QString &input, int &position) const override;
    double valueFromText(const QString &text) const override;
    QString textFromValue(double value) const override;
    void fixup(QString &input) const override;

protected:
    void wheelEvent(QWheelEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool FChosen = false; // clicked into or reached with Tab
    QString FEnteredText;  // the text when Enter was pressed; empty: none
};
