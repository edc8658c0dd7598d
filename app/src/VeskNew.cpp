#include "VeskNew.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TForm_VeskNew::TForm_VeskNew(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm_VeskNew"));
    setWindowTitle(QStringLiteral("Create New Sequence "));
    setModal(true);

    FBlank2D = new QRadioButton(QStringLiteral("Blank 2D"), this);
    FBlank2D->setObjectName(QStringLiteral("RadioButton_Blank2D"));
    FBlank2D->setChecked(true);
    FBlank1D = new QRadioButton(QStringLiteral("Blank 1D"), this);
    FBlank1D->setObjectName(QStringLiteral("RadioButton_Blank1D"));

    auto *buttons = new QDialogButtonBox(this);
    QPushButton *ok = buttons->addButton(QStringLiteral("Ok"), QDialogButtonBox::AcceptRole);
    ok->setObjectName(QStringLiteral("Button_Ok"));
    ok->setDefault(true);
    QPushButton *cancel = buttons->addButton(QStringLiteral("Cancel"), QDialogButtonBox::RejectRole);
    cancel->setObjectName(QStringLiteral("Button_Cancel"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addWidget(FBlank2D);
    layout->addWidget(FBlank1D);
    layout->addWidget(buttons);
    setMinimumSize(177, 101);
}

bool TForm_VeskNew::Blank2DChecked() const
{
    return FBlank2D->isChecked();
}

bool TForm_VeskNew::Blank1DChecked() const
{
    return FBlank1D->isChecked();
}
