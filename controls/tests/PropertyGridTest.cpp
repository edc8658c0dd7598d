// The property grid: item properties, the user's edits against program
// writes, drop-down events in order, and the tree showing the item state.
#include "controls/PropertyGrid.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QSignalSpy>
#include <QTest>
#include <QTreeWidgetItem>

class TPropertyGridTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void ItemsCarryTheirProperties();
    void FindsItemsAndListsThemDepthFirst();
    void UserEditsAreRefused_data();
    void UserEditsAreRefused();
    void UserEditsAreAccepted();
    void ProgramWritesRaiseNoUserEdit();
    void ChooseRaisesTheDropDownEventsInOrder();
    void ComboEditorOpensAndClosesAroundTheEdit();
    void SpinEditorKeepsEveryDigitAndOutOfLimitValues();
    void TreeShowsTheItemState();

private:
    TPropertyGrid *FInspector = nullptr;
    TPropertyItem *FCategory = nullptr, *FText = nullptr, *FSpin = nullptr, *FCombo = nullptr, *FCheck = nullptr;
};

void TPropertyGridTest::init()
{
    FInspector = new TPropertyGrid("NextInspector_Test");
    FCategory = FInspector->AddItem(nullptr, "Category_General", "General", TItemKind::Category);
    FText = FInspector->AddItem(FCategory, "Title", "Title", TItemKind::Text);
    FSpin = FInspector->AddItem(FCategory, "Spacing", "Spacing, m", TItemKind::Spin);
    FSpin->SetLimits(0.1, 100, 0.5);
    FSpin->SetDecimals(1);
    FCombo = FInspector->AddItem(FCategory, "ArrayType", "Array Type", TItemKind::ComboBox);
    FCombo->SetLines({"Wenner", "Schlumberger", "Dipole"});
    FCheck = FInspector->AddItem(FCategory, "XLogScale", "Log scale", TItemKind::CheckBox);
}

void TPropertyGridTest::cleanup()
{
    delete FInspector;
    FInspector = nullptr;
}

void TPropertyGridTest::ItemsCarryTheirProperties()
{
    FSpin->SetFloat(2.5);
    FCombo->SetItemIndex(1);
    FCheck->SetChecked(true);
    QCOMPARE(FSpin->property("caption").toString(), QString("Spacing, m"));
    QCOMPARE(FSpin->property("kind").toString(), QString("spin"));
    QCOMPARE(FSpin->property("value").toDouble(), 2.5);
    QCOMPARE(FSpin->property("text").toString(), QString("2") + QLocale::system().decimalPoint() + "5");
    QCOMPARE(FSpin->property("minimum").toDouble(), 0.1);
    QCOMPARE(FSpin->property("maximum").toDouble(), 100.0);
    QCOMPARE(FSpin->property("step").toDouble(), 0.5);
    QCOMPARE(FCombo->property("kind").toString(), QString("combo"));
    QCOMPARE(FCombo->property("text").toString(), QString("Schlumberger"));
    QCOMPARE(FCombo->property("lines").toStringList().size(), 3);
    QCOMPARE(FCheck->property("text").toString(), QString("true"));
    QCOMPARE(FCategory->property("kind").toString(), QString("category"));
    // Every digit kept, no exponent: the shortest exact form.
    FSpin->SetFloat(0.1 + 0.2);
    QCOMPARE(FSpin->Text().toDouble(), 0.1 + 0.2);
    FSpin->SetFloat(1e-7);
    QCOMPARE(FSpin->Text(), QString("0") + QLocale::system().decimalPoint() + "0000001");
    // A program value outside the list shows no line.
    FCombo->SetItemIndex(8);
    QCOMPARE(FCombo->ItemIndex(), 8);
    QCOMPARE(FCombo->Text(), QString());
}

void TPropertyGridTest::FindsItemsAndListsThemDepthFirst()
{
    TPropertyItem *other = FInspector->AddItem(nullptr, "Category_Other", "Other", TItemKind::Category);
    TPropertyItem *late = FInspector->AddItem(FCategory, "Late", "Late", TItemKind::Text);
    QCOMPARE(FInspector->FindItem("ArrayType"), FCombo);
    QCOMPARE(FInspector->FindItem("Missing"), nullptr);
    QCOMPARE(FInspector->Items(), (QList<TPropertyItem *>{FCategory, FText, FSpin, FCombo, FCheck, late, other}));
    QCOMPARE(FInspector->findChild<TPropertyItem *>("Late"), late);
    QCOMPARE(FInspector->ItemAt(FSpin->TreeItem()), FSpin);
}

void TPropertyGridTest::UserEditsAreRefused_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("state");
    QTest::addColumn<QVariant>("value");
    QTest::newRow("category") << "Category_General" << "" << QVariant(1);
    QTest::newRow("disabled") << "Spacing" << "disabled" << QVariant(5.0);
    QTest::newRow("read-only") << "Spacing" << "readOnly" << QVariant(5.0);
    QTest::newRow("below the limits") << "Spacing" << "" << QVariant(0.05);
    QTest::newRow("above the limits") << "Spacing" << "" << QVariant("100,5");
    QTest::newRow("spin, no number") << "Spacing" << "" << QVariant("five");
    QTest::newRow("combo beyond the list") << "ArrayType" << "" << QVariant(3);
    QTest::newRow("combo below the list") << "ArrayType" << "" << QVariant(-1);
    QTest::newRow("check, a text") << "XLogScale" << "" << QVariant("yes");
    QTest::newRow("disabled check") << "XLogScale" << "disabled" << QVariant(true);
}

void TPropertyGridTest::UserEditsAreRefused()
{
    QFETCH(QString, name);
    QFETCH(QString, state);
    QFETCH(QVariant, value);
    TPropertyItem *item = FInspector->FindItem(name);
    item->SetEnabled(state != "disabled");
    item->SetReadOnly(state == "readOnly");
    const QVariant before = item->Value();
    QSignalSpy changed(item, &TPropertyItem::valueChanged);
    QSignalSpy edited(item, &TPropertyItem::userEdited);
    QVERIFY(!item->userSetValue(value));
    QCOMPARE(item->Value(), before);
    QCOMPARE(changed.count() + edited.count(), 0);
}

void TPropertyGridTest::UserEditsAreAccepted()
{
    QSignalSpy edited(FInspector, &TPropertyGrid::ItemEdited);
    QVERIFY(FSpin->userSetValue("2,5"));
    QCOMPARE(FSpin->AsFloat(), 2.5);
    QVERIFY(FSpin->userSetValue(100));
    QVERIFY(FText->userSetValue("Line 7"));
    QVERIFY(FCombo->userSetValue(2));
    QVERIFY(FCheck->userSetValue(true));
    QCOMPARE(edited.count(), 5);
    QCOMPARE(edited.first().first().value<TPropertyItem *>(), FSpin);
    QCOMPARE(FText->AsString(), QString("Line 7"));
    QCOMPARE(FCombo->AsString(), QString("Dipole"));
    QVERIFY(FCheck->Checked());
}

void TPropertyGridTest::ProgramWritesRaiseNoUserEdit()
{
    QSignalSpy edited(FInspector, &TPropertyGrid::ItemEdited);
    QSignalSpy changed(FSpin, &TPropertyItem::valueChanged);
    FSpin->SetFloat(500); // beyond the limits: a program write keeps it
    FSpin->SetFloat(500);
    FText->SetString("x");
    FCombo->SetItemIndex(0);
    FCheck->SetChecked(true);
    QCOMPARE(FSpin->AsFloat(), 500.0);
    QCOMPARE(changed.count(), 1);
    QCOMPARE(edited.count(), 0);
}

void TPropertyGridTest::ChooseRaisesTheDropDownEventsInOrder()
{
    QStringList events;
    connect(FCombo, &TPropertyItem::dropDownOpening, this, [&] {
        events << "opening";
        FCombo->SetLines({"One", "Two"}); // the window fills the list as it opens
    });
    connect(FCombo, &TPropertyItem::valueChanged, this, [&] { events << "valueChanged"; });
    connect(FCombo, &TPropertyItem::userEdited, this, [&] { events << "userEdited"; });
    connect(FCombo, &TPropertyItem::dropDownClosed, this, [&] { events << "closed"; });
    QVERIFY(FCombo->choose(1));
    QCOMPARE(events, (QStringList{"opening", "valueChanged", "userEdited", "closed"}));
    QCOMPARE(FCombo->Text(), QString("Two"));
    FCombo->SetReadOnly(true);
    QVERIFY(!FCombo->choose(0));
    QVERIFY(!FSpin->choose(0));
}

void TPropertyGridTest::ComboEditorOpensAndClosesAroundTheEdit()
{
    FInspector->show();
    QVERIFY(QTest::qWaitForWindowExposed(FInspector));
    QStringList events;
    connect(FCombo, &TPropertyItem::dropDownOpening, this, [&] { events << "opening"; });
    connect(FCombo, &TPropertyItem::userEdited, this, [&] { events << "userEdited"; });
    connect(FCombo, &TPropertyItem::dropDownClosed, this, [&] { events << "closed"; });
    FInspector->setCurrentItem(FCombo->TreeItem()); // selecting the row announces the drop-down
    QCOMPARE(events, QStringList{"opening"});
    FInspector->editItem(FCombo->TreeItem(), 1);
    auto *combo = FInspector->findChild<QComboBox *>();
    QVERIFY(combo);
    QCOMPARE(combo->count(), 3);
    combo->setCurrentIndex(2);
    emit combo->activated(2);
    QCOMPARE(events, (QStringList{"opening", "opening", "userEdited", "closed"}));
    QCOMPARE(FCombo->ItemIndex(), 2);
    QCOMPARE(FCombo->TreeItem()->text(1), QString("Dipole"));
}

void TPropertyGridTest::SpinEditorKeepsEveryDigitAndOutOfLimitValues()
{
    FInspector->show();
    QVERIFY(QTest::qWaitForWindowExposed(FInspector));
    FSpin->SetFloat(250.125); // beyond the maximum and finer than one decimal
    QSignalSpy edited(FSpin, &TPropertyItem::userEdited);
    FInspector->setCurrentItem(FSpin->TreeItem(), 1);
    FInspector->editItem(FSpin->TreeItem(), 1);
    auto *spin = FInspector->findChild<QDoubleSpinBox *>();
    QVERIFY(spin);
    QCOMPARE(spin->decimals(), 3);
    QCOMPARE(spin->value(), 250.125);
    FInspector->setCurrentItem(FText->TreeItem()); // leaving the editor unchanged is no edit
    QTRY_VERIFY(!FInspector->findChild<QDoubleSpinBox *>());
    QCOMPARE(edited.count(), 0);
    QCOMPARE(FSpin->AsFloat(), 250.125);
}

void TPropertyGridTest::TreeShowsTheItemState()
{
    QSignalSpy state(FSpin, &TPropertyItem::stateChanged);
    FSpin->SetHidden(true);
    QVERIFY(FSpin->TreeItem()->isHidden());
    FSpin->SetEnabled(false);
    QVERIFY(!(FSpin->TreeItem()->flags() & Qt::ItemIsEnabled));
    FText->SetReadOnly(true);
    QVERIFY(!(FText->TreeItem()->flags() & Qt::ItemIsEditable));
    QCOMPARE(state.count(), 2);

    FCategory->SetExpandedAll(false);
    QVERIFY(!FCategory->TreeItem()->isExpanded());
    QVERIFY(!FCategory->property("expanded").toBool());
    FCategory->SetExpandedAll(true);
    QVERIFY(FCategory->TreeItem()->isExpanded());
    FInspector->collapseItem(FCategory->TreeItem()); // the user collapses it
    QVERIFY(!FCategory->Expanded());

    // The user's click on the check box is a user edit.
    QSignalSpy edited(FCheck, &TPropertyItem::userEdited);
    FCheck->TreeItem()->setCheckState(1, Qt::Checked);
    QVERIFY(FCheck->Checked());
    QCOMPARE(edited.count(), 1);
    FCheck->SetChecked(false);
    QCOMPARE(FCheck->TreeItem()->checkState(1), Qt::Unchecked);
    QCOMPARE(edited.count(), 1);
}

QTEST_MAIN(TPropertyGridTest)
#include "PropertyGridTest.moc"
