// The new-document dialog: "Blank 2D" or "Blank 1D"; the choice is kept
// between uses.
#pragma once

#include <QDialog>

class QRadioButton;

class TForm_VeskNew : public QDialog {
    Q_OBJECT
public:
    explicit TForm_VeskNew(QWidget *parent);

    bool Blank2DChecked() const;
    bool Blank1DChecked() const;

private:
    QRadioButton *FBlank2D;
    QRadioButton *FBlank1D;
};
