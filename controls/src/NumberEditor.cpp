#include "NumberEditor.h"

#include "NumberText.h"

#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QWheelEvent>

TNumberEditor::TNumberEditor(QWidget *parent) : QDoubleSpinBox(parent)
{
    setFocusPolicy(Qt::StrongFocus); // no focus from the wheel
    lineEdit()->installEventFilter(this);
}

QValidator::State TNumberEditor::validate(QString &input, int &) const
{
    const QString text = input.trimmed();
    if (text.isEmpty() || text == QLatin1String("-") || text == QLatin1String("+")) return QValidator::Intermediate;
    const std::optional<double> number = ParseUserNumber(text);
    if (number && *number >= minimum() && *number <= maximum()) return QValidator::Acceptable;
    // Anything else may be on its way to a number; the commit refuses what is none.
    return QValidator::Intermediate;
}

double TNumberEditor::valueFromText(const QString &text) const
{
    return ParseUserNumber(text).value_or(value());
}

QString TNumberEditor::textFromValue(double value) const
{
    QLocale shown = locale();
    shown.setNumberOptions(QLocale::OmitGroupSeparator);
    return shown.toString(value, 'f', decimals());
}

void TNumberEditor::fixup(QString &) const
{
    // Text that is no number stays for the commit to refuse with a reason.
}

void TNumberEditor::wheelEvent(QWheelEvent *event)
{
    if (FChosen && hasFocus()) {
        QDoubleSpinBox::wheelEvent(event);
        return;
    }
    event->ignore(); // goes on to the property grid, which scrolls
}

QString TNumberEditor::TypedText() const
{
    return FEnteredText.isEmpty() ? cleanText() : FEnteredText;
}

void TNumberEditor::keyPressEvent(QKeyEvent *event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    FEnteredText = enter ? cleanText() : QString();
    QDoubleSpinBox::keyPressEvent(event);
}

void TNumberEditor::mousePressEvent(QMouseEvent *event)
{
    FChosen = true; // a click on the arrows
    QDoubleSpinBox::mousePressEvent(event);
}

void TNumberEditor::focusInEvent(QFocusEvent *event)
{
    if (event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason ||
        event->reason() == Qt::MouseFocusReason)
        FChosen = true;
    QDoubleSpinBox::focusInEvent(event);
}

void TNumberEditor::focusOutEvent(QFocusEvent *event)
{
    FChosen = false;
    QDoubleSpinBox::focusOutEvent(event);
}

bool TNumberEditor::eventFilter(QObject *watched, QEvent *event)
{
    // The editor opened by a click in the grid already has the focus; a click
    // into its text is what chooses it.
    if (watched == lineEdit() && event->type() == QEvent::MouseButtonPress) FChosen = true;
    return QDoubleSpinBox::eventFilter(watched, event);
}
