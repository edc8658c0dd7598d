// vesk plot end to end: the built vesk runs as a subprocess on the bundled
// examples and the pictures it writes are read back (PNG pixels, SVG as XML
// and rendered, PDF header and trailer).
#include "presentation/ChartPages.h"
#include "presentation/StandaloneViews.h"

#include "command_support.h"

#include "controls/ColorGridSeries.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QProcessEnvironment>
#include <QSet>
#include <QSvgRenderer>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>

#include <sstream>

namespace {

const QStringList Data2DExamples{
    QStringLiteral("dipole-dipole-ip.d2d"), QStringLiteral("instrument-221.d2d"), QStringLiteral("old-format-121.d2d"),
    QStringLiteral("pole-dipole-fwd.d2d"),  QStringLiteral("pole-dipole-rev.d2d"), QStringLiteral("schlumberger.d2d"),
    QStringLiteral("wenner-roll.d2d"),      QStringLiteral("wenner.d2d")};
const QSize PictureSize(600, 400);
const QString SizeArgument = QStringLiteral("600x400");
// The palette legend stands in the chart's right-most 110 pixels; the map
// is left of it.
constexpr int LegendColumnWidth = 110;

QString Example(const QString &name) { return QDir(QStringLiteral(VESK_EXAMPLES_DIR)).filePath(name); }

QStringList Examples(const QStringList &names)
{
    QStringList paths;
    for (const QString &name : names) paths << Example(name);
    return paths;
}

struct TRun {
    int Status = -1;
    QByteArray Out;
    QString Err;
};

TRun RunVesk(const QStringList &arguments, const QString &folder = QDir::tempPath())
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(QStringLiteral(VESK_BINARY), arguments);
    TRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return run;
    run.Status = process.exitCode();
    run.Out = process.readAllStandardOutput();
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// Runs a shell script in the folder, with $VESK the built vesk and $EXAMPLES
// the examples' folder; $TMPDIR is the temporary folder given, if any. For
// what QProcess cannot do: names that are no valid text, file size limits,
// pipes and signals.
TRun RunShell(const QString &script, const QString &folder, const QString &temporaryFolder = {})
{
    // Qt's runtime folder goes elsewhere: it is no temporary of the program.
    QTemporaryDir runtime;
    QProcess process;
    process.setWorkingDirectory(folder);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("VESK"), QStringLiteral(VESK_BINARY));
    environment.insert(QStringLiteral("EXAMPLES"), QStringLiteral(VESK_EXAMPLES_DIR));
    if (!temporaryFolder.isEmpty()) environment.insert(QStringLiteral("TMPDIR"), temporaryFolder);
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script});
    TRun run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit) return run;
    run.Status = process.exitCode();
    run.Out = process.readAllStandardOutput();
    run.Err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

QStringList EntriesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::NoDotAndDotDot | QDir::AllEntries | QDir::System | QDir::Hidden);
}

QByteArray Bytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Share of the picture's pixels that are not white.
double InkShare(const QImage &image)
{
    qint64 ink = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) ink += (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF ? 1 : 0;
    return double(ink) / (double(image.width()) * image.height());
}

// A picture of the format and size with something drawn in it; the test
// fails with the file's name otherwise.
void CheckPicture(const QString &path, const QString &format)
{
    const QByteArray bytes = Bytes(path);
    QVERIFY2(!bytes.isEmpty(), qPrintable(path + " is missing or empty"));
    QImage image;
    if (format == QLatin1String("png")) {
        QVERIFY2(image.loadFromData(bytes, "PNG"), qPrintable(path));
    } else if (format == QLatin1String("svg")) {
        QXmlStreamReader xml(bytes);
        QVERIFY2(xml.readNextStartElement() && xml.name() == QLatin1String("svg"), qPrintable(path));
        QCOMPARE(xml.attributes().value(QLatin1String("viewBox")).toString(), QStringLiteral("0 0 600 400"));
        while (!xml.atEnd()) xml.readNext();
        QVERIFY2(!xml.hasError(), qPrintable(path + ": " + xml.errorString()));
        QSvgRenderer renderer(bytes);
        QVERIFY2(renderer.isValid(), qPrintable(path));
        image = QImage(PictureSize, QImage::Format_RGB32);
        image.fill(Qt::white);
        QPainter painter(&image);
        renderer.render(&painter);
    } else {
        QVERIFY2(bytes.startsWith("%PDF-"), qPrintable(path));
        QVERIFY2(bytes.right(32).contains("%%EOF"), qPrintable(path));
        QVERIFY2(bytes.size() > 4000, qPrintable(path));
        return;
    }
    QCOMPARE(image.size(), PictureSize);
    // Axes, their texts and the data: far more than a frame, far less than all.
    const double ink = InkShare(image);
    QVERIFY2(ink > 0.01 && ink < 0.99, qPrintable(path + QStringLiteral(": ink share %1").arg(ink)));
}

// The colours of the map's cells and of its palette, as the program's
// presenter makes them for the example.
struct TMapColours {
    QSet<QRgb> Cells;
    QSet<QRgb> Palette;
};

TMapColours MapColours(const QString &example)
{
    TStandaloneViews views;
    std::ostringstream messages;
    vesk::cli::Session session(messages, std::make_unique<TStandaloneDocumentHost>(views));
    session.Open(Example(example).toStdString(), TDocumentKind::Data2D);
    const TColorGridSeries &map = *views.Views().Data2DChart->Series_2D;
    TMapColours colours;
    // Cell colours come as red + 256 green + 65536 blue.
    for (const QVariant &colour : map.CellColorValues()) {
        const uint value = colour.toUInt();
        colours.Cells.insert(qRgb(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF));
    }
    for (int k = 0; k < map.PaletteCount(); ++k) colours.Palette.insert(map.PaletteColour(k) | 0xFF000000);
    return colours;
}

QSet<QRgb> ColoursIn(const QImage &image, const QRect &area)
{
    QSet<QRgb> colours;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) colours.insert(image.pixel(x, y));
    return colours;
}

} // namespace

// The section inversion under the sanitizers takes seconds per iteration:
// one iteration of the smallest example.
const QString SectionExample = QStringLiteral("dipole-dipole-ip.d2d");

class PlotTest : public QObject {
    Q_OBJECT

private slots:
    void everyDiagramOfEvery2DExample_data();
    void everyDiagramOfEvery2DExample();
    void chartsOfTheOtherKinds_data();
    void chartsOfTheOtherKinds();
    void pseudoSectionShowsTheMapsCells();
    void optionsChangeThePicture_data();
    void optionsChangeThePicture();
    void refusals_data();
    void refusals();
    void aFileThatFailsLeavesTheOthersDrawn();
    void standardOutputGetsThePicture();
    void withoutThePictureProgramVeskSaysSo();
    void pictureTargets_data();
    void pictureTargets();
    void standardOutputCarriesOnlyThePicture();
    void noTemporaryIsLeftBehind();
    void aKilledVeskTakesThePictureProgramAlong();
    void namesAreKeptAsBytes();
    void invertedDiagrams_data();
    void invertedDiagrams();
    void invertWritesModelAndPicture_data();
    void invertWritesModelAndPicture();
};

void PlotTest::everyDiagramOfEvery2DExample_data()
{
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QString>("format");
    for (const char *diagram : {"pseudo-section", "sounding-curves", "profile-curves", "signals"})
        for (const char *format : {"png", "svg", "pdf"})
            QTest::addRow("%s %s", diagram, format) << QString::fromLatin1(diagram) << QString::fromLatin1(format);
}

void PlotTest::everyDiagramOfEvery2DExample()
{
    QFETCH(QString, diagram);
    QFETCH(QString, format);
    QTemporaryDir folder;
    const TRun run = RunVesk(QStringList{QStringLiteral("plot")} + Examples(Data2DExamples) +
                             QStringList{QStringLiteral("--diagram"), diagram, QStringLiteral("--format"), format,
                                         QStringLiteral("--size"), SizeArgument, QStringLiteral("-o"), folder.path()});
    QVERIFY2(run.Status == 0, qPrintable(run.Err));
    for (const QString &example : Data2DExamples) {
        const QString picture = folder.filePath(QFileInfo(example).completeBaseName() + QLatin1Char('.') + format);
        CheckPicture(picture, format);
        if (QTest::currentTestFailed()) return;
        QVERIFY2(run.Err.contains(QStringLiteral("wrote ") + picture), qPrintable(run.Err));
    }
}

void PlotTest::chartsOfTheOtherKinds_data()
{
    QTest::addColumn<QString>("format");
    for (const char *format : {"png", "svg", "pdf"}) QTest::newRow(format) << QString::fromLatin1(format);
}

void PlotTest::chartsOfTheOtherKinds()
{
    QFETCH(QString, format);
    QTemporaryDir folder;
    const QStringList examples{QStringLiteral("schlumberger.s2d"), QStringLiteral("sounding.s1d"),
                               QStringLiteral("sounding.d1d"), QStringLiteral("series.d0d")};
    for (const QString &example : examples) {
        const QString picture = folder.filePath(QFileInfo(example).suffix() + QLatin1Char('.') + format);
        const TRun run = RunVesk({QStringLiteral("plot"), Example(example), QStringLiteral("--size"), SizeArgument,
                                  QStringLiteral("-o"), picture});
        QVERIFY2(run.Status == 0, qPrintable(example + ": " + run.Err));
        QVERIFY2(run.Err.isEmpty(), qPrintable(run.Err)); // a named output is not reported
        CheckPicture(picture, format);
    }
}

void PlotTest::pseudoSectionShowsTheMapsCells()
{
    // Akima and inverse distance: the colours of every cell of the map are in
    // the picture left of the legend, and the palette in the picture.
    for (const QString &example : {QStringLiteral("wenner.d2d"), QStringLiteral("wenner-roll.d2d")}) {
        QTemporaryDir folder;
        const QString picture = folder.filePath(QStringLiteral("map.png"));
        const TRun run = RunVesk({QStringLiteral("plot"), Example(example), QStringLiteral("-o"), picture});
        QVERIFY2(run.Status == 0, qPrintable(run.Err));
        QImage image(picture);
        QCOMPARE(image.size(), QSize(1000, 700)); // the default size
        const TMapColours colours = MapColours(example);
        QVERIFY(colours.Cells.size() >= 8);
        QCOMPARE(colours.Palette.size(), 15);
        const QSet<QRgb> mapArea = ColoursIn(image, QRect(0, 0, image.width() - LegendColumnWidth, image.height()));
        for (const QRgb cell : colours.Cells)
            QVERIFY2(mapArea.contains(cell), qPrintable(example + QStringLiteral(": cell colour %1 not drawn").arg(cell, 0, 16)));
        const QSet<QRgb> everything = ColoursIn(image, image.rect());
        for (const QRgb entry : colours.Palette)
            QVERIFY2(everything.contains(entry), qPrintable(QStringLiteral("palette colour %1 missing").arg(entry, 0, 16)));
    }
}

void PlotTest::optionsChangeThePicture_data()
{
    QTest::addColumn<QString>("example");
    QTest::addColumn<QStringList>("options");
    const QString wenner = QStringLiteral("wenner.d2d");
    QTest::newRow("akima") << wenner << QStringList{QStringLiteral("--gridding"), QStringLiteral("akima")};
    QTest::newRow("radius") << wenner << QStringList{QStringLiteral("--radius"), QStringLiteral("2")};
    QTest::newRow("voltage filter") << wenner << QStringList{QStringLiteral("--voltage"), QStringLiteral("100:100000")};
    QTest::newRow("append") << wenner << QStringList{QStringLiteral("--append"), Example(QStringLiteral("wenner-roll.d2d"))};
    QTest::newRow("log sounding") << QStringLiteral("sounding.d1d") << QStringList{QStringLiteral("--log"), QStringLiteral("xy")};
    QTest::newRow("log series") << QStringLiteral("series.d0d") << QStringList{QStringLiteral("--log"), QStringLiteral("y")};
    QTest::newRow("model") << QStringLiteral("sounding.d1d") << QStringList{QStringLiteral("--model")};
    QTest::newRow("smooth model") << QStringLiteral("sounding.d1d")
                                  << QStringList{QStringLiteral("--model"), QStringLiteral("--smooth")};
    QTest::newRow("chargeability") << QStringLiteral("dipole-dipole-ip.d2d")
                                   << QStringList{QStringLiteral("--values"), QStringLiteral("chargeability")};
    QTest::newRow("viridis") << wenner << QStringList{QStringLiteral("--palette"), QStringLiteral("viridis")};
    QTest::newRow("grey") << wenner << QStringList{QStringLiteral("--palette"), QStringLiteral("grey")};
    QTest::newRow("linear") << wenner << QStringList{QStringLiteral("--scale"), QStringLiteral("linear")};
    QTest::newRow("percentiles") << wenner << QStringList{QStringLiteral("--limits"), QStringLiteral("p2-98")};
    QTest::newRow("fixed limits") << wenner << QStringList{QStringLiteral("--limits"), QStringLiteral("50:200")};
    QTest::newRow("mask") << wenner << QStringList{QStringLiteral("--mask-data")};
}

void PlotTest::optionsChangeThePicture()
{
    QFETCH(QString, example);
    QFETCH(QStringList, options);
    QTemporaryDir folder;
    const QString plain = folder.filePath(QStringLiteral("plain.png"));
    const QString changed = folder.filePath(QStringLiteral("changed.png"));
    const QStringList common{QStringLiteral("plot"), Example(example), QStringLiteral("--size"), SizeArgument};
    QCOMPARE(RunVesk(common + QStringList{QStringLiteral("-o"), plain}).Status, 0);
    const TRun run = RunVesk(common + options + QStringList{QStringLiteral("-o"), changed});
    QVERIFY2(run.Status == 0, qPrintable(run.Err));
    CheckPicture(changed, QStringLiteral("png"));
    QVERIFY(QImage(plain) != QImage(changed));
}

void PlotTest::refusals_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    const QString wenner = Example(QStringLiteral("wenner.d2d"));
    const QString sounding = Example(QStringLiteral("sounding.s1d"));
    const QString o = QStringLiteral("-o");
    QTest::newRow("unknown diagram") << QStringList{wenner, QStringLiteral("--diagram"), QStringLiteral("map"), o, QStringLiteral("x.png")}
                                     << 2 << "--diagram: 'map' is none of 'pseudo-section', 'sounding-curves'";
    QTest::newRow("2D option on 1D") << QStringList{sounding, QStringLiteral("--gridding"), QStringLiteral("akima"), o, QStringLiteral("x.png")}
                                     << 2 << "--gridding applies to 2D data (.d2d) only";
    QTest::newRow("radius with akima") << QStringList{wenner, QStringLiteral("--gridding"), QStringLiteral("akima"),
                                                      QStringLiteral("--radius"), QStringLiteral("3"), o, QStringLiteral("x.png")}
                                       << 2 << "--radius applies to the inverse-distance gridding only";
    QTest::newRow("gridding of curves") << QStringList{wenner, QStringLiteral("--diagram"), QStringLiteral("signals"),
                                                       QStringLiteral("--gridding"), QStringLiteral("akima"), o, QStringLiteral("x.png")}
                                        << 2 << "--gridding applies to the pseudo-section only";
    QTest::newRow("log of the map") << QStringList{wenner, QStringLiteral("--log"), QStringLiteral("x"), o, QStringLiteral("x.png")}
                                    << 2 << "--log applies to 2D data's sounding curves and signals only";
    QTest::newRow("palette of curves") << QStringList{wenner, QStringLiteral("--diagram"), QStringLiteral("signals"),
                                                      QStringLiteral("--palette"), QStringLiteral("grey"), o, QStringLiteral("x.png")}
                                       << 2 << "--palette applies to the pseudo-section only";
    QTest::newRow("mask of a design") << QStringList{sounding, QStringLiteral("--mask-data"), o, QStringLiteral("x.png")}
                                      << 2 << "--mask-data applies to 2D data (.d2d) only";
    QTest::newRow("unknown palette") << QStringList{wenner, QStringLiteral("--palette"), QStringLiteral("jet"), o, QStringLiteral("x.png")}
                                     << 2 << "--palette: 'jet' is none of 'classic', 'viridis', 'grey'";
    QTest::newRow("limits text") << QStringList{wenner, QStringLiteral("--limits"), QStringLiteral("p5-95"), o, QStringLiteral("x.png")}
                                 << 2 << "--limits: 'p5-95' is none of 'auto', 'p2-98' or MIN:MAX";
    QTest::newRow("limits reversed") << QStringList{wenner, QStringLiteral("--limits"), QStringLiteral("200:50"), o, QStringLiteral("x.png")}
                                     << 2 << "needs MIN below MAX";
    QTest::newRow("log limits from 0") << QStringList{wenner, QStringLiteral("--limits"), QStringLiteral("0:200"), o, QStringLiteral("x.png")}
                                       << 2 << "which a logarithmic scale cannot show";
    QTest::newRow("log of what") << QStringList{sounding, QStringLiteral("--log"), QStringLiteral("z"), o, QStringLiteral("x.png")}
                                 << 2 << "--log: 'z' is none of 'x', 'y', 'xy'";
    QTest::newRow("radius zero") << QStringList{wenner, QStringLiteral("--radius"), QStringLiteral("0"), o, QStringLiteral("x.png")}
                                 << 2 << "--radius: '0' is outside";
    QTest::newRow("size") << QStringList{wenner, QStringLiteral("--size"), QStringLiteral("10001x300"), o, QStringLiteral("x.png")}
                          << 2 << "--size";
    QTest::newRow("size text") << QStringList{wenner, QStringLiteral("--size"), QStringLiteral("large"), o, QStringLiteral("x.png")}
                               << 2 << "is not WIDTHxHEIGHT";
    QTest::newRow("one name, two files") << QStringList{wenner, sounding, o, QStringLiteral("x.png")}
                                         << 2 << "names one picture for 2 files";
    QTest::newRow("same picture twice") << QStringList{wenner, wenner, o, QStringLiteral(".")}
                                        << 2 << "would give the same picture";
    QTest::newRow("unknown extension") << QStringList{wenner, o, QStringLiteral("x.jpg")}
                                       << 2 << "cannot tell the picture format of 'x.jpg'";
    QTest::newRow("format contradicts") << QStringList{wenner, QStringLiteral("--format"), QStringLiteral("svg"), o, QStringLiteral("x.png")}
                                        << 2 << "--format svg contradicts the output name 'x.png'";
    QTest::newRow("missing folder") << QStringList{wenner, o, QStringLiteral("no-such-folder/")}
                                    << 2 << "the folder 'no-such-folder/' does not exist";
    QTest::newRow("append to two") << QStringList{wenner, wenner, QStringLiteral("--append"), wenner, o, QStringLiteral(".")}
                                   << 2 << "--append joins spreads to one FILE";
    QTest::newRow("model of 2D data") << QStringList{wenner, QStringLiteral("--model"), o, QStringLiteral("x.png")}
                                      << 2 << "--model applies to 1D data (.d1d) only";
    QTest::newRow("layers without model")
        << QStringList{Example(QStringLiteral("sounding.d1d")), QStringLiteral("--layers"), QStringLiteral("4"), o,
                       QStringLiteral("x.png")}
        << 2 << "give --model with them";
    QTest::newRow("model of too few readings")
        << QStringList{Example(QStringLiteral("sounding.d1d")), QStringLiteral("--model"), QStringLiteral("--layers"),
                       QStringLiteral("8"), o, QStringLiteral("x.png")}
        << 1 << "14 readings in use are fewer than the 15 parameters";
    QTest::newRow("missing file") << QStringList{QStringLiteral("absent.d2d"), o, QStringLiteral("x.png")}
                                  << 1 << "'absent.d2d' could not be read as d2d";
    QTest::newRow("no chargeability") << QStringList{wenner, QStringLiteral("--values"), QStringLiteral("chargeability"), o, QStringLiteral("x.png")}
                                      << 1 << "carries no chargeability";
    QTest::newRow("filters leave nothing") << QStringList{wenner, QStringLiteral("--voltage"), QStringLiteral("1e9:2e9"), o, QStringLiteral("x.png")}
                                           << 1 << "no measurement passes the filters";
    QTest::newRow("folder missing in name") << QStringList{wenner, o, QStringLiteral("gone/x.png")}
                                            << 1 << "cannot write the picture 'gone/x.png': No such file or directory";
    QTest::newRow("named as data") << QStringList{wenner, QStringLiteral("--format"), QStringLiteral("png"), o, QStringLiteral("x.d2d")}
                                   << 2 << "-o: 'x.d2d' names 2D data, not a picture";
    QTest::newRow("inversion option of the map")
        << QStringList{wenner, QStringLiteral("--iterations"), QStringLiteral("2"), o, QStringLiteral("x.png")}
        << 2 << "--iterations applies to the inverted diagrams only";
    QTest::newRow("model file of the map")
        << QStringList{wenner, QStringLiteral("--model-output"), QStringLiteral("m.csv"), o, QStringLiteral("x.png")}
        << 2 << "--model-output applies to the inverted diagrams only";
    QTest::newRow("model file as text")
        << QStringList{wenner, QStringLiteral("--diagram"), QStringLiteral("model-section"), QStringLiteral("--model-output"),
                       QStringLiteral("m.txt"), o, QStringLiteral("x.png")}
        << 2 << "--model-output: 'm.txt' names neither a .csv nor a .vtk file";
    QTest::newRow("gridding of the model")
        << QStringList{wenner, QStringLiteral("--diagram"), QStringLiteral("model-section"), QStringLiteral("--gridding"),
                       QStringLiteral("akima"), o, QStringLiteral("x.png")}
        << 2 << "--gridding applies to the pseudo-section only";
    QTest::newRow("scale of the misfit")
        << QStringList{wenner, QStringLiteral("--diagram"), QStringLiteral("misfit"), QStringLiteral("--scale"),
                       QStringLiteral("linear"), o, QStringLiteral("x.png")}
        << 2 << "--scale applies to the pseudo-section only (--diagram pseudo-section) and the model section";
    QTest::newRow("section of too few readings")
        << QStringList{wenner, QStringLiteral("--diagram"), QStringLiteral("model-section"), QStringLiteral("--voltage"),
                       QStringLiteral("1e9:2e9"), o, QStringLiteral("x.png")}
        << 1 << "no measurement passes the filters; nothing written";
    QTest::newRow("named as an export") << QStringList{wenner, QStringLiteral("--format"), QStringLiteral("svg"), o, QStringLiteral("x.CSV")}
                                        << 2 << "-o: 'x.CSV' names a text export, not a picture";
}

void PlotTest::refusals()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, message);
    QTemporaryDir folder;
    const TRun run = RunVesk(QStringList{QStringLiteral("plot")} + arguments, folder.path());
    QCOMPARE(run.Status, status);
    QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
    QVERIFY2(QDir(folder.path()).entryList(QDir::NoDotAndDotDot | QDir::AllEntries).isEmpty(), "something was written");
}

void PlotTest::aFileThatFailsLeavesTheOthersDrawn()
{
    QTemporaryDir folder;
    QFile broken(folder.filePath(QStringLiteral("broken.d2d")));
    QVERIFY(broken.open(QIODevice::WriteOnly));
    broken.write(Bytes(Example(QStringLiteral("wenner.d2d"))).left(100));
    broken.close();
    QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("out")));
    const TRun run = RunVesk({QStringLiteral("plot"), broken.fileName(), Example(QStringLiteral("wenner.d2d")),
                              QStringLiteral("--size"), SizeArgument, QStringLiteral("-o"), folder.filePath(QStringLiteral("out"))});
    QCOMPARE(run.Status, 1);
    QVERIFY2(run.Err.contains(QStringLiteral("broken.d2d")), qPrintable(run.Err));
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("out/broken.png"))));
    CheckPicture(folder.filePath(QStringLiteral("out/wenner.png")), QStringLiteral("png"));
}

void PlotTest::standardOutputGetsThePicture()
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("w.svg"));
    const QStringList common{QStringLiteral("plot"), Example(QStringLiteral("wenner.d2d")), QStringLiteral("--size"), SizeArgument};
    QCOMPARE(RunVesk(common + QStringList{QStringLiteral("-o"), file}).Status, 0);
    const TRun run = RunVesk(common + QStringList{QStringLiteral("--format"), QStringLiteral("svg"), QStringLiteral("-o"), QStringLiteral("-")});
    QCOMPARE(run.Status, 0);
    QCOMPARE(run.Out, Bytes(file));
}

void PlotTest::withoutThePictureProgramVeskSaysSo()
{
    // A vesk copied alone into a folder has no vesk-plot beside it.
    QTemporaryDir folder;
    const QString lonely = folder.filePath(QStringLiteral("vesk"));
    QVERIFY(QFile::copy(QStringLiteral(VESK_BINARY), lonely));
    QProcess process;
    process.start(lonely, {QStringLiteral("plot"), Example(QStringLiteral("wenner.d2d"))});
    QVERIFY(process.waitForFinished(60000));
    QCOMPARE(process.exitCode(), 1);
    QVERIFY(QString::fromUtf8(process.readAllStandardError()).contains(QStringLiteral("vesk-plot is not installed beside vesk")));
}

// Every kind of place a picture can go, in every format where it matters:
// a file is replaced only by a complete picture, a device is written in
// place, and a failed write says why and keeps the old file.
void PlotTest::pictureTargets_data()
{
    QTest::addColumn<QString>("format");
    QTest::addColumn<QString>("prepare"); // shell lines run before vesk plot in the folder
    QTest::addColumn<QString>("output");
    QTest::addColumn<QString>("limit");   // shell lines run before vesk plot only
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("after");   // a shell test that must hold afterwards
    for (const char *format : {"png", "svg", "pdf"}) {
        const QString f = QString::fromLatin1(format);
        QTest::addRow("%s new file", format) << f << QString() << "p." + f << QString() << 0 << QString()
                                             << "test -s p." + f;
        QTest::addRow("%s full disk", format)
            << f << "printf 'old picture' > p." + f << "p." + f << QStringLiteral("ulimit -f 2; trap '' XFSZ;") << 1
            << "cannot write the picture 'p." + f + "': File too large"
            << "test \"$(cat p." + f + ")\" = 'old picture' && test \"$(ls -A | wc -l)\" = 1";
        QTest::addRow("%s full device", format) << f << QString() << QStringLiteral("/dev/full") << QString() << 1
                                                << QStringLiteral("cannot write the picture '/dev/full': No space left on device")
                                                << QStringLiteral("test -c /dev/full");
    }
    QTest::newRow("existing file") << QStringLiteral("png") << QStringLiteral("printf old > p.png; chmod 640 p.png")
                                   << QStringLiteral("p.png") << QString() << 0 << QString()
                                   << QStringLiteral("test \"$(stat -c %a p.png)\" = 640 && test \"$(head -c 4 p.png | tail -c 3)\" = PNG");
    QTest::newRow("link to a file") << QStringLiteral("png") << QStringLiteral("printf old > real.png; ln -s real.png p.png")
                                    << QStringLiteral("p.png") << QString() << 0 << QString()
                                    << QStringLiteral("test -L p.png && test \"$(head -c 4 real.png | tail -c 3)\" = PNG");
    QTest::newRow("device") << QStringLiteral("png") << QString() << QStringLiteral("/dev/null") << QString() << 0
                            << QString() << QStringLiteral("test -c /dev/null");
}

void PlotTest::pictureTargets()
{
    QFETCH(QString, format);
    QFETCH(QString, prepare);
    QFETCH(QString, output);
    QFETCH(QString, limit);
    QFETCH(int, status);
    QFETCH(QString, message);
    QFETCH(QString, after);
    QTemporaryDir folder;
    QCOMPARE(RunShell(prepare + QStringLiteral("\ntrue"), folder.path()).Status, 0);
    const TRun run = RunShell(QStringLiteral("(%1 exec \"$VESK\" plot \"$EXAMPLES/wenner.d2d\" --size 600x400 --format %2 -o %3)")
                                  .arg(limit, format, output),
                              folder.path());
    QVERIFY2(run.Status == status, qPrintable(run.Err));
    if (!message.isEmpty()) QVERIFY2(run.Err.contains(message), qPrintable(run.Err));
    const TRun check = RunShell(after, folder.path());
    QVERIFY2(check.Status == 0, qPrintable(after + QStringLiteral(" in ") + EntriesOf(folder.path()).join(' ')));
    if (status == 0 && output.startsWith(QStringLiteral("p."))) CheckPicture(folder.filePath(output), format);
}

// Nothing but the picture goes to standard output; a map that cannot be
// drawn makes no picture and a failure; a diagram without a map says nothing
// of one.
void PlotTest::standardOutputCarriesOnlyThePicture()
{
    QTemporaryDir folder;
    const QStringList akima{QStringLiteral("plot"), Example(QStringLiteral("wenner.d2d")), QStringLiteral("--size"),
                            SizeArgument, QStringLiteral("--gridding"), QStringLiteral("akima")};
    QCOMPARE(RunVesk(akima + QStringList{QStringLiteral("-o"), folder.filePath(QStringLiteral("a.png"))}).Status, 0);
    const TRun piped = RunVesk(akima + QStringList{QStringLiteral("-o"), QStringLiteral("-")});
    QCOMPARE(piped.Status, 0);
    QCOMPARE(piped.Out, Bytes(folder.filePath(QStringLiteral("a.png"))));

    // One record of the Wenner profile, 40 times over.
    const QByteArray wenner = Bytes(Example(QStringLiteral("wenner.d2d")));
    constexpr int HeaderBytes = 335, RecordBytes = 37, Copies = 40;
    QByteArray repeated = wenner.left(HeaderBytes);
    repeated[1] = char(Copies);
    repeated[2] = repeated[3] = repeated[4] = 0;
    for (int k = 0; k < Copies; ++k) repeated += wenner.mid(HeaderBytes, RecordBytes);
    const QString one = folder.filePath(QStringLiteral("one.d2d"));
    QFile file(one);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(repeated) == repeated.size());
    file.close();
    for (const char *gridding : {"akima", "idw"}) {
        const TRun failed = RunVesk({QStringLiteral("plot"), one, QStringLiteral("--gridding"), QString::fromLatin1(gridding),
                                     QStringLiteral("-o"), QStringLiteral("-")});
        QCOMPARE(failed.Status, 1);
        QVERIFY2(failed.Out.isEmpty(), failed.Out.left(200).constData());
        QVERIFY2(failed.Err.contains(QStringLiteral("the pseudo-section map of '") + one + QStringLiteral("' could not be drawn")),
                 qPrintable(failed.Err));
    }
    const TRun withoutMap = RunVesk({QStringLiteral("plot"), one, QStringLiteral("--diagram"), QStringLiteral("signals"),
                                  QStringLiteral("-o"), folder.filePath(QStringLiteral("s.png"))});
    QVERIFY2(withoutMap.Status == 0 && withoutMap.Err.isEmpty(), qPrintable(withoutMap.Err));
}

// Writing to standard output leaves no temporary file, also when the reader
// goes away early or the program is stopped by a signal.
void PlotTest::noTemporaryIsLeftBehind()
{
    QTemporaryDir folder, temporaries;
    // A join of 60 spreads: an export larger than a pipe holds.
    QString join;
    for (int k = 0; k < 60; ++k) join += QStringLiteral(" --append \"$EXAMPLES/wenner-roll.d2d\"");
    const struct {
        const char *Name;
        QString Script;
    } cases[] = {
        {"picture to a pipe", QStringLiteral("\"$VESK\" plot \"$EXAMPLES/wenner.d2d\" -o - | head -c 4 > /dev/null")},
        {"export to a pipe", "\"$VESK\" export \"$EXAMPLES/wenner.d2d\"" + join + " -o - | head -c 4 > /dev/null"},
        // Standard output a pipe that nobody reads: the export waits in the
        // copy from its temporary file until timeout sends the signal.
        {"export stopped", "mkfifo out; exec 3<>out; timeout -s TERM 3 \"$VESK\" export \"$EXAMPLES/wenner.d2d\"" +
                               join + " -o - >&3; exec 3>&-; rm -f out"},
        {"export interrupted", "mkfifo out; exec 3<>out; timeout -s INT 3 \"$VESK\" export \"$EXAMPLES/wenner.d2d\"" +
                                   join + " -o - >&3; exec 3>&-; rm -f out"},
        {"export hung up", "mkfifo out; exec 3<>out; timeout -s HUP 3 \"$VESK\" export \"$EXAMPLES/wenner.d2d\"" +
                               join + " -o - >&3; exec 3>&-; rm -f out"},
    };
    for (const auto &c : cases) {
        RunShell(c.Script, folder.path(), temporaries.path());
        QVERIFY2(EntriesOf(temporaries.path()).isEmpty(), qPrintable(QString::fromLatin1(c.Name) + QStringLiteral(": ") +
                                                                      EntriesOf(temporaries.path()).join(' ')));
        QVERIFY2(EntriesOf(folder.path()).isEmpty(), qPrintable(QString::fromLatin1(c.Name) + QStringLiteral(": ") +
                                                                 EntriesOf(folder.path()).join(' ')));
    }
}

// vesk killed while its picture program draws: the picture program ends
// with it and no picture appears later.
void PlotTest::aKilledVeskTakesThePictureProgramAlong()
{
    QTemporaryDir folder;
    QString join;
    for (int k = 0; k < 100; ++k) join += QStringLiteral(" --append \"$EXAMPLES/wenner-roll.d2d\"");
    // The name is never written out whole in the script, so that only the
    // picture program's command line holds it.
    const QString script =
        "n=late-; \"$VESK\" plot \"$EXAMPLES/wenner.d2d\"" + join + " --size 4000x4000 -o \"${n}picture.png\" & "
        // vesk is killed as soon as the picture program has started, long
        // before the join and the picture can be done.
        "for k in $(seq 1 500); do "
        "  grep -l 'late-pictur[e].png' /proc/[0-9]*/cmdline 2>/dev/null | grep -vq \"^/proc/$!/\" && break; sleep 0.01; "
        "done; kill -KILL $!; "
        // The picture program must be gone within a few seconds.
        "for k in 1 2 3 4 5 6 7 8 9 10; do "
        "  grep -l 'late-pictur[e].png' /proc/[0-9]*/cmdline > /dev/null 2>&1 || exit 0; sleep 1; "
        "done; exit 3";
    const TRun run = RunShell(script, folder.path());
    QVERIFY2(run.Status == 0, "the picture program outlived vesk");
    QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("late-picture.png"))));
}

// File names that are no valid text keep their bytes: each picture lands
// beside its input under the input's name.
void PlotTest::namesAreKeptAsBytes()
{
    QTemporaryDir folder;
    const QString script = QStringLiteral(
        "a=$(printf 'a\\376.d2d'); b=$(printf 'a\\377.d2d'); "
        "cp \"$EXAMPLES/wenner.d2d\" \"$a\" && cp \"$EXAMPLES/schlumberger.d2d\" \"$b\" && "
        "\"$VESK\" plot \"$a\" \"$b\" --size 300x200 || exit 4; "
        "test -s \"$(printf 'a\\376.png')\" && test -s \"$(printf 'a\\377.png')\" || exit 5; "
        "test \"$(ls | wc -l)\" = 4; found=$?; rm -f a*; exit $found");
    const TRun run = RunShell(script, folder.path());
    QVERIFY2(run.Status == 0, qPrintable(QString::number(run.Status) + QLatin1Char(' ') + run.Err));
}

QTEST_MAIN(PlotTest)
#include "PlotTest.moc"

void PlotTest::invertedDiagrams_data()
{
    QTest::addColumn<QString>("diagram");
    QTest::addColumn<QString>("legend"); // a colour bar's title the picture must show as text (SVG)
    QTest::addRow("model-section") << QStringLiteral("model-section") << QStringLiteral("Rho [Ohm*m]");
    QTest::addRow("misfit") << QStringLiteral("misfit") << QStringLiteral("Misfit [%]");
}

void PlotTest::invertedDiagrams()
{
    QFETCH(QString, diagram);
    QFETCH(QString, legend);
    QTemporaryDir folder;
    const QString picture = folder.filePath(QStringLiteral("section.svg"));
    const TRun run = RunVesk({QStringLiteral("plot"), Example(SectionExample), QStringLiteral("--diagram"), diagram,
                              QStringLiteral("--iterations"), QStringLiteral("1"), QStringLiteral("--size"), SizeArgument,
                              QStringLiteral("-o"), picture});
    QVERIFY2(run.Status == 0, qPrintable(run.Err));
    // Progress on standard error, as vesk invert gives it.
    QVERIFY2(run.Err.contains(QStringLiteral("inverting 174 readings")), qPrintable(run.Err));
    QVERIFY2(run.Err.contains(QStringLiteral("iteration 1 of at most 1: RMS ")), qPrintable(run.Err));
    CheckPicture(picture, QStringLiteral("svg"));
    QVERIFY2(Bytes(picture).contains(legend.toHtmlEscaped().toUtf8()), qPrintable(legend));
}

void PlotTest::invertWritesModelAndPicture_data()
{
    QTest::addColumn<QString>("model");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<QByteArray>("modelStart");
    QTest::addRow("csv and png") << QStringLiteral("model.csv") << QStringLiteral("section.png") << QByteArray("x,z,resistivity\n");
    QTest::addRow("vtk and pdf") << QStringLiteral("model.vtk") << QStringLiteral("section.pdf") << QByteArray("# vtk DataFile");
}

void PlotTest::invertWritesModelAndPicture()
{
    QFETCH(QString, model);
    QFETCH(QString, picture);
    QFETCH(QByteArray, modelStart);
    QTemporaryDir folder;
    const TRun run = RunVesk({QStringLiteral("invert"), Example(SectionExample), QStringLiteral("--iterations"),
                              QStringLiteral("1"), QStringLiteral("-o"), model, QStringLiteral("--picture"), picture},
                             folder.path());
    QVERIFY2(run.Status == 0, qPrintable(run.Err));
    QVERIFY2(run.Err.contains(QStringLiteral("iteration 1 of at most 1")), qPrintable(run.Err));
    QVERIFY2(run.Err.contains(QStringLiteral("wrote ") + model), qPrintable(run.Err));
    QVERIFY2(run.Err.contains(QStringLiteral("wrote ") + picture), qPrintable(run.Err));
    QVERIFY(Bytes(folder.filePath(model)).startsWith(modelStart));
    const QByteArray bytes = Bytes(folder.filePath(picture));
    QVERIFY(picture.endsWith(QLatin1String(".png")) ? bytes.startsWith("\x89PNG") : bytes.startsWith("%PDF-"));

    // Refused before anything is inverted or written.
    QTemporaryDir empty;
    const struct {
        QStringList arguments;
        const char *message;
    } refusals[] = {
        {{QStringLiteral("-o"), QStringLiteral("m.csv"), QStringLiteral("--picture"), QStringLiteral("m.csv")},
         "--picture: 'm.csv' names no picture"},
        {{QStringLiteral("-o"), QStringLiteral("m.csv"), QStringLiteral("--picture"), Example(SectionExample)},
         "--picture: '"},
        {{QStringLiteral("-o"), QStringLiteral("m.csv"), QStringLiteral("--picture"), QStringLiteral("s.png"),
          QStringLiteral("--iterations"), QStringLiteral("0")},
         "--iterations"},
    };
    for (const auto &refusal : refusals) {
        const TRun refused =
            RunVesk(QStringList{QStringLiteral("invert"), Example(SectionExample)} + refusal.arguments, empty.path());
        QVERIFY2(refused.Status == 2, qPrintable(refused.Err));
        QVERIFY2(refused.Err.contains(QString::fromLatin1(refusal.message)), qPrintable(refused.Err));
        QVERIFY(EntriesOf(empty.path()).isEmpty());
    }
}
