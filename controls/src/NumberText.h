// Numbers as the table and the property grid show and read them.
#pragma once

#include <QString>
#include <optional>

// The shortest text that reads back as exactly value, with the system
// locale's decimal separator and no group separators.
QString ShortestNumberText(double value);
// A number typed with "." or "," as decimal separator; none for other text.
std::optional<double> ParseUserNumber(const QString &text);
// Digits after the separator in the shortest exact text of value.
int DecimalsOf(double value);
