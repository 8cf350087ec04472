#ifndef QMKREVISIONPALETTE_H
#define QMKREVISIONPALETTE_H

#include <QColor>

// Five fixed revision colours, one per revision level 1 to 5. Text in one of these colours is
// stored as its revision level rather than as a colour.

/// The revision level whose colour this is (exact QColor first, then RGB alone), or -1.
int paletteIndexOf(const QColor &colour);
/// The colour of revision level index; black outside 1 to 5.
QColor paletteColour(int index);

#endif // QMKREVISIONPALETTE_H
