#include "NumberText.h"

#include <QLocale>
#include <cmath>

QString ShortestNumberText(double value)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', QLocale::FloatingPointShortest);
}

std::optional<double> ParseUserNumber(const QString &text)
{
    QString plain = text.trimmed();
    plain.replace(QLatin1Char(','), QLatin1Char('.'));
    bool ok = false;
    const double value = QLocale::c().toDouble(plain, &ok);
    if (!ok || !std::isfinite(value)) return std::nullopt;
    return value;
}

int DecimalsOf(double value)
{
    const QString text = QLocale::c().toString(value, 'f', QLocale::FloatingPointShortest);
    const qsizetype point = text.indexOf(QLatin1Char('.'));
    return point < 0 ? 0 : int(text.size() - point - 1);
}
