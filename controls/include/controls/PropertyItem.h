// One item of the property grid: a category, text, spin, drop-down or
// check-box item. The item holds its state (caption, value, list, limits,
// enabled, hidden, expanded, read-only); the property tree only shows it.
// Program writes (SetValue and the typed setters) emit valueChanged; a user's
// edit (userSetValue, from the editor, the keyboard or a test) also emits
// userEdited, which is what the window's change rules listen to.
#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>

class TPropertyGrid;
class QTreeWidgetItem;

enum class TItemKind { Category, Text, Spin, ComboBox, CheckBox };

class TPropertyItem : public QObject {
    Q_OBJECT
    Q_PROPERTY(QString caption READ Caption WRITE SetCaption NOTIFY stateChanged)
    Q_PROPERTY(QString kind READ KindName CONSTANT)
    Q_PROPERTY(QVariant value READ Value NOTIFY valueChanged)
    Q_PROPERTY(QString text READ Text NOTIFY valueChanged)
    Q_PROPERTY(QStringList lines READ Lines NOTIFY stateChanged)
    Q_PROPERTY(bool enabled READ Enabled NOTIFY stateChanged)
    Q_PROPERTY(bool hidden READ Hidden NOTIFY stateChanged)
    Q_PROPERTY(bool expanded READ Expanded NOTIFY stateChanged)
    Q_PROPERTY(bool readOnly READ ReadOnly NOTIFY stateChanged)
    Q_PROPERTY(double minimum READ Minimum NOTIFY stateChanged)
    Q_PROPERTY(double maximum READ Maximum NOTIFY stateChanged)
    Q_PROPERTY(double step READ Step NOTIFY stateChanged)
public:
    // Created by TPropertyGrid::AddItem.
    TPropertyItem(TPropertyGrid &grid, TPropertyItem *parentItem, const QString &name, const QString &caption,
                   TItemKind kind);

    TItemKind Kind() const { return FKind; }
    QString KindName() const; // "category", "text", "spin", "combo", "check"
    QString Caption() const { return FCaption; }
    void SetCaption(const QString &caption);
    TPropertyItem *ParentItem() const { return FParentItem; }
    const QList<TPropertyItem *> &Children() const { return FChildren; }

    // Value, by kind: QString (text), double (spin), int item index, -1 for
    // none (combo), bool (check); categories hold none.
    QVariant Value() const { return FValue; }
    // The shown text: the text, the spin's number (shortest form that keeps
    // every digit, the locale's separator), the chosen line (empty for index
    // -1 or an index outside the list), "true"/"false".
    QString Text() const;
    // Program write: kept as given (limits bind the user's edits only; a
    // combo index outside the list is kept and shows no line).
    void SetValue(const QVariant &value);
    // Typed access.
    bool Checked() const { return FValue.toBool(); }
    void SetChecked(bool checked) { SetValue(checked); }
    double AsFloat() const { return FValue.toDouble(); }
    int AsInteger() const;
    void SetFloat(double value) { SetValue(value); }
    void SetInteger(int value) { SetValue(double(value)); }
    QString AsString() const { return FKind == TItemKind::Text ? FValue.toString() : Text(); }
    void SetString(const QString &text) { SetValue(text); }
    int ItemIndex() const { return FKind == TItemKind::ComboBox ? FValue.toInt() : -1; }
    void SetItemIndex(int index) { SetValue(index); }

    QStringList Lines() const { return FLines; }
    void SetLines(const QStringList &lines); // keeps the index (which may then show no line)

    bool Enabled() const { return FEnabled; }
    void SetEnabled(bool enabled);
    bool Hidden() const { return FHidden; }
    void SetHidden(bool hidden);
    bool Expanded() const { return FExpanded; }
    void SetExpanded(bool expanded);
    // Expands or collapses this item and every item below it.
    void SetExpandedAll(bool expanded);
    bool ReadOnly() const { return FReadOnly; }
    void SetReadOnly(bool readOnly);
    double Minimum() const { return FMinimum; }
    double Maximum() const { return FMaximum; }
    double Step() const { return FStep; }
    void SetLimits(double minimum, double maximum, double step);
    // Decimals a spin editor offers (0 for whole numbers).
    int Decimals() const { return FDecimals; }
    void SetDecimals(int decimals);

    // The user's edit: refused (false, nothing changes) when the item is a
    // category, disabled, read-only, or the value is of the wrong kind or
    // outside the limits (spin) or the list (combo); text of a spin is read
    // with "." or ",". Emits valueChanged (when the value differs) and then
    // userEdited.
    Q_INVOKABLE bool userSetValue(const QVariant &value);
    // As the user does with a drop-down: open it (dropDownOpening, so that a
    // list filled on opening is filled), pick line index (userSetValue), close
    // it (dropDownClosed). False when the item is no enabled, writable combo.
    Q_INVOKABLE bool choose(int index);

    QTreeWidgetItem *TreeItem() const { return FTreeItem; }

signals:
    void valueChanged(const QVariant &value);
    void userEdited();
    void stateChanged();
    void dropDownOpening();
    void dropDownClosed();

private:
    TPropertyGrid *FGrid;
    TPropertyItem *FParentItem;
    QList<TPropertyItem *> FChildren;
    QTreeWidgetItem *FTreeItem;
    TItemKind FKind;
    QString FCaption;
    QVariant FValue;
    QStringList FLines;
    bool FEnabled = true, FHidden = false, FExpanded = true, FReadOnly = false;
    double FMinimum = 0, FMaximum = 0, FStep = 1; // minimum == maximum: no limits
    int FDecimals = 0;
};
