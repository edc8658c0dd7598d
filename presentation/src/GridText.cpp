#include "presentation/GridText.h"

#include "controls/GridView.h"

#include <algorithm>

QString GridRowsAsText(const TGridView &view, const QList<int> &rows)
{
    const TGridModel &model = view.Model();
    QList<int> shownRows = rows;
    if (shownRows.isEmpty())
        for (int row = 0; row < model.rowCount(); ++row) shownRows.append(row);
    std::sort(shownRows.begin(), shownRows.end(),
              [&view](int left, int right) { return view.ViewRow(left) < view.ViewRow(right); });

    const QVector<TGridColumn> &columns = model.Columns();
    QStringList lines;
    QStringList cells;
    for (const TGridColumn &column : columns)
        if (column.Visible) cells.append(column.Caption);
    lines.append(cells.join(QLatin1Char('\t')));
    for (const int row : shownRows) {
        if (row < 0 || row >= model.rowCount()) continue;
        cells.clear();
        for (int column = 0; column < columns.size(); ++column) {
            if (!columns[column].Visible) continue;
            cells.append(columns[column].Kind == TColumnKind::Check
                             ? QString::number(model.Checked(column, row) ? 1 : 0)
                             : model.DisplayText(column, row));
        }
        lines.append(cells.join(QLatin1Char('\t')));
    }
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}
