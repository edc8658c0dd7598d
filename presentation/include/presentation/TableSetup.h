// How each shared table selects and sorts. The window and every set of
// standalone views (batch pictures, presenter tests) call this one function,
// so that a table behaves the same wherever a presenter fills it.
#pragma once

struct TPresenterViews;

// 2D data: several whole rows, sortable by its columns' sort kinds; 1D data:
// whole rows, sortable; 0D data: whole rows; 1D sequence: several rows, an
// edit starting on a click into the selected cell; 2D sequence: as built.
// Tables missing from the record are skipped.
void SetUpTables(const TPresenterViews &views);
