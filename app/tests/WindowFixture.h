// Shared pieces of the window tests: a fresh main window per test, example
// files copied into a temporary folder, actions triggered by name, and the
// built vesk run as a subprocess for byte comparisons.
#pragma once

#include "MainWindow.h"
#include "UserSettings.h"

#include "controls/Chart.h"
#include "controls/ChartSeries.h"
#include "controls/PropertyGrid.h"
#include "controls/PropertyItem.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QMouseEvent>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>
#include <memory>

inline QString ExampleFile(const QString &name)
{
    return QDir(QStringLiteral(VESK_EXAMPLES_DIR)).filePath(name);
}

// Copies an example into the folder (tests never write into examples/).
inline QString CopyExample(const QTemporaryDir &folder, const QString &name)
{
    const QString target = folder.filePath(name);
    QFile::remove(target);
    QFile::copy(ExampleFile(name), target);
    QFile::setPermissions(target, QFile::ReadOwner | QFile::WriteOwner);
    return target;
}

inline QByteArray FileBytes(const QString &fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// Runs the built vesk; its exit code, or -1 when it could not run.
inline int RunVesk(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral(VESK_BINARY), arguments);
    if (!process.waitForFinished(60000)) return -1;
    return process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
}

// The tests keep their settings in a folder of their own, never the user's:
// set before the first settings are read (the location is fixed then), and
// inherited by the programs the tests run.
inline void UseOwnSettingsFolder()
{
    static QTemporaryDir folder;
    static const bool set = qputenv("XDG_CONFIG_HOME", folder.path().toLocal8Bit());
    Q_UNUSED(set);
}

// A fresh window for one test: messages are recorded, not shown, so the
// test runs unattended; shown at the size given. It starts as on a first
// start (no kept settings) unless keepSettings is set.
inline std::unique_ptr<TForm_VeskMain> NewTestWindow(const QSize &size, bool keepSettings = false)
{
    UseOwnSettingsFolder();
    if (!keepSettings) ForgetUserSettings();
    auto window = std::make_unique<TForm_VeskMain>();
    window->Dialogs().SetMessagesAnswered(true);
    window->resize(size);
    window->show();
    return window;
}

// Triggers the named action of the window; fails with the name when it is
// missing or disabled.
#define TRIGGER_ACTION(window, name)                                                                    \
    do {                                                                                                \
        QAction *action_ = (window)->findChild<QAction *>(QStringLiteral(name));                        \
        QVERIFY2(action_ != nullptr, "no action " name);                                                \
        QVERIFY2(action_->isEnabled(), "action " name " is disabled");                                  \
        action_->trigger();                                                                             \
    } while (false)

inline QStringList TreeTexts(const TForm_VeskMain &window)
{
    QStringList texts;
    auto *tree = window.findChild<QTreeWidget *>(QStringLiteral("ObjectTreeView"));
    for (QTreeWidgetItemIterator it(tree); *it; ++it) texts.append((*it)->text(0));
    return texts;
}

// The item of a property page, both found by object name (null when either
// is missing).
inline TPropertyItem *PageItem(const TForm_VeskMain &window, const char *page, const char *name)
{
    auto *grid = window.findChild<TPropertyGrid *>(QString::fromLatin1(page));
    return grid ? grid->findChild<TPropertyItem *>(QString::fromLatin1(name)) : nullptr;
}

// A value as the window shows it with one decimal (the system's separator,
// no group separators).
inline QString Fixed1(double value)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', 1);
}

// The pixel of point index of the named series of the chart, after a real layout.
inline QPoint PointPixel(TChart *chart, const char *series, int index)
{
    chart->replot();
    auto *one = chart->findChild<TChartSeries *>(QString::fromLatin1(series));
    return one->coordsToPixels(one->X(index), one->Y(index)).toPoint();
}

// A mouse event as the user's mouse gives it to the widget.
inline void SendMouse(QWidget *widget, QEvent::Type type, QPoint at, Qt::MouseButton button,
                      Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    const Qt::MouseButtons buttons = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::MouseButtons(button);
    QMouseEvent event(type, QPointF(at), widget->mapToGlobal(QPointF(at)), button, buttons, modifiers);
    QApplication::sendEvent(widget, &event);
}
