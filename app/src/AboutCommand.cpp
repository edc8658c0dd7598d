// About Quelvo Tools: the program's version and licence, and the libraries
// it is built on with theirs.
#include "MainWindow.h"

#include <qcustomplot.h>

#include <QtGlobal>

#ifndef VESK_VERSION
#define VESK_VERSION "unknown"
#endif

void TForm_VeskMain::CommandAbout()
{
    const QString text =
        QStringLiteral("<p><b>Quelvo Tools</b> %1</p>"
                       "<p>Design of electrode sequences and processing of multi-electrode resistivity surveys.</p>"
                       "<p>Licence: GNU General Public License, version 3 or later (GPL-3.0-or-later).</p>"
                       "<p>Built on:<br>Qt %2 (GNU LGPL 3.0)<br>QCustomPlot %3 (GNU GPL 3.0)</p>")
            .arg(QStringLiteral(VESK_VERSION), QString::fromLatin1(qVersion()),
                 QStringLiteral(QCUSTOMPLOT_VERSION_STR));
    FDialogs->ShowAbout(text);
}
