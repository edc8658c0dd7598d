#include "presentation/TableSetup.h"

#include "presentation/PresenterViews.h"

#include "controls/GridView.h"

void SetUpTables(const TPresenterViews &views)
{
    if (TGridView *table = views.Data2DTable) {
        table->SetSortable(true);
        table->SetWholeRowSelection(true);
        table->SetMultiSelection(true);
    }
    if (TGridView *table = views.Data1DTable) {
        table->SetSortable(true);
        table->SetWholeRowSelection(true);
    }
    if (TGridView *table = views.Data0DTable) table->SetWholeRowSelection(true);
    if (TGridView *table = views.Seq1DTable) {
        table->SetMultiSelection(true);
        table->setEditTriggers(QAbstractItemView::SelectedClicked | QAbstractItemView::DoubleClicked |
                               QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    }
}
