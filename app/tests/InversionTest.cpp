// The Data menu's Invert command on the real window: where it sits, when it
// applies, the fit and model on the 1D chart, the section inversion of 2D data
// in its worker thread with progress and Cancel, the model section and misfit
// diagrams, the info panel, and the model going when the data change.
#include "WindowFixture.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/GridView.h"
#include "controls/ColorGridSeries.h"
#include "controls/PropertyGrid.h"
#include "presentation/ChartDetails.h"
#include "presentation/GUIData2D.h"
#include "presentation/SectionInversionRun.h"
#include "documents/VeskObjects.h"
#include "presentation/PseudoSectionMap.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QProgressBar>
#include <QPushButton>
#include <QToolBar>

class TInversionTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm_VeskMain> FWindow;

    QAction *Invert() const { return FWindow->findChild<QAction *>(QStringLiteral("Action_Invert")); }
    QString Label(const char *name) const { return FWindow->findChild<QLabel *>(QString::fromLatin1(name))->text(); }
    TChartSeries *Series(const char *name) const
    {
        return FWindow->findChild<TChart *>(QStringLiteral("Chart_Data1D"))->findChild<TChartSeries *>(QString::fromLatin1(name));
    }
    TPropertyItem *Item(const char *name) const
    {
        return FWindow->findChild<TPropertyGrid *>(QStringLiteral("NextInspector_d1d"))
            ->findChild<TPropertyItem *>(QString::fromLatin1(name));
    }
    void Open(const char *name) { FWindow->OpenFiles({ExampleFile(QString::fromLatin1(name))}); }

    // 2D data: the section inversion in its worker thread, kept short (one
    // iteration of the smallest example) for the sanitized test run.
    TPropertyItem *Data2D(const char *name) const { return PageItem(*FWindow, "NextInspector_Data2D", name); }
    TColorGridSeries *Grid() const
    {
        return FWindow->findChild<TChart *>(QStringLiteral("Chart_d2d"))->findChild<TColorGridSeries *>(QStringLiteral("Series_2D"));
    }
    TChartSeries *Series2D(const char *name) const
    {
        return FWindow->findChild<TChart *>(QStringLiteral("Chart_d2d"))->findChild<TChartSeries *>(QString::fromLatin1(name));
    }
    QProgressBar *Progress() const { return FWindow->findChild<QProgressBar *>(QStringLiteral("NxInvertProgress")); }
    QPushButton *CancelButton() const { return FWindow->findChild<QPushButton *>(QStringLiteral("NxInvertCancel")); }
    void OpenSection()
    {
        Open("dipole-dipole-ip.d2d");
        QVERIFY(Data2D("NxSpinItem_d2d_MaxIterations")->userSetValue(1));
    }
    // Longest wait for an inversion to end (the bar goes).
    static constexpr int InversionTimeout = 300000;


private slots:
    void init() { FWindow = NewTestWindow(QSize(1200, 800)); }
    void cleanup() { FWindow.reset(); }

    void DataMenuSitsBetweenEditAndAbout()
    {
        QStringList menus;
        for (QAction *a : FWindow->menuBar()->actions()) menus.append(a->text());
        QCOMPARE(menus, QStringList({"File", "Edit", "Data", "About"}));
        QAction *invert = Invert();
        QVERIFY(invert);
        QCOMPARE(invert->text(), QStringLiteral("Invert"));
        QCOMPARE(invert->shortcut(), QKeySequence(QStringLiteral("Ctrl+I")));
        QVERIFY(FWindow->findChild<QMenu *>(QStringLiteral("Menu_Data"))->actions().contains(invert));
        QVERIFY(FWindow->findChild<QToolBar *>(QStringLiteral("ToolBar1"))->actions().contains(invert));
        // For 1D and 2D data only.
        QVERIFY(!invert->isEnabled());
        const struct {
            const char *file;
            bool enabled;
        } cases[] = {{"sounding.d1d", true}, {"wenner.d2d", true}, {"sounding.s1d", false}, {"series.d0d", false}};
        for (const auto &c : cases) {
            Open(c.file);
            QVERIFY2(invert->isEnabled() == c.enabled, c.file);
        }
    }

    void InvertShowsTheFitTheModelAndItsTable()
    {
        Open("sounding.d1d");
        QVERIFY(!Series("Series_d1d_Fit")->Active());
        QVERIFY(Label("NxInfoPanel_Model").isEmpty());
        QCOMPARE(Item("NxComboBoxItem_d1d_InversionMode")->Lines(), QStringList({"Layers", "Smooth"}));
        QCOMPARE(Item("NxSpinItem_d1d_InversionLayers")->AsInteger(), 3);
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QVERIFY(FWindow->findChild<QWidget *>(QStringLiteral("NxInfoPanel_Model"))->isVisible());
        QVERIFY2(Label("NxInfoPanel_MeasureCount").startsWith(QStringLiteral("RMS: ")),
                 qPrintable(Label("NxInfoPanel_MeasureCount")));
        QVERIFY(Label("NxInfoPanel_MeasureCount").contains(QStringLiteral("chi-squared")));
        QCOMPARE(Label("NxInfoPanel_Duration").left(16), QStringLiteral("Model: 3 layers,"));
        QCOMPARE(Label("NxInfoPanel_Model").count(QStringLiteral("<tr>")), 4); // caption and three layers
        QVERIFY(Label("StatusBar_Panel").startsWith(QStringLiteral("Inverted: 3 layers")));
        TChartSeries *fit = Series("Series_d1d_Fit");
        TChartSeries *model = Series("Series_d1d_Model");
        QVERIFY(fit->Active() && model->Active());
        QCOMPARE(fit->Count(), 14);
        QCOMPARE(model->Count(), 6); // two corners per layer
        // The top layer of the example's site: 120 Ohm*m.
        QVERIFY(std::abs(model->Y(0) / 120.0 - 1.0) < 0.05);

        // A Used tick changes the data: the model goes.
        auto *table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data1D"));
        QVERIFY(table->model()->setData(table->model()->index(2, 1), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(!fit->Active() && !model->Active());
        QVERIFY(Label("NxInfoPanel_Model").isEmpty());
        QVERIFY(Label("NxInfoPanel_Duration").startsWith(QStringLiteral("Model: none")));
        // And one click inverts again, now without that reading.
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QCOMPARE(Series("Series_d1d_Fit")->Count(), 13);
    }

    // Every line of the Info panel shows whole at the window's first size,
    // for both modes and before the first inversion, and a smooth model's
    // table of 30 layers can be scrolled through.
    void InfoTextsFitThePanel()
    {
        FWindow->resize(QSize(1024, 768));
        Open("sounding.d1d");
        const auto checkFits = [this](const char *when) {
            QCoreApplication::processEvents();
            for (const char *name : {"NxInfoPanel_MeasureCount", "NxInfoPanel_Duration"}) {
                auto *label = FWindow->findChild<QLabel *>(QString::fromLatin1(name));
                QVERIFY2(label->sizeHint().width() <= label->width(),
                         qPrintable(QStringLiteral("%1, %2: \"%3\" needs %4 of %5 pixels")
                                        .arg(QString::fromLatin1(when), QString::fromLatin1(name), label->text())
                                        .arg(label->sizeHint().width())
                                        .arg(label->width())));
            }
            auto *model = FWindow->findChild<QLabel *>(QStringLiteral("NxInfoPanel_Model"));
            QVERIFY2(model->minimumSizeHint().width() <= model->width(), when);
            // Every row of the model table can be reached (the panel scrolls).
            QVERIFY2(model->height() >= model->heightForWidth(model->width()), when);
        };
        checkFits("before inverting");
        const struct {
            int mode;
            const char *name;
        } modes[] = {{0, "layers"}, {1, "smooth"}};
        for (const auto &m : modes) {
            Item("NxComboBoxItem_d1d_InversionMode")->SetItemIndex(m.mode);
            TRIGGER_ACTION(FWindow, "Action_Invert");
            checkFits(m.name);
        }
    }

    void SmoothModeFromThePage()
    {
        Open("sounding.d1d");
        Item("NxComboBoxItem_d1d_InversionMode")->SetItemIndex(1);
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QVERIFY(Label("NxInfoPanel_Duration").startsWith(QStringLiteral("Model: 30 layers (smooth)")));
        QCOMPARE(Series("Series_d1d_Model")->Count(), 60);
    }

    void SectionPageOffersTheInversionSettingsLast()
    {
        Open("wenner.d2d");
        auto *grid = FWindow->findChild<TPropertyGrid *>(QStringLiteral("NextInspector_Data2D"));
        QVERIFY(grid);
        const TPropertyItem *category = Data2D("NxTextItem_d2d_Inversion");
        QVERIFY(category);
        QCOMPARE(category->Caption(), QStringLiteral("Inversion"));
        QCOMPARE(Data2D("NxSpinItem_d2d_HorizontalSmoothing")->AsFloat(), 1.0);
        QCOMPARE(Data2D("NxSpinItem_d2d_VerticalSmoothing")->AsFloat(), 1.0);
        QVERIFY(!Data2D("NxCheckBoxItem_d2d_RobustWeighting")->Checked());
        QCOMPARE(Data2D("NxSpinItem_d2d_MaxIterations")->AsInteger(), 10);
        QCOMPARE(Data2D("NxComboBoxItem_d2d_VisibleDiagrams")->Lines().mid(4),
                 QStringList({QString(), "Model Section", "Misfit"}));
        // A changed value stays with the document while another is shown.
        QVERIFY(Data2D("NxCheckBoxItem_d2d_RobustWeighting")->userSetValue(true));
        QVERIFY(Data2D("NxSpinItem_d2d_MaxIterations")->userSetValue(4));
        Open("sounding.d1d");
        Open("wenner.d2d"); // a second document starts with the defaults
        QCOMPARE(Data2D("NxSpinItem_d2d_MaxIterations")->AsInteger(), 10);
        auto *tree = FWindow->findChild<QTreeWidget *>(QStringLiteral("ObjectTreeView"));
        tree->setCurrentItem(tree->topLevelItem(0));
        QVERIFY(Data2D("NxCheckBoxItem_d2d_RobustWeighting")->Checked());
        QCOMPARE(Data2D("NxSpinItem_d2d_MaxIterations")->AsInteger(), 4);
    }

    void SectionInversionRunsAndShowsTheModel()
    {
        OpenSection();
        QVERIFY(Label("NxInfoPanel_Duration").startsWith(QStringLiteral("Model: none")));
        QVERIFY(FWindow->findChild<QWidget *>(QStringLiteral("NxInfoPanel_Model"))->isVisible());
        TRIGGER_ACTION(FWindow, "Action_Invert");
        // The window goes on while the worker inverts.
        QVERIFY(Progress()->isVisible());
        QVERIFY(CancelButton()->isVisible());
        QCOMPARE(Progress()->maximum(), 100); // one iteration
        QVERIFY(Label("StatusBar_Panel").startsWith(QStringLiteral("Inverting 174 readings")));
        // The status follows the stages within an iteration, not only the models reached.
        QStringList texts;
        auto *presenter = dynamic_cast<TGUIData2D *>(&FWindow->SelectedDocument()->Presenter());
        QVERIFY(presenter && presenter->RunningInversion());
        connect(presenter->RunningInversion(), &TSectionInversionRun::Progress, this,
                [this, &texts] { texts << Label("StatusBar_Panel"); });
        // A second Invert meanwhile starts nothing.
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QCOMPARE(Label("StatusBar_Panel"), QStringLiteral("An inversion is running; Cancel stops it."));
        QTRY_VERIFY_WITH_TIMEOUT(!Progress()->isVisible(), InversionTimeout);
        QVERIFY(!CancelButton()->isVisible());
        const QStringList expected{QStringLiteral("Inverting: starting model, modelling "),
                                   QStringLiteral("Inverting: starting model RMS "),
                                   QStringLiteral("Inverting: iteration 1 of at most 1, solving for the step "),
                                   QStringLiteral("Inverting: iteration 1 of at most 1, modelling "),
                                   QStringLiteral("Inverting: iteration 1 of at most 1, RMS ")};
        for (const QString &start : expected)
            QVERIFY2(std::any_of(texts.begin(), texts.end(), [&](const QString &t) { return t.startsWith(start); }),
                     qPrintable(start + QStringLiteral(" missing from: ") + texts.join(QStringLiteral(" | "))));
        QVERIFY2(Label("StatusBar_Panel").startsWith(QStringLiteral("Inverted: 1 iterations, RMS ")),
                 qPrintable(Label("StatusBar_Panel")));
        QVERIFY2(Label("NxInfoPanel_Duration").endsWith(QStringLiteral(" cells,\n1 iterations")),
                 qPrintable(Label("NxInfoPanel_Duration")));
        QVERIFY(Label("NxInfoPanel_MeasureCount").startsWith(QStringLiteral("RMS: ")));
        QVERIFY(Label("NxInfoPanel_MeasureCount").contains(QStringLiteral("chi-squared: ")));
        QVERIFY(Label("NxInfoPanel_Model").startsWith(QStringLiteral("174 readings")));

        // The model section: cells in the map's colours under a titled
        // palette, depth downwards, the electrodes at the surface.
        QVERIFY(Data2D("NxComboBoxItem_d2d_VisibleDiagrams")->choose(DiagramModelSection));
        auto *chart = FWindow->findChild<TChart *>(QStringLiteral("Chart_d2d"));
        QVERIFY(Grid()->Active());
        QVERIFY(Grid()->CellCount() > 1000);
        QCOMPARE(Grid()->PaletteCount(), MapPaletteSize);
        QCOMPARE(chart->LegendTitle(), QStringLiteral("Rho [Ohm*m]"));
        QCOMPARE(chart->LegendMode(), TLegendMode::PaletteValues);
        QVERIFY(chart->AxisInverted(TAxisId::Left));
        QCOMPARE(chart->AxisTitle(TAxisId::Left), QStringLiteral("Depth [m]"));
        QVERIFY(Series2D("Series_d2d_Electrodes")->Active());
        QVERIFY(Series2D("Series_d2d_Electrodes")->Count() >= 3);
        QCOMPARE(Series2D("Series_d2d_Electrodes")->Y(0), 0.0);
        QVERIFY(!Series2D("Series_Points")->Active());
        // Colours from the cells' resistivities: more than one colour.
        const QVariantList colours = Grid()->CellColorValues();
        QVERIFY(std::any_of(colours.begin(), colours.end(), [&](const QVariant &c) { return c != colours.first(); }));

        // The misfit: one coloured point per reading, its own palette from -x to +x.
        QVERIFY(Data2D("NxComboBoxItem_d2d_VisibleDiagrams")->choose(DiagramMisfit));
        QCOMPARE(Series2D("Series_d2d_Misfit")->Count(), 174);
        QCOMPARE(Grid()->CellCount(), 0);
        QCOMPARE(Grid()->PaletteCount(), MapPaletteSize);
        QCOMPARE(Grid()->PaletteLevel(0), -Grid()->PaletteLevel(MapPaletteSize - 1));
        QCOMPARE(chart->LegendTitle(), QStringLiteral("Misfit [%]"));

        // A Used tick changes the data: the model goes.
        auto *table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data2D"));
        QVERIFY(table->model()->setData(table->model()->index(2, 1), Qt::Unchecked, Qt::CheckStateRole));
        QVERIFY(Label("NxInfoPanel_Duration").startsWith(QStringLiteral("Model: none")));
        QCOMPARE(Series2D("Series_d2d_Misfit")->Count(), 0);
        QCOMPARE(Grid()->PaletteCount(), 0);
    }

    void DataChangesClearTheModel()
    {
        Open("wenner.d2d");
        QVERIFY(Data2D("NxSpinItem_d2d_MaxIterations")->userSetValue(1));
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QTRY_VERIFY_WITH_TIMEOUT(!Progress()->isVisible(), InversionTimeout);
        QVERIFY(Label("NxInfoPanel_Duration").contains(QStringLiteral("iterations")));
        // A chart setting keeps it; an appended spread does not.
        QVERIFY(Data2D("NxComboBoxItem_d2d_Palette")->choose(1));
        QVERIFY(Label("NxInfoPanel_Duration").contains(QStringLiteral("iterations")));
        FWindow->Dialogs().SetNextFileName(ExampleFile(QStringLiteral("wenner-roll.d2d")));
        TRIGGER_ACTION(FWindow, "Action_Append");
        QVERIFY(Label("NxInfoPanel_Duration").startsWith(QStringLiteral("Model: none")));

        // Nor does a filter that drops readings.
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QTRY_VERIFY_WITH_TIMEOUT(!Progress()->isVisible(), InversionTimeout);
        QVERIFY(Label("NxInfoPanel_Duration").contains(QStringLiteral("iterations")));
        QVERIFY(Data2D("NxSpinItem_ResistivityMaxValue")->userSetValue(1e6));
        QVERIFY(Data2D("NxSpinItem_ResistivityMinValue")->userSetValue(0.0));
        QVERIFY(Data2D("NxCheckBoxItem_ResistivityFilter")->userSetValue(true));
        QVERIFY(Label("NxInfoPanel_Duration").contains(QStringLiteral("iterations")));
        QVERIFY(Data2D("NxSpinItem_ResistivityMinValue")->userSetValue(1e5));
        QTRY_VERIFY(Label("NxInfoPanel_Duration").startsWith(QStringLiteral("Model: none")));
    }

    void CancelLeavesNoModelAndTheWindowUsable()
    {
        OpenSection();
        QVERIFY(Data2D("NxSpinItem_d2d_MaxIterations")->userSetValue(20));
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QVERIFY(CancelButton()->isVisible());
        QTest::mouseClick(CancelButton(), Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(!Progress()->isVisible(), 60000);
        QCOMPARE(Label("StatusBar_Panel"), QStringLiteral("Inversion cancelled; no model."));
        QVERIFY(Label("NxInfoPanel_Duration").startsWith(QStringLiteral("Model: none")));
        QVERIFY(Data2D("NxComboBoxItem_d2d_VisibleDiagrams")->choose(DiagramModelSection));
        QCOMPARE(Grid()->CellCount(), 0);
        // The window goes on: another document opens and shows.
        Open("wenner.d2d");
        QCOMPARE(TreeTexts(*FWindow).size(), 2);
    }

    void DataChangeStopsARunningInversion()
    {
        OpenSection();
        QVERIFY(Data2D("NxSpinItem_d2d_MaxIterations")->userSetValue(20));
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QVERIFY(Progress()->isVisible());
        // Its model would be one of data that are no longer there.
        auto *table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data2D"));
        QVERIFY(table->model()->setData(table->model()->index(0, 1), Qt::Unchecked, Qt::CheckStateRole));
        QTRY_VERIFY_WITH_TIMEOUT(!Progress()->isVisible(), 60000);
        QCOMPARE(Label("StatusBar_Panel"), QStringLiteral("Inversion cancelled; no model."));
        QVERIFY(Label("NxInfoPanel_Duration").startsWith(QStringLiteral("Model: none")));
    }

    void ClosingTheDocumentOrWindowStopsTheInversion()
    {
        OpenSection();
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QVERIFY(Progress()->isVisible());
        TRIGGER_ACTION(FWindow, "Action_Delete");
        QVERIFY(!Progress()->isVisible());
        QVERIFY(TreeTexts(*FWindow).isEmpty());
        // And the window, while another runs.
        OpenSection();
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QVERIFY(Progress()->isVisible());
        TRIGGER_ACTION(FWindow, "Action_Close");
        FWindow.reset();
    }

    void SectionThatCannotBeInvertedSaysWhy()
    {
        Open("dipole-dipole-ip.d2d");
        auto *table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data2D"));
        for (int row = 0; row < table->model()->rowCount(); ++row)
            table->model()->setData(table->model()->index(row, 1), Qt::Unchecked, Qt::CheckStateRole);
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QCOMPARE(Label("StatusBar_Panel"),
                 QStringLiteral("The data cannot be inverted: Every reading is switched off or filtered out."));
        QVERIFY(!Progress()->isVisible());
        QVERIFY(Label("NxInfoPanel_Duration").startsWith(QStringLiteral("Model: none")));
        // Too few: nine readings on.
        for (int row = 0; row < 9; ++row)
            table->model()->setData(table->model()->index(row, 1), Qt::Checked, Qt::CheckStateRole);
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QVERIFY2(Label("StatusBar_Panel").contains(QStringLiteral("Too few readings")), qPrintable(Label("StatusBar_Panel")));
        QVERIFY(!Progress()->isVisible());
    }

    void SoundingThatCannotBeInvertedSaysWhy()
    {
        Open("sounding.d1d");
        auto *table = FWindow->findChild<TGridView *>(QStringLiteral("NextGrid_Data1D"));
        for (int row = 0; row < table->model()->rowCount(); ++row)
            QVERIFY(table->model()->setData(table->model()->index(row, 1), Qt::Unchecked, Qt::CheckStateRole));
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QVERIFY2(Label("StatusBar_Panel").contains(QStringLiteral("no reading is in use")),
                 qPrintable(Label("StatusBar_Panel")));
        QVERIFY(!Series("Series_d1d_Fit")->Active());
    }
};

QTEST_MAIN(TInversionTest)
#include "InversionTest.moc"
