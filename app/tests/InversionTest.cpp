// The Data menu's Invert command on the real window: where it sits, when it
// applies, the fit and model on the 1D chart, the info panel, and the model
// going when the data change.
#include "WindowFixture.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/GridView.h"
#include "controls/PropertyGrid.h"

#include <QLabel>
#include <QMenu>
#include <QMenuBar>
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

private slots:
    void init() { FWindow = NewTestWindow(QSize(1200, 800)); }
    void cleanup() { FWindow.reset(); }

    void DataMenuSitsBetweenFileAndAbout()
    {
        QStringList menus;
        for (QAction *a : FWindow->menuBar()->actions()) menus.append(a->text());
        QCOMPARE(menus, QStringList({"File", "Data", "About"}));
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

    void TwoDimensionalDataSayWhatIsMissing()
    {
        Open("wenner.d2d");
        TRIGGER_ACTION(FWindow, "Action_Invert");
        QCOMPARE(Label("StatusBar_Panel"), QStringLiteral("2D inversion runs in vesk invert for now: vesk invert FILE.d2d -o model.vtk"));
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
