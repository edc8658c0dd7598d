// The wait cursor over the program while a document reads, generates, joins
// or writes, and the ordinary arrow for a message shown meanwhile.
#pragma once

#include <QApplication>
#include <QCursor>

class TBusyCursor {
public:
    TBusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~TBusyCursor() { QApplication::restoreOverrideCursor(); }
    TBusyCursor(const TBusyCursor &) = delete;
    TBusyCursor &operator=(const TBusyCursor &) = delete;
};

// While a message or dialog is up inside busy work, the arrow (override
// cursors stack; this one goes again with the scope).
class TArrowCursor {
public:
    TArrowCursor() : FPushed(QApplication::overrideCursor() != nullptr)
    {
        if (FPushed) QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    ~TArrowCursor()
    {
        if (FPushed) QApplication::restoreOverrideCursor();
    }
    TArrowCursor(const TArrowCursor &) = delete;
    TArrowCursor &operator=(const TArrowCursor &) = delete;

private:
    bool FPushed;
};
