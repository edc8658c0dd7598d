// The 2D data presenter's table, inspector page and table pop-up actions on
// the bundled examples.
#include "Data2DFixture.h"

#include "survey/Measurements.h"

#include <QTest>

#include <fstream>

class TData2DPresenterTest : public QObject {
    Q_OBJECT
private slots:
    void init() { F = std::make_unique<TData2DFixture>(); }
    void cleanup() { F.reset(); }
    void TableShowsEveryMeasurement();
    void ElectrodeNumbersWhenCoordinatesAreOff();
    void InspectorShowsTheDataSet();
    void ChargeabilityIsOfferedOnlyForIPData();
    void VisibleDiagramSwitchesItems_data();
    void VisibleDiagramSwitchesItems();
    void DisabledLogScaleReadsAsFalse();
    void VoltageFilterDropsPointsAndExportLines();
    void UncheckSelectedRemovesThosePoints();
    void UncheckInSortedTableHitsTheNumberedMeasurement();
    void AppendingARollAlongSpreadShowsAllRows();
    void SaveRefreshesTheTable();

private:
    std::unique_ptr<TData2DFixture> F;
};

void TData2DPresenterTest::TableShowsEveryMeasurement()
{
    TnData2D *document = F->Open("wenner.d2d");
    QVERIFY(document);
    const TMeasurements2D &list = document->Measurements();
    TGridModel &model = F->Model();
    QCOMPARE(model.rowCount(), 162);
    QCOMPARE(model.columnCount(), 13);
    const QStringList captions{"#",     "Used",  "Filt",  "Pseudodepth [m]", "A [m]",  "M [m]", "N [m]",
                               "B [m]", "Rho [Ohm*m]", "C [ms]", "U [mV]", "I [mA]", "Q [%]"};
    for (int c = 0; c < captions.size(); ++c) QCOMPARE(model.headerData(c, Qt::Horizontal).toString(), captions[c]);
    QVERIFY(F->Table.isColumnHidden(TGUIData2D::ColumnFilter));
    for (int row : {0, 57, 161}) {
        const auto cell = [&](int column, int role = Qt::DisplayRole) { return model.data(model.index(row, column), role); };
        QCOMPARE(cell(0).toString(), QString::number(list.Number[row]));
        QCOMPARE(cell(1, Qt::CheckStateRole).toInt(), int(Qt::Checked));
        QCOMPARE(cell(3, Qt::EditRole).toDouble(), list.PseudoDepth(row));
        QCOMPARE(cell(4, Qt::EditRole).toDouble(), list.ElectrodeA(row));
        QCOMPARE(cell(7, Qt::EditRole).toDouble(), list.ElectrodeB(row));
        QCOMPARE(cell(8).toString(), QString::number(list.ShownResistivity(row), 'f', 2));
        QCOMPARE(cell(9).toString(), QString::number(list.ShownChargeability(row), 'f', 3));
        QCOMPARE(cell(10).toString(), QString::number(list.VoltageMV(row), 'g', 15));
        QCOMPARE(cell(11, Qt::EditRole).toDouble(), list.CurrentMA(row));
        QCOMPARE(cell(12, Qt::EditRole).toDouble(), list.QualityPercent(row));
    }
    // Pseudo-depths are not whole metres: shown to the millimetre.
    QCOMPARE(model.data(model.index(0, 3)).toString(), QString::number(list.PseudoDepth(0), 'f', 3).remove(QRegularExpression("0+$")));
    // "C [ms]" sorts by value.
    QCOMPARE(model.Columns()[TGUIData2D::ColumnChargeability].Sort, TSortKind::Numeric);
}

void TData2DPresenterTest::ElectrodeNumbersWhenCoordinatesAreOff()
{
    TnData2D *document = F->Open("wenner.d2d");
    const double depth = F->Model().Number(TGUIData2D::ColumnPseudoDepth, 40);
    const double firstX = F->ChartParts.Series_Points->X(0);
    QVERIFY(F->Page.NxCheckBoxItem_ElCoordMode->userSetValue(false));
    document->Update();
    QCOMPARE(F->Model().headerData(4, Qt::Horizontal).toString(), QString("A [#]"));
    QCOMPARE(F->Model().headerData(7, Qt::Horizontal).toString(), QString("B [#]"));
    const TMeasurements2D &list = document->Measurements();
    QCOMPARE(F->Model().Number(TGUIData2D::ColumnA, 40), double(list.A[40]));
    QCOMPARE(F->Model().Number(TGUIData2D::ColumnB, 40), double(list.B[40]));
    QCOMPARE(F->Model().Number(TGUIData2D::ColumnPseudoDepth, 40), depth);
    QCOMPARE(F->ChartParts.Series_Points->X(0), firstX);
}

void TData2DPresenterTest::InspectorShowsTheDataSet()
{
    TnData2D *document = F->Open("wenner.d2d");
    const TData2DPage &page = F->Page;
    QCOMPARE(page.NxTextItem_d2d_DispFileName->Text(), QString("wenner.d2d"));
    QCOMPARE(page.NxSpinItem_Data2D_Count->AsInteger(), 162);
    QCOMPARE(page.NxComboBoxItem_Data2D_ArrayType->Text(), QString("Wenner"));
    QCOMPARE(page.NxSpinItem_Data2D_Spacing->AsFloat(), 5.0);
    QVERIFY(page.NxTextItem_Data2D_Title->ReadOnly());
    QCOMPARE(page.NxComboBoxItem_d2d_VisibleDiagrams->ItemIndex(), 0);
    QCOMPARE(page.NxComboBoxItem_D2D_ApproximationType->Text(), QString("Inverse Distance"));
    QVERIFY(!page.NxSpinItem_ApproximationRadius->Hidden());
    QCOMPARE(page.NxSpinItem_ApproximationRadius->AsFloat(), 5.0);
    QCOMPARE(page.NxSpinItem_D2D_Q->AsInteger(), 2);
    QCOMPARE(page.NxSpinItem_D2D_MaxStack->AsInteger(), 6);
    QCOMPARE(page.NxComboBoxItem_D2D_InducedPolarization->Text(), QString("disabled"));
    QCOMPARE(page.NxComboBoxItem_D2D_TxPower->Text(), QString("100"));
    QVERIFY(page.NxCheckBoxItem_ElCoordMode->Checked());
    QVERIFY(F->PresenterHost.UpdatesEnabled());

    // Filters and chart details go back into the document.
    QVERIFY(page.NxCheckBoxItem_ApplySAFilter->userSetValue(true));
    QVERIFY(page.NxSpinItem_SAWindowWidth->userSetValue(7));
    QVERIFY(page.NxComboBoxItem_D2D_ApproximationType->choose(0));
    document->Update();
    QVERIFY(document->ArrayDetails().FilterDetails.SlidingAverage);
    QCOMPARE(document->ArrayDetails().FilterDetails.WindowWidth, 7);
    QCOMPARE(F->Presenter(*document).ChartDetails().ApproximationType, 0);
    QVERIFY(page.NxSpinItem_ApproximationRadius->Hidden());
}

void TData2DPresenterTest::ChargeabilityIsOfferedOnlyForIPData()
{
    TnData2D *wenner = F->Open("wenner.d2d");
    const TData2DPage &page = F->Page;
    QCOMPARE(page.NxComboBoxItem_d2d_ValuesToShow->Lines(), QStringList{"Resistivity"});
    for (TPropertyItem *item : {page.NxCheckBoxItem_d2d_ShowC, page.NxCheckBoxItem_d2d_ChargeAbilityFilter})
        QVERIFY(!item->Checked() && !item->Enabled());

    TnData2D *ip = F->Open("dipole-dipole-ip.d2d");
    QVERIFY(ip);
    QCOMPARE(page.NxComboBoxItem_d2d_ValuesToShow->Lines(), (QStringList{"Resistivity", "Chargeability"}));
    for (TPropertyItem *item : {page.NxCheckBoxItem_d2d_ShowC, page.NxCheckBoxItem_d2d_ChargeAbilityFilter})
        QVERIFY(item->Checked() && item->Enabled());
    // Showing chargeability retitles the sounding curves; C stays checked after every update.
    QVERIFY(page.NxComboBoxItem_d2d_ValuesToShow->choose(1));
    QVERIFY(page.NxComboBoxItem_d2d_VisibleDiagrams->choose(1));
    QVERIFY(page.NxCheckBoxItem_d2d_ShowC->userSetValue(false));
    ip->Update();
    QVERIFY(page.NxCheckBoxItem_d2d_ShowC->Checked());
    QCOMPARE(F->Chart.AxisTitle(TAxisId::Left), QString("C [ms]"));
    const TMeasurements2D &list = ip->Measurements();
    QCOMPARE(F->ChartParts.Series_d2d_Curves->Y(3), list.ShownChargeability(3));
    (void)wenner;
}

void TData2DPresenterTest::VisibleDiagramSwitchesItems_data()
{
    QTest::addColumn<int>("diagram");
    QTest::addColumn<bool>("approximation");
    QTest::addColumn<bool>("logScales");
    QTest::addColumn<bool>("signalItems");
    QTest::newRow("pseudo-section") << 0 << true << false << false;
    QTest::newRow("sounding curves") << 1 << false << true << false;
    QTest::newRow("profile curves") << 2 << false << false << false;
    QTest::newRow("signal diagrams") << 3 << false << true << true;
}

void TData2DPresenterTest::VisibleDiagramSwitchesItems()
{
    QFETCH(int, diagram);
    QFETCH(bool, approximation);
    QFETCH(bool, logScales);
    QFETCH(bool, signalItems);
    TnData2D *document = F->Open("wenner.d2d");
    const TData2DPage &page = F->Page;
    QVERIFY(page.NxComboBoxItem_d2d_VisibleDiagrams->choose(diagram));
    document->Update();
    QCOMPARE(page.NxComboBoxItem_D2D_ApproximationType->Enabled(), approximation);
    QCOMPARE(page.NxCheckBoxItem_d2d_XLogScale->Enabled(), logScales);
    QCOMPARE(page.NxCheckBoxItem_d2d_YLogScale->Enabled(), logScales);
    QCOMPARE(page.NxTextItem_d2d_DiagramsToShow->Enabled(), signalItems);
    QCOMPARE(page.NxTextItem_d2d_DiagramsToShow->Expanded(), signalItems);
    QCOMPARE(page.NxCheckBoxItem_d2d_ShowRho->Enabled(), signalItems);
    QVERIFY(!page.NxCheckBoxItem_d2d_ShowR->Enabled());
    for (TPropertyItem *item : {page.NxCheckBoxItem_d2d_ShowU, page.NxCheckBoxItem_d2d_ShowI, page.NxCheckBoxItem_d2d_ShowQ})
        QCOMPARE(item->Enabled(), signalItems);
    QVERIFY(F->PresenterHost.UpdatesEnabled());
    // The empty fifth line changes no item.
    QVERIFY(page.NxComboBoxItem_d2d_VisibleDiagrams->choose(4));
    document->Update();
    QCOMPARE(page.NxCheckBoxItem_d2d_XLogScale->Enabled(), logScales);
    QCOMPARE(page.NxTextItem_d2d_DiagramsToShow->Expanded(), signalItems);
}

void TData2DPresenterTest::DisabledLogScaleReadsAsFalse()
{
    TnData2D *document = F->Open("wenner.d2d");
    TGUIData2D &presenter = F->Presenter(*document);
    QVERIFY(F->Page.NxComboBoxItem_d2d_VisibleDiagrams->choose(1));
    document->Update();
    QVERIFY(F->Page.NxCheckBoxItem_d2d_XLogScale->userSetValue(true));
    document->Update();
    QVERIFY(presenter.ChartDetails().XLogScale);
    QVERIFY(F->Page.NxComboBoxItem_d2d_VisibleDiagrams->choose(0));
    document->Update(); // reads the item while it is still enabled
    document->Update(); // now disabled: reads as false
    QVERIFY(F->Page.NxCheckBoxItem_d2d_XLogScale->Checked());
    QVERIFY(!presenter.ChartDetails().XLogScale);
}

void TData2DPresenterTest::VoltageFilterDropsPointsAndExportLines()
{
    TnData2D *document = F->Open("wenner.d2d");
    const TMeasurements2D &list = document->Measurements();
    const double limit = 20.0;
    int below = 0;
    for (uint32_t i = 0; i < list.Count; ++i) below += list.VoltageMV(i) < limit ? 1 : 0;
    QVERIFY(below > 0 && below < 162);
    QVERIFY(F->Page.NxCheckBoxItem_VoltageFilter->userSetValue(true));
    QVERIFY(F->Page.NxSpinItem_VoltageMinValue->userSetValue(limit));
    document->Update();
    QCOMPARE(F->ChartParts.Series_Points->Count(), 162 - below);
    for (uint32_t i = 0; i < list.Count; ++i) {
        QCOMPARE(F->Model().Checked(TGUIData2D::ColumnFilter, int(i)), list.VoltageMV(i) >= limit);
        QVERIFY(F->Model().Checked(TGUIData2D::ColumnUsed, int(i)));
    }
    const std::string csv = QFile::encodeName(F->Folder.filePath("out.csv")).toStdString();
    QVERIFY(document->Export(csv, ExportFilterCsv2D));
    std::ifstream in(csv);
    int lines = 0;
    for (std::string line; std::getline(in, line);) lines += line.empty() ? 0 : 1;
    QCOMPARE(lines - 1, 162 - below); // one header line
}

void TData2DPresenterTest::UncheckSelectedRemovesThosePoints()
{
    TnData2D *document = F->Open("wenner.d2d");
    TGUIData2D &presenter = F->Presenter(*document);
    presenter.SetUsedChecks({3, 4, 100}, false);
    presenter.ReadTable();
    QCOMPARE(F->ChartParts.Series_Points->Count(), 159);
    const QStringList labels = F->ChartParts.Series_Points->PointLabels();
    for (const char *gone : {"4", "5", "101"}) QVERIFY(!labels.contains(gone));
    QVERIFY(!document->Measurements().IsShown(100));
    QVERIFY(F->Table.updatesEnabled());
    presenter.SetUsedChecks({4}, true);
    presenter.ReadTable();
    QCOMPARE(F->ChartParts.Series_Points->Count(), 160);
}

void TData2DPresenterTest::UncheckInSortedTableHitsTheNumberedMeasurement()
{
    TnData2D *document = F->Open("wenner.d2d");
    TGUIData2D &presenter = F->Presenter(*document);
    F->Table.SortByColumn(TGUIData2D::ColumnResistivity, Qt::DescendingOrder);
    presenter.TableSorted(TGUIData2D::ColumnResistivity);
    QVERIFY(TGUIData2D::SortMovesToFirstRow(TGUIData2D::ColumnResistivity));
    QVERIFY(!TGUIData2D::SortMovesToFirstRow(TGUIData2D::ColumnA));
    QAbstractItemModel *shown = F->Table.model();
    const int number = shown->data(shown->index(0, TGUIData2D::ColumnNumber)).toInt();
    QVERIFY(shown->setData(shown->index(0, TGUIData2D::ColumnUsed), Qt::Unchecked, Qt::CheckStateRole));
    presenter.ReadTable();
    const TMeasurements2D &list = document->Measurements();
    QVERIFY(!list.IsShown(uint32_t(number - 1)));
    QCOMPARE(list.ShownCount(), 161u);
    QVERIFY(!F->ChartParts.Series_Points->PointLabels().contains(QString::number(number)));
    // The highest resistivity is at the top before and after the refill.
    document->Presenter().Refresh();
    QCOMPARE(F->Table.SortColumn(), int(TGUIData2D::ColumnResistivity));
    QCOMPARE(shown->data(shown->index(0, TGUIData2D::ColumnNumber)).toInt(), number);
}

void TData2DPresenterTest::AppendingARollAlongSpreadShowsAllRows()
{
    TnData2D *document = F->Open("wenner.d2d");
    const QString roll = F->Folder.filePath("wenner-roll.d2d");
    QFile::copy(QStringLiteral(VESK_EXAMPLES_DIR "/wenner-roll.d2d"), roll);
    QVERIFY(document->AppendFile(QFile::encodeName(roll).toStdString()));
    QCOMPARE(F->Model().rowCount(), 258);
    const TMeasurements2D &list = document->Measurements();
    int merged = 0;
    for (uint32_t i = 0; i < list.Count; ++i) {
        const Qt::ItemFlags flags = F->Model().flags(F->Model().index(int(i), TGUIData2D::ColumnUsed));
        QCOMPARE(bool(flags & Qt::ItemIsUserCheckable), list.NotMergedFlag(i));
        merged += list.NotMergedFlag(i) ? 0 : 1;
    }
    QCOMPARE(F->ChartParts.Series_Points->Count(), 258 - merged);
    // A merged measurement keeps its own status whatever its unchecked box says.
    if (merged > 0) {
        uint32_t i = 0;
        while (list.NotMergedFlag(i)) ++i;
        const uint8_t before = list.Used[i];
        F->Presenter(*document).ReadTable();
        QCOMPARE(list.Used[i], before);
    }
}

void TData2DPresenterTest::SaveRefreshesTheTable()
{
    TnData2D *document = F->Open("wenner.d2d");
    QVERIFY(F->Page.NxCheckBoxItem_VoltageFilter->userSetValue(true));
    QVERIFY(F->Page.NxSpinItem_VoltageMinValue->userSetValue(20.0));
    document->Update();
    const int drawn = F->ChartParts.Series_Points->Count();
    QVERIFY(document->SaveToFile(QFile::encodeName(F->Folder.filePath("saved.d2d")).toStdString()));
    int used = 0;
    for (int row = 0; row < 162; ++row) used += F->Model().Checked(TGUIData2D::ColumnUsed, row) ? 1 : 0;
    QCOMPARE(used, drawn);
    // Switching the filter off no longer brings the saved-away rows back.
    QVERIFY(F->Page.NxCheckBoxItem_VoltageFilter->userSetValue(false));
    F->Presenter(*document).ReadTable();
    document->Update();
    QCOMPARE(F->ChartParts.Series_Points->Count(), drawn);
}

QTEST_MAIN(TData2DPresenterTest)
#include "Data2DPresenterTest.moc"
