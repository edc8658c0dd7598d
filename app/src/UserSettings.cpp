#include "UserSettings.h"

#include "presentation/ChartPreferences.h"

#include <QSettings>

#include <cmath>

namespace {

QSettings UserSettings() { return QSettings(QStringLiteral("Quelvo"), QStringLiteral("Quelvo Tools")); }

void LoadLogAxes(const QSettings &settings, const QString &chart, TLogAxesPreference &axes)
{
    axes.X = settings.value(chart + QStringLiteral("/XLogScale"), axes.X).toBool();
    axes.Y = settings.value(chart + QStringLiteral("/YLogScale"), axes.Y).toBool();
}

void StoreLogAxes(QSettings &settings, const QString &chart, const TLogAxesPreference &axes)
{
    settings.setValue(chart + QStringLiteral("/XLogScale"), axes.X);
    settings.setValue(chart + QStringLiteral("/YLogScale"), axes.Y);
}

// A whole number from first to last, else the value kept.
int32_t Choice(const QSettings &settings, const QString &key, int32_t first, int32_t last, int32_t kept)
{
    bool ok = false;
    const int value = settings.value(key).toInt(&ok);
    return ok && value >= first && value <= last ? value : kept;
}

double Limit(const QSettings &settings, const QString &key, double kept)
{
    bool ok = false;
    const double value = settings.value(key).toDouble(&ok);
    return ok && std::isfinite(value) && value >= 0 ? value : kept;
}

} // namespace

void LoadChartPreferences(TChartPreferences &preferences)
{
    const QSettings settings = UserSettings();
    LoadLogAxes(settings, QStringLiteral("Chart_Seq2D"), preferences.Seq2D);
    LoadLogAxes(settings, QStringLiteral("Chart_s1d"), preferences.Seq1D);
    LoadLogAxes(settings, QStringLiteral("Chart_Data1D"), preferences.Data1D);
    LoadLogAxes(settings, QStringLiteral("Chart_Data0D"), preferences.Data0D);
    TData2DPreference &data2D = preferences.Data2D;
    LoadLogAxes(settings, QStringLiteral("Chart_d2d"), data2D.LogAxes);
    data2D.Diagram = Choice(settings, QStringLiteral("Chart_d2d/Diagram"), 0, 3, data2D.Diagram);
    data2D.Palette = Choice(settings, QStringLiteral("Chart_d2d/Palette"), 0, 2, data2D.Palette);
    data2D.LogarithmicColours =
        Choice(settings, QStringLiteral("Chart_d2d/Scale"), 0, 1, data2D.LogarithmicColours ? 0 : 1) == 0;
    data2D.Limits = Choice(settings, QStringLiteral("Chart_d2d/Limits"), 0, 2, data2D.Limits);
    data2D.LimitMinimum = Limit(settings, QStringLiteral("Chart_d2d/LimitMinimum"), data2D.LimitMinimum);
    data2D.LimitMaximum = Limit(settings, QStringLiteral("Chart_d2d/LimitMaximum"), data2D.LimitMaximum);
}

void StoreChartPreferences(const TChartPreferences &preferences)
{
    QSettings settings = UserSettings();
    StoreLogAxes(settings, QStringLiteral("Chart_Seq2D"), preferences.Seq2D);
    StoreLogAxes(settings, QStringLiteral("Chart_s1d"), preferences.Seq1D);
    StoreLogAxes(settings, QStringLiteral("Chart_Data1D"), preferences.Data1D);
    StoreLogAxes(settings, QStringLiteral("Chart_Data0D"), preferences.Data0D);
    const TData2DPreference &data2D = preferences.Data2D;
    StoreLogAxes(settings, QStringLiteral("Chart_d2d"), data2D.LogAxes);
    settings.setValue(QStringLiteral("Chart_d2d/Diagram"), data2D.Diagram);
    settings.setValue(QStringLiteral("Chart_d2d/Palette"), data2D.Palette);
    settings.setValue(QStringLiteral("Chart_d2d/Scale"), data2D.LogarithmicColours ? 0 : 1);
    settings.setValue(QStringLiteral("Chart_d2d/Limits"), data2D.Limits);
    settings.setValue(QStringLiteral("Chart_d2d/LimitMinimum"), data2D.LimitMinimum);
    settings.setValue(QStringLiteral("Chart_d2d/LimitMaximum"), data2D.LimitMaximum);
}

void ForgetUserSettings()
{
    QSettings settings = UserSettings();
    settings.clear();
    settings.sync();
}
