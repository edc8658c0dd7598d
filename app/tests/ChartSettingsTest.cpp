// The pseudo-section's colour scale and the chart settings through the
// window: the titled legend, palette, scale, limits and mask items changing
// the map, the sounding charts answering the pointer, and the settings kept
// from one start to the next.
#include "WindowFixture.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/ColorGridSeries.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include "documents/DataDocuments.h"
#include "presentation/PseudoSectionMap.h"
#include "presentation/VeskColors.h"

#include <QLabel>
#include <QMouseEvent>

class TChartSettingsTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm_VeskMain> FWindow;

    TPropertyItem *Item(const char *page, const char *name) const { return PageItem(*FWindow, page, name); }
    TPropertyItem *Data2D(const char *name) const { return Item("NextInspector_Data2D", name); }
    TChart *Chart(const char *name) const { return FWindow->findChild<TChart *>(QString::fromLatin1(name)); }
    const TColorGridSeries &Map() const { return *Chart("Chart_d2d")->ColorGrids().constFirst(); }
    QString Status() const { return FWindow->findChild<QLabel *>(QStringLiteral("StatusBar_Panel"))->text(); }
    void Open(const QString &name, int kind)
    {
        FWindow->Dialogs().SetNextFileName(ExampleFile(name), kind);
        FWindow->findChild<QAction *>(QStringLiteral("Action_Open"))->trigger();
    }
    static QVariantList Colours(const TColorGridSeries &map) { return map.CellColorValues(); }

private slots:
    void init()
    {
        FWindow = NewTestWindow(QSize(1200, 900));
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    }
    void cleanup() { FWindow.reset(); }

    void TheLegendNamesTheQuantityAndTheNewItemsStartAtToday()
    {
        Open(QStringLiteral("wenner.d2d"), 4);
        TChart *chart = Chart("Chart_d2d");
        QCOMPARE(chart->LegendTitle(), QStringLiteral("Rho [Ohm*m]"));
        chart->replot();
        QCOMPARE(chart->legend->itemCount(), Map().PaletteCount() + 1);
        // The new items stand last in "Chart Details", at the defaults.
        const struct {
            const char *Name;
            QVariant Value;
        } defaults[] = {{"NxComboBoxItem_d2d_Palette", 0},
                        {"NxComboBoxItem_d2d_ColourScale", 0},
                        {"NxComboBoxItem_d2d_Limits", 0},
                        {"NxCheckBoxItem_d2d_MaskToData", false}};
        for (const auto &d : defaults) {
            TPropertyItem *item = Data2D(d.Name);
            QVERIFY2(item != nullptr, d.Name);
            QCOMPARE(item->Value(), d.Value);
            QVERIFY2(item->Enabled() && !item->Hidden(), d.Name);
        }
        QVERIFY(Data2D("NxSpinItem_d2d_LimitMinimum")->Hidden());
        QVERIFY(Data2D("NxSpinItem_d2d_LimitMaximum")->Hidden());
        // The map is the one the builder computes with the default settings.
        auto *data = dynamic_cast<TnData2D *>(FWindow->SelectedDocument());
        const TPseudoSectionMap map =
            ComputeMap(CollectMapPoints(data->Measurements()), {1, 5.0, data->ArrayDetails().UnitSpacingMetres()});
        QCOMPARE(Colours(Map()).size(), int(map.Colours.size()));
        // Cells go x index outer, depth index inner; nodes x index fastest.
        const QVariantList cells = Colours(Map());
        for (int i = 0; i < MapGridSize; ++i)
            for (int j = 0; j < MapGridSize; ++j)
                QCOMPARE(cells[i * MapGridSize + j].toUInt(), map.Colours[std::size_t(j * MapGridSize + i)]);

        // Chargeability shown: the legend says so.
        Open(QStringLiteral("dipole-dipole-ip.d2d"), 4);
        QVERIFY(Data2D("NxComboBoxItem_d2d_ValuesToShow")->choose(1));
        QCOMPARE(chart->LegendTitle(), QStringLiteral("C [ms]"));
        // Other diagrams have no palette settings to offer.
        QVERIFY(Data2D("NxComboBoxItem_d2d_VisibleDiagrams")->choose(1));
        QVERIFY(!Data2D("NxComboBoxItem_d2d_Palette")->Enabled());
        QVERIFY(!Data2D("NxCheckBoxItem_d2d_MaskToData")->Enabled());
    }

    void EachMapSettingChangesThePicture()
    {
        Open(QStringLiteral("wenner.d2d"), 4);
        const QVariantList classic = Colours(Map());
        const QVariantList classicPalette = Map().PaletteColorValues();
        // Fixed limits inside the data's range.
        const double low = Map().PaletteLevelValues()[3].toDouble(), high = Map().PaletteLevelValues()[11].toDouble();

        // Viridis: its end colours at the ends of the palette; back to the first palette, today's map.
        QVERIFY(Data2D("NxComboBoxItem_d2d_Palette")->choose(1));
        QCOMPARE(Map().PaletteColorValues().constFirst().toUInt(), uint(ColourValue(68, 1, 84)));
        QCOMPARE(Map().PaletteColorValues().constLast().toUInt(), uint(ColourValue(253, 231, 37)));
        QVERIFY(Colours(Map()) != classic);
        QVERIFY(Data2D("NxComboBoxItem_d2d_Palette")->choose(0));
        QCOMPARE(Colours(Map()), classic);

        // Linear: the palette levels step evenly.
        QVERIFY(Data2D("NxComboBoxItem_d2d_ColourScale")->choose(1));
        const QVariantList levels = Map().PaletteLevelValues();
        const double step = levels[1].toDouble() - levels[0].toDouble();
        QVERIFY(std::fabs((levels[14].toDouble() - levels[13].toDouble()) - step) < 1e-9 * levels[14].toDouble());
        QVERIFY(Colours(Map()) != classic);
        QVERIFY(Data2D("NxComboBoxItem_d2d_ColourScale")->choose(0));
        QCOMPARE(Map().PaletteColorValues(), classicPalette);

        // Fixed limits: Min and Max appear; values beyond take the end colours.
        QVERIFY(Data2D("NxComboBoxItem_d2d_Limits")->choose(2));
        TPropertyItem *minimum = Data2D("NxSpinItem_d2d_LimitMinimum"), *maximum = Data2D("NxSpinItem_d2d_LimitMaximum");
        QVERIFY(!minimum->Hidden() && !maximum->Hidden());
        QVERIFY(minimum->userSetValue(low));
        QVERIFY(maximum->userSetValue(high));
        const double shownLow = minimum->AsFloat(), shownHigh = maximum->AsFloat(); // as the spin rounds them
        QCOMPARE(Map().PaletteLevelValues().constFirst().toDouble(), shownLow);
        QCOMPARE(Map().PaletteLevelValues().constLast().toDouble(), shownHigh);
        const QVariantList values = Map().CellValueValues(), clamped = Colours(Map());
        int below = 0, above = 0;
        for (int k = 0; k < values.size(); ++k) {
            if (clamped[k].toUInt() == uint(ColourValue(255, 255, 255))) continue;
            if (values[k].toDouble() <= shownLow) {
                QCOMPARE(clamped[k].toUInt(), uint(ColourValue(0, 0, 128)));
                ++below;
            } else if (values[k].toDouble() >= shownHigh) {
                QCOMPARE(clamped[k].toUInt(), uint(ColourValue(96, 0, 96)));
                ++above;
            }
        }
        QVERIFY(below > 0 && above > 0);
        QVERIFY(Data2D("NxComboBoxItem_d2d_Limits")->choose(0));
        QVERIFY(minimum->Hidden());
        QCOMPARE(Colours(Map()), classic);

        // Mask: more white, and every cell that keeps a colour keeps today's.
        QVERIFY(Data2D("NxCheckBoxItem_d2d_MaskToData")->userSetValue(true));
        const QVariantList masked = Colours(Map());
        const uint white = ColourValue(255, 255, 255);
        int whitened = 0;
        for (int k = 0; k < masked.size(); ++k) {
            if (masked[k].toUInt() == white) whitened += classic[k].toUInt() != white;
            else QCOMPARE(masked[k], classic[k]);
        }
        QVERIFY(whitened > 0);
    }

    void TheSoundingChartsAnswerThePointer()
    {
        Open(QStringLiteral("sounding.d1d"), 3);
        auto *data = dynamic_cast<TnData1D *>(FWindow->SelectedDocument());
        QVERIFY(data != nullptr);
        TChart *chart = Chart("Chart_Data1D");
        auto *rho1 = chart->findChild<TChartSeries *>(QStringLiteral("Series_D1D_MN1"));
        QCOMPARE(rho1->Label(0), QStringLiteral("1"));
        const TMeasurements1D &list = data->Measurements();
        const QPoint first = PointPixel(chart, "Series_D1D_MN1", 0);
        SendMouse(chart, QEvent::MouseMove, first, Qt::NoButton);
        QCOMPARE(Status(), QStringLiteral("#1 AB/2: %1 MN/2: %2 Rho: %3")
                               .arg(Fixed1(list.HalfABMetres(0)), Fixed1(list.HalfMNMetres(0)),
                                    Fixed1(list.ApparentResistivity1D(0))));

        // A right click on the point switches the reading off: table and curve follow.
        const int points = rho1->Count();
        SendMouse(chart, QEvent::MouseButtonPress, first, Qt::RightButton);
        SendMouse(chart, QEvent::MouseButtonRelease, first, Qt::RightButton);
        QVERIFY(!list.IsShown(0));
        QCOMPARE(rho1->Count(), points - 1);
        const TGridModel &table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data1D"))->Model();
        QVERIFY(!table.Checked(1, 0));
        QVERIFY(table.Checked(1, 1));

        // The design chart: AB/2 and MN/2 of its points.
        Open(QStringLiteral("sounding.s1d"), 1);
        TChart *design = Chart("Chart_s1d");
        const QPoint spacing = PointPixel(design, "LineSeries1", 2);
        SendMouse(design, QEvent::MouseMove, spacing, Qt::NoButton);
        auto *series = design->findChild<TChartSeries *>(QStringLiteral("LineSeries1"));
        QCOMPARE(Status(), QStringLiteral("#3 AB/2: %1 MN/2: %2").arg(Fixed1(series->X(2)), Fixed1(series->Y(2))));
    }

    void TheStatusGoesWhenThePointerLeavesAChartOfAnotherDocument()
    {
        Open(QStringLiteral("wenner.d2d"), 4);
        TChart *chart = Chart("Chart_d2d");
        SendMouse(chart, QEvent::MouseMove, PointPixel(chart, "Series_Points", 0), Qt::NoButton);
        const QString text = Status();
        QVERIFY(text.startsWith(QStringLiteral("#1 A: ")));
        // Leaving the chart of the document the text describes keeps it.
        QEvent leave(QEvent::Leave);
        QApplication::sendEvent(chart, &leave);
        QCOMPARE(Status(), text);
        // Another document selected: leaving a chart clears it.
        Open(QStringLiteral("sounding.d1d"), 3);
        FWindow->SetStatusText(text); // as if nothing had cleared it on the switch
        QApplication::sendEvent(Chart("Chart_Data1D"), &leave);
        QCOMPARE(Status(), QString());
    }

    void SettingsSurviveARestartAndCanBeForgotten()
    {
        Open(QStringLiteral("wenner.d2d"), 4);
        QVERIFY(Data2D("NxComboBoxItem_d2d_Palette")->choose(2));
        QVERIFY(Data2D("NxComboBoxItem_d2d_ColourScale")->choose(1));
        QVERIFY(Data2D("NxComboBoxItem_d2d_Limits")->choose(1));
        QVERIFY(Data2D("NxComboBoxItem_d2d_VisibleDiagrams")->choose(1));
        QVERIFY(Data2D("NxCheckBoxItem_d2d_XLogScale")->userSetValue(true));
        Open(QStringLiteral("sounding.d1d"), 3);
        QVERIFY(Item("NextInspector_d1d", "NxCheckBoxItem_d1d_YLogScale")->userSetValue(true));

        // The next start: new documents show the kept settings.
        FWindow.reset();
        FWindow = NewTestWindow(QSize(1200, 900), true);
        Open(QStringLiteral("wenner.d2d"), 4);
        QCOMPARE(Data2D("NxComboBoxItem_d2d_VisibleDiagrams")->ItemIndex(), 1);
        QVERIFY(Data2D("NxCheckBoxItem_d2d_XLogScale")->Checked());
        QVERIFY(Chart("Chart_d2d")->AxisLogarithmic(TAxisId::Bottom));
        QVERIFY(Data2D("NxComboBoxItem_d2d_VisibleDiagrams")->choose(0));
        QCOMPARE(Data2D("NxComboBoxItem_d2d_Palette")->ItemIndex(), 2);
        QCOMPARE(Data2D("NxComboBoxItem_d2d_ColourScale")->ItemIndex(), 1);
        QCOMPARE(Data2D("NxComboBoxItem_d2d_Limits")->ItemIndex(), 1);
        QCOMPARE(Map().PaletteColorValues().constFirst().toUInt(), uint(ColourValue(32, 32, 32)));
        Open(QStringLiteral("sounding.d1d"), 3);
        QVERIFY(Item("NextInspector_d1d", "NxCheckBoxItem_d1d_YLogScale")->Checked());
        QVERIFY(!Item("NextInspector_d1d", "NxCheckBoxItem_d1d_XLogScale")->Checked());
        FWindow.reset();

        // VeskTools --reset-settings forgets them: the start after it is a first start.
        QProcess program;
        const QTemporaryDir folder;
        program.start(QStringLiteral(VESKTOOLS_BINARY),
                      {QStringLiteral("--reset-settings"), QStringLiteral("--window-picture"),
                       folder.filePath(QStringLiteral("window.png"))});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        FWindow = NewTestWindow(QSize(1200, 900), true);
        Open(QStringLiteral("wenner.d2d"), 4);
        QCOMPARE(Data2D("NxComboBoxItem_d2d_VisibleDiagrams")->ItemIndex(), 0);
        QCOMPARE(Data2D("NxComboBoxItem_d2d_Palette")->ItemIndex(), 0);
        QCOMPARE(Data2D("NxComboBoxItem_d2d_Limits")->ItemIndex(), 0);
        QVERIFY(!Data2D("NxCheckBoxItem_d2d_XLogScale")->Checked());
    }
};

QTEST_MAIN(TChartSettingsTest)
#include "ChartSettingsTest.moc"
