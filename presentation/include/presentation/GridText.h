// Table rows as text for the clipboard.
#pragma once

#include <QList>
#include <QString>

class TGridView;

// The rows (model rows; all rows when empty) in the order the view shows
// them, as tab-separated lines of the shown cell texts, after a line of the
// column captions. Hidden columns are left out; check columns give 1 or 0.
QString GridRowsAsText(const TGridView &view, const QList<int> &rows);
