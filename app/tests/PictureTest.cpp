// The charts' menu and Save Picture: where a right click opens the menu, and
// the PNG, SVG and PDF files it writes.
#include "WindowFixture.h"

#include "controls/Chart.h"
#include "controls/ChartPicture.h"
#include "controls/ChartSeries.h"
#include "controls/ColorGridSeries.h"
#include "controls/PropertyItem.h"

#include "documents/VeskObjects.h"
#include "survey/Measurements.h"

#include <QComboBox>
#include <QFileDialog>
#include <QImage>
#include <QLineEdit>
#include <QTimer>
#include <QMenu>
#include <QMouseEvent>
#include <QProcessEnvironment>
#include <QSet>
#include <QXmlStreamReader>

class TPictureTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TForm_VeskMain> FWindow;
    std::unique_ptr<QTemporaryDir> FFolder;

    void Open(const QString &name, int kind)
    {
        FWindow->Dialogs().SetNextFileName(ExampleFile(name), kind);
        FWindow->findChild<QAction *>(QStringLiteral("Action_Open"))->trigger();
    }
    TChart *Chart(const QString &name) const { return FWindow->findChild<TChart *>(name); }
    QMenu *Menu() const { return FWindow->findChild<QMenu *>(QStringLiteral("PopupMenu_Chart")); }
    static void RightClick(QWidget *widget, QPoint at)
    {
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
            const Qt::MouseButtons buttons = type == QEvent::MouseButtonPress ? Qt::RightButton : Qt::NoButton;
            QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), Qt::RightButton, buttons,
                              Qt::NoModifier);
            QApplication::sendEvent(widget, &event);
        }
    }
    // Right click in the chart's top left corner (outside the plot), then
    // Save Picture... with the queued answer.
    void SavePicture(TChart *chart, const QString &fileName, int type, QSize size = {})
    {
        Menu()->hide();
        RightClick(chart, QPoint(3, 3));
        QVERIFY2(Menu()->isVisible(), qPrintable(chart->objectName()));
        FWindow->Dialogs().SetNextPicture(fileName, type, size);
        TRIGGER_ACTION(FWindow, "Action_SavePicture");
        Menu()->hide();
    }
    static QSet<QRgb> Colours(const QImage &image)
    {
        QSet<QRgb> colours;
        const QImage rgb = image.convertToFormat(QImage::Format_RGB32);
        for (int y = 0; y < rgb.height(); ++y)
            for (int x = 0; x < rgb.width(); ++x) colours.insert(rgb.pixel(x, y) & 0xFFFFFFu);
        return colours;
    }

private slots:
    void init()
    {
        FFolder = std::make_unique<QTemporaryDir>();
        FWindow = NewTestWindow(QSize(1200, 900));
        QVERIFY(QTest::qWaitForWindowExposed(FWindow.get()));
    }
    void cleanup()
    {
        FWindow.reset();
        FFolder.reset();
    }

    void TheMenuOpensWhereARightClickSwitchesNothingOff()
    {
        Open(QStringLiteral("wenner.d2d"), 4);
        TChart *chart = Chart(QStringLiteral("Chart_d2d"));
        chart->replot();
        auto *points = chart->findChild<TChartSeries *>(QStringLiteral("Series_Points"));
        QVERIFY(points != nullptr && points->Count() > 0);
        const QPoint onPoint = points->coordsToPixels(points->X(0), points->Y(0)).toPoint();
        const TMeasurements2D &list = dynamic_cast<TVeskObject2D *>(FWindow->SelectedDocument())->Measurements();
        // On a point: the point goes, no menu.
        RightClick(chart, onPoint);
        QVERIFY(!list.IsShown(0));
        QVERIFY(!Menu()->isVisible());
        // Away from the points: the menu, and nothing goes.
        const uint32_t shown = list.ShownCount();
        RightClick(chart, QPoint(3, 3));
        QVERIFY(Menu()->isVisible());
        QCOMPARE(list.ShownCount(), shown);
        QCOMPARE(Menu()->actions().size(), 1);
        QCOMPARE(Menu()->actions().constFirst()->text(), QStringLiteral("Save Picture..."));
        Menu()->hide();
    }

    void ThePseudoSectionGoesToPngSvgAndPdf()
    {
        Open(QStringLiteral("wenner.d2d"), 4);
        TChart *chart = Chart(QStringLiteral("Chart_d2d"));
        QVERIFY(!chart->ColorGrids().isEmpty());
        const TColorGridSeries *grid = chart->ColorGrids().constFirst();
        QVERIFY(grid->visible() && grid->PaletteCount() > 1);

        // PNG at the chart's size, with every palette colour (cells and legend).
        const QString png = FFolder->filePath(QStringLiteral("map.png"));
        SavePicture(chart, png, 1);
        const QImage image(png, "PNG");
        QCOMPARE(image.size(), chart->size());
        const QSet<QRgb> colours = Colours(image);
        for (int k = 0; k < grid->PaletteCount(); ++k)
            QVERIFY2(colours.contains(grid->PaletteColour(k) & 0xFFFFFFu), qPrintable(QString::number(k)));

        // A typed size.
        const QString sized = FFolder->filePath(QStringLiteral("sized.png"));
        SavePicture(chart, sized, 1, QSize(640, 400));
        QCOMPARE(QImage(sized, "PNG").size(), QSize(640, 400));

        // SVG: well-formed XML with an <svg> root whose view box is the chart's size.
        const QString svg = FFolder->filePath(QStringLiteral("map.svg"));
        SavePicture(chart, svg, 2);
        QXmlStreamReader reader(FileBytes(svg));
        QString root, viewBox;
        while (!reader.atEnd()) {
            if (reader.readNext() == QXmlStreamReader::StartElement && root.isEmpty()) {
                root = reader.name().toString();
                viewBox = reader.attributes().value(QStringLiteral("viewBox")).toString();
            }
        }
        QVERIFY2(!reader.hasError(), qPrintable(reader.errorString()));
        QCOMPARE(root, QStringLiteral("svg"));
        QCOMPARE(viewBox, QStringLiteral("0 0 %1 %2").arg(chart->width()).arg(chart->height()));

        // PDF: its header, and more than an empty page.
        const QString pdf = FFolder->filePath(QStringLiteral("map.pdf"));
        SavePicture(chart, pdf, 3);
        const QByteArray bytes = FileBytes(pdf);
        QVERIFY(bytes.startsWith("%PDF"));
        QVERIFY(bytes.size() > 2000);
        QVERIFY(FWindow->Dialogs().Messages().isEmpty());
    }

    void EveryChartHasTheMenu()
    {
        const struct {
            const char *File;
            int Kind;
            const char *Chart;
        } cases[] = {{"sounding.s1d", 1, "Chart_s1d"},
                     {"schlumberger.s2d", 2, "Chart_Seq2D"},
                     {"sounding.d1d", 3, "Chart_Data1D"},
                     {"series.d0d", 5, "Chart_Data0D"}};
        for (const auto &c : cases) {
            Open(QString::fromLatin1(c.File), c.Kind);
            TChart *chart = Chart(QString::fromLatin1(c.Chart));
            QVERIFY2(chart->isVisible(), c.Chart);
            const QString png = FFolder->filePath(QString::fromLatin1(c.Chart) + QStringLiteral(".png"));
            SavePicture(chart, png, 1);
            const QImage image(png, "PNG");
            QCOMPARE(image.size(), chart->size());
            QVERIFY2(Colours(image).size() > 2, c.Chart); // more than background and frame
        }
    }

    void AFailedSaveIsReported()
    {
        Open(QStringLiteral("wenner.d2d"), 4);
        const QString missingFolder = FFolder->filePath(QStringLiteral("no-such-folder/map.png"));
        SavePicture(Chart(QStringLiteral("Chart_d2d")), missingFolder, 1);
        QCOMPARE(FWindow->Dialogs().Messages().size(), 1);
        QVERIFY(FWindow->Dialogs().Messages().constFirst().contains(missingFolder));
        QVERIFY(!QFile::exists(missingFolder));
    }

    // The window's picture and vesk plot's are the same bytes for the same
    // document, diagram and size.
    void TheWindowsPictureIsVeskPlots()
    {
        const struct {
            const char *File;
            int Kind;
            const char *Chart;
            int Diagram; // the 2D data diagram chosen in the inspector; -1: none
            const char *LogItems; // prefix of the page's log-scale items ticked; null: none
            QStringList PlotOptions;
            std::vector<std::pair<const char *, QVariant>> Items{}; // 2D data items set by the user, in order
        } cases[] = {
            {"wenner.d2d", 4, "Chart_d2d", -1, nullptr, {}},
            {"wenner.d2d", 4, "Chart_d2d", 1, nullptr, {QStringLiteral("--diagram"), QStringLiteral("sounding-curves")}},
            {"sounding.d1d", 3, "Chart_Data1D", -1, nullptr, {}},
            {"sounding.d1d", 3, "Chart_Data1D", -1, "NxCheckBoxItem_d1d_", {QStringLiteral("--log"), QStringLiteral("xy")}},
            {"wenner.d2d", 4, "Chart_d2d", -1, nullptr,
             {QStringLiteral("--palette"), QStringLiteral("viridis"), QStringLiteral("--scale"), QStringLiteral("linear"),
              QStringLiteral("--limits"), QStringLiteral("40:90"), QStringLiteral("--mask-data")},
             {{"NxComboBoxItem_d2d_Palette", 1}, {"NxComboBoxItem_d2d_ColourScale", 1}, {"NxComboBoxItem_d2d_Limits", 2},
              {"NxSpinItem_d2d_LimitMinimum", 40.0}, {"NxSpinItem_d2d_LimitMaximum", 90.0},
              {"NxCheckBoxItem_d2d_MaskToData", true}}},
        };
        const QSize size(720, 480);
        for (const auto &c : cases) {
            Open(QString::fromLatin1(c.File), c.Kind);
            if (c.Diagram >= 0) {
                auto *diagram = FWindow->findChild<TPropertyItem *>(QStringLiteral("NxComboBoxItem_d2d_VisibleDiagrams"));
                QVERIFY(diagram != nullptr && diagram->choose(c.Diagram));
            }
            for (const auto &[name, value] : c.Items) {
                auto *item = FWindow->findChild<TPropertyItem *>(QString::fromLatin1(name));
                QVERIFY2(item != nullptr, name);
                QVERIFY2(item->Kind() == TItemKind::ComboBox ? item->choose(value.toInt()) : item->userSetValue(value), name);
            }
            if (c.LogItems) {
                for (const char *axis : {"XLogScale", "YLogScale"}) {
                    auto *item = FWindow->findChild<TPropertyItem *>(QString::fromLatin1(c.LogItems) + QLatin1String(axis));
                    QVERIFY(item != nullptr && item->userSetValue(true));
                }
            }
            const QString window = FFolder->filePath(QStringLiteral("window.png"));
            SavePicture(Chart(QString::fromLatin1(c.Chart)), window, 1, size);
            const QString batch = FFolder->filePath(QStringLiteral("batch.png"));
            const QStringList arguments = QStringList{QStringLiteral("plot"), ExampleFile(QString::fromLatin1(c.File)),
                                                      QStringLiteral("--size"), QStringLiteral("720x480"),
                                                      QStringLiteral("-o"), batch} +
                                          c.PlotOptions;
            QCOMPARE(RunVesk(arguments), 0);
            const QByteArray windowBytes = FileBytes(window);
            QVERIFY(!windowBytes.isEmpty());
            QVERIFY2(windowBytes == FileBytes(batch), qPrintable(c.PlotOptions.join(QLatin1Char(' '))));
        }
    }

    // The program draws its window with the files into a PNG and ends.
    void TheProgramDrawsItsWindowIntoAPicture()
    {
        const QString picture = FFolder->filePath(QStringLiteral("window.png"));
        QProcess program;
        program.start(QStringLiteral(VESKTOOLS_BINARY),
                      {QStringLiteral("--window-picture"), picture, QStringLiteral("--window-size"),
                       QStringLiteral("900x640"), ExampleFile(QStringLiteral("wenner.d2d"))});
        QVERIFY(program.waitForFinished(60000));
        QCOMPARE(program.exitCode(), 0);
        const QImage image(picture, "PNG");
        QCOMPARE(image.size(), QSize(900, 640));
        QVERIFY(Colours(image).size() > 15); // the map's palette at least

        QProcess refused;
        refused.start(QStringLiteral(VESKTOOLS_BINARY), {QStringLiteral("--window-picture"), picture,
                                                           QStringLiteral("--window-size"), QStringLiteral("9x9")});
        QVERIFY(refused.waitForFinished(60000));
        QCOMPARE(refused.exitCode(), 2);
    }

    // --window-picture follows vesk plot's rules: an input is never written
    // over, the picture is a .png replaced only when complete, a device is
    // written in place, and whatever fails (a file that does not open, the
    // write) ends with status 1 and the reason.
    void TheWindowPictureIsWrittenSafely()
    {
        const struct {
            const char *Name;
            const char *Prepare;   // shell lines in the folder before the program runs
            const char *Arguments; // after --window-picture
            const char *Limit;     // shell lines for the program alone
            int Status;
            const char *Message;
            const char *After; // a shell test that must hold afterwards
        } cases[] = {
            {"a picture", "", "w.png \"$EXAMPLES/wenner.d2d\"", "", 0, "", "test -s w.png"},
            {"the input itself", "cp \"$EXAMPLES/wenner.d2d\" in.d2d", "in.d2d in.d2d", "", 2,
             "'in.d2d' is not named .png", "cmp in.d2d \"$EXAMPLES/wenner.d2d\""},
            {"the input through a link", "cp \"$EXAMPLES/wenner.d2d\" in.d2d; ln -s in.d2d in.png",
             "in.png in.d2d", "", 2, "to open; writing it would replace", "cmp in.d2d \"$EXAMPLES/wenner.d2d\""},
            {"not a png", "", "w.jpg \"$EXAMPLES/wenner.d2d\"", "", 2, "'w.jpg' is not named .png", "test ! -e w.jpg"},
            {"a folder", "mkdir w.png", "w.png", "", 1, "cannot write the picture 'w.png': Is a directory",
             "test -d w.png"},
            {"a device", "", "/dev/null", "", 2, "'/dev/null' is not named .png", "test -c /dev/null"},
            {"a link to a device", "ln -s /dev/null w.png", "w.png", "", 0, "", "test -L w.png && test -c /dev/null"},
            {"a link to a full device", "ln -s /dev/full w.png", "w.png", "", 1,
             "cannot write the picture 'w.png': No space left on device", "test -L w.png && test -c /dev/full"},
            {"a full disk", "printf old > w.png", "w.png \"$EXAMPLES/wenner.d2d\"", "ulimit -f 2; trap '' XFSZ;", 1,
             "'w.png': File too large", "test \"$(cat w.png)\" = old && test \"$(ls -A | wc -l)\" = 1"},
            {"a damaged file", "head -c 100 \"$EXAMPLES/wenner.d2d\" > bad.d2d", "w.png bad.d2d", "", 1,
             "bad.d2d': file ends after 100 of 335 header bytes", "test -s w.png"},
            {"a named pipe", "mkfifo p.d2d", "w.png p.d2d", "", 1, "it is a named pipe, not a regular file",
             "test -s w.png"},
            {"a folder to open", "mkdir f.d2d", "w.png f.d2d", "", 1, "cannot open 'f.d2d': it is a folder",
             "test -s w.png"},
            {"a name that is no text", "cp \"$EXAMPLES/wenner.d2d\" \"$(printf 'in\\377.d2d')\"",
             "\"$(printf 'w\\377.png')\" \"$(printf 'in\\377.d2d')\"", "", 0, "",
             "test -s \"$(printf 'w\\377.png')\""},
        };
        for (const auto &c : cases) {
            QTemporaryDir folder;
            const auto shell = [&](const QString &script) {
                QProcess process;
                process.setWorkingDirectory(folder.path());
                QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
                environment.insert(QStringLiteral("EXAMPLES"), QStringLiteral(VESK_EXAMPLES_DIR));
                environment.insert(QStringLiteral("VESKTOOLS"), QStringLiteral(VESKTOOLS_BINARY));
                process.setProcessEnvironment(environment);
                process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
                process.waitForFinished(120000);
                return std::make_pair(process.exitCode(), QString::fromUtf8(process.readAllStandardError()));
            };
            QCOMPARE(shell(QString::fromLatin1(c.Prepare) + QStringLiteral("\ntrue")).first, 0);
            const auto [status, errors] =
                shell(QStringLiteral("(%1 exec \"$VESKTOOLS\" --window-size 640x480 --window-picture %2)")
                          .arg(QString::fromLatin1(c.Limit), QString::fromLatin1(c.Arguments)));
            QVERIFY2(status == c.Status, qPrintable(QString::fromLatin1(c.Name) + QStringLiteral(": ") + errors));
            QVERIFY2(errors.contains(QString::fromUtf8(c.Message)), qPrintable(QString::fromLatin1(c.Name) + QStringLiteral(": ") + errors));
            QVERIFY2(shell(QString::fromLatin1(c.After)).first == 0, c.Name);
        }
    }

    // The typed extension decides the format; a name without one gets the
    // selected type's.
    void TheNameDecidesTheFormat()
    {
        const struct {
            const char *Typed;
            int Type;
            const char *Written;
            const char *Start;
        } cases[] = {{"section.svg", 1, "section.svg", "<?xml"},
                     {"section.PDF", 2, "section.PDF", "%PDF"},
                     {"plain", 3, "plain.pdf", "%PDF"},
                     {"map.v2", 1, "map.v2.png", "\x89PNG"},
                     {"shot.png", 2, "shot.png", "\x89PNG"}};
        Open(QStringLiteral("wenner.d2d"), 4);
        TChart *chart = Chart(QStringLiteral("Chart_d2d"));
        for (const auto &c : cases) {
            SavePicture(chart, FFolder->filePath(QString::fromLatin1(c.Typed)), c.Type);
            const QByteArray bytes = FileBytes(FFolder->filePath(QString::fromLatin1(c.Written)));
            QVERIFY2(bytes.startsWith(QByteArray(c.Start)), c.Typed);
        }
        QVERIFY(!QFile::exists(FFolder->filePath(QStringLiteral("plain"))));
        // Switching the type switches a picture extension, and only that.
        QCOMPARE(WithPictureExtension(QStringLiteral("/data/line 4.png"), 2), QStringLiteral("/data/line 4.svg"));
        QCOMPARE(WithPictureExtension(QStringLiteral("line.SVG"), 3), QStringLiteral("line.pdf"));
        QCOMPARE(WithPictureExtension(QStringLiteral("line.d2d"), 3), QStringLiteral("line.d2d"));
        // The PDF's title is the document's file name (UTF-16 in the document information).
        const QString pdf = FFolder->filePath(QStringLiteral("titled.pdf"));
        SavePicture(chart, pdf, 3);
        QByteArray utf16("\xFE\xFF");
        for (const QChar c : QStringLiteral("wenner.d2d")) utf16 += QByteArray(1, char(c.unicode() >> 8)) + char(c.unicode() & 0xFF);
        const QByteArray bytes = FileBytes(pdf);
        QVERIFY2(bytes.contains("/Title (" + utf16 + ")") || bytes.contains("/Title (wenner.d2d)"),
                 "the file name is not the title");
        QVERIFY(!bytes.contains("Chart_d2d"));
    }

    // In the real dialog, switching the type switches the typed extension.
    void TheDialogsTypeSwitchesTheExtension()
    {
        Open(QStringLiteral("wenner.d2d"), 4);
        const QString typed = FFolder->filePath(QStringLiteral("dialog-map.png"));
        QString shown;
        QTimer::singleShot(0, this, [&] {
            auto *dialog = qobject_cast<QFileDialog *>(QApplication::activeModalWidget());
            QVERIFY(dialog != nullptr && dialog->objectName() == QStringLiteral("PictureDialog"));
            auto *name = dialog->findChild<QLineEdit *>(QStringLiteral("fileNameEdit"));
            auto *types = dialog->findChild<QComboBox *>(QStringLiteral("fileTypeCombo"));
            QVERIFY(name != nullptr && types != nullptr);
            name->setText(typed);
            QTest::keyClick(types, Qt::Key_Down); // PNG -> SVG, as the user picks it
            shown = name->text();
            QTest::keyClick(name, Qt::Key_Return); // accepts the dialog
        });
        Menu()->hide();
        RightClick(Chart(QStringLiteral("Chart_d2d")), QPoint(3, 3));
        TRIGGER_ACTION(FWindow, "Action_SavePicture");
        Menu()->hide();
        QCOMPARE(shown, FFolder->filePath(QStringLiteral("dialog-map.svg")));
        QVERIFY(FileBytes(FFolder->filePath(QStringLiteral("dialog-map.svg"))).startsWith("<?xml"));
        QVERIFY(!QFile::exists(typed));
    }

    // A picture larger than the chart is the chart's picture enlarged: at
    // twice the chart's size, halved again, it matches the chart-size
    // picture closely (text, markers and lines grew with it).
    void ALargePictureIsAsLegibleAsTheChart()
    {
        Open(QStringLiteral("wenner.d2d"), 4);
        TChart *chart = Chart(QStringLiteral("Chart_d2d"));
        const QString small = FFolder->filePath(QStringLiteral("small.png"));
        const QString large = FFolder->filePath(QStringLiteral("large.png"));
        SavePicture(chart, small, 1);
        SavePicture(chart, large, 1, chart->size() * 2);
        const QImage one = QImage(small).convertToFormat(QImage::Format_RGB32);
        const QImage two = QImage(large).convertToFormat(QImage::Format_RGB32);
        QCOMPARE(two.size(), chart->size() * 2);
        const QImage halved = two.scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        // Share of pixels whose colour differs clearly: small for the scaled
        // picture; an unscaled one at twice the size has its axes, legend
        // and text elsewhere.
        const auto differing = [&one](const QImage &other) {
            qint64 count = 0;
            for (int y = 0; y < one.height(); ++y)
                for (int x = 0; x < one.width(); ++x) {
                    const QRgb a = one.pixel(x, y), b = other.pixel(x, y);
                    count += std::abs(qRed(a) - qRed(b)) + std::abs(qGreen(a) - qGreen(b)) + std::abs(qBlue(a) - qBlue(b)) > 120;
                }
            return double(count) / (double(one.width()) * one.height());
        };
        const QImage unscaled = chart->toPixmap(two.width(), two.height(), 1.0)
                                    .toImage()
                                    .convertToFormat(QImage::Format_RGB32)
                                    .scaled(one.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const double scaledShare = differing(halved), unscaledShare = differing(unscaled);
        QVERIFY2(scaledShare < 0.05 && scaledShare * 3 < unscaledShare,
                 qPrintable(QStringLiteral("%1 against %2").arg(scaledShare).arg(unscaledShare)));
        QCOMPARE(PictureScale(QSize(2000, 1400), QSize(1000, 350)), 2.0);
        QCOMPARE(PictureScale(QSize(500, 300), QSize(1000, 700)), 1.0);
        QCOMPARE(PictureScale(QSize(3000, 700), QSize(1000, 700)), 1.0);
    }

    void TypedSizes()
    {
        const QSize chart(700, 300);
        QCOMPARE(ParsePictureSize(QStringLiteral("1600x900"), chart), QSize(1600, 900));
        QCOMPARE(ParsePictureSize(QStringLiteral(" 640 X 480 "), chart), QSize(640, 480));
        for (const char *refused : {"", "0x100", "100x0", "10001x10", "12x", "1.5x3", "-3x4", "axb"})
            QCOMPARE(ParsePictureSize(QString::fromLatin1(refused), chart), chart);
    }
};

QTEST_MAIN(TPictureTest)
#include "PictureTest.moc"
