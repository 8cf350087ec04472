// Tables in Word's model: per row a row definition (\trowd with each cell's borders, shading
// and right boundary), the cells' paragraphs each closed by \cell, and \row. A table in a cell
// uses the nested words (\nestcell, \nesttableprops, \nestrow) and the depth of \itap.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include <QBrush>
#include <QTextFrame>
#include <QTextTable>

namespace {

constexpr double UnconstrainedColumnPoints = 200;
constexpr int MaxBorderTwips = 255;

const RtfKeyword RowSides[] = {KwTrbrdrt, KwTrbrdrr, KwTrbrdrb, KwTrbrdrl};
const RtfKeyword CellSides[] = {KwClbrdrt, KwClbrdrr, KwClbrdrb, KwClbrdrl};

// Column widths in points. Variable columns share what the others leave of the text width:
// each taking the whole width would make the table wider than the page.
QVector<double> columnWidths(const QTextTableFormat &format, int columns, double textWidth)
{
    const QVector<QTextLength> constraints = format.columnWidthConstraints();
    QVector<double> widths(columns, UnconstrainedColumnPoints);
    double taken = 0;
    int variable = 0;
    for (int c = 0; c < columns && c < constraints.size(); ++c) {
        const QTextLength length = constraints.at(c);
        switch (length.type()) {
        case QTextLength::FixedLength: widths[c] = length.rawValue(); break;
        case QTextLength::PercentageLength: widths[c] = textWidth * length.rawValue() / 100; break;
        default: ++variable; continue;
        }
        taken += widths[c];
    }
    if (variable > 0) {
        const double share = qMax(0.0, textWidth - taken) / variable;
        for (int c = 0; c < columns && c < constraints.size(); ++c) {
            if (constraints.at(c).type() == QTextLength::VariableLength)
                widths[c] = share;
        }
    }
    return widths;
}

} // namespace

void QMKTextRtfWriterPrivate::writeTable(QTextTable *table)
{
    ++tableDepth;
    delimiterPending = false;
    writeNewline();
    const int rows = table->rows();
    const int columns = table->columns();
    for (int r = 0; r < rows; ++r) {
        writeNewline();
        // A top-level row states its definition before its cells and again before \row, the
        // same bytes both times: made once (it is a fifth of writing a table).
        QByteArray definition;
        bool pendingAfterDefinition = false;
        if (tableDepth == 1) {
            const int start = out.size();
            writeRowDefinition(table, r);
            definition = out.mid(start);
            pendingAfterDefinition = delimiterPending;
        }
        for (int c = 0; c < columns; ++c) {
            const QTextTableCell cell = table->cellAt(r, c);
            if (cell.isValid() && cell.row() == r && cell.column() == c) {
                writeSpaceIfPending();
                firstParagraph = true;
                writeElements(cell.begin(), true);
            }
            writeKeyword(tableDepth == 1 ? KwCell : KwNestcell);
        }
        delimiterPending = false;
        writeChar('{');
        if (tableDepth == 1) {
            out.append(definition);
            delimiterPending = pendingAfterDefinition;
            writeKeyword(KwRow);
        } else {
            writeKeyword(KwIgnorable);
            writeKeyword(KwNesttableprops);
            writeRowDefinition(table, r);
            writeKeyword(KwNestrow);
        }
        writeChar('}');
        writeKeyword(KwPard);
        if (tableDepth > 1 && r == rows - 1) {
            writeKeyword(KwItap, tableDepth - 1);
            writeKeyword(KwIntbl);
        }
        flush();
    }
    --tableDepth;
    firstParagraph = true;
}

void QMKTextRtfWriterPrivate::writeRowDefinition(QTextTable *table, int row)
{
    const QTextTableFormat format = table->format();
    const int rows = table->rows();
    const int columns = table->columns();
    const bool bordered = format.borderStyle() != QTextFrameFormat::BorderStyle_None
        && format.border() > 0;
    const int borderWidth = bordered ? qBound(0, qRound(format.border() * 20), MaxBorderTwips) : 0;
    const int borderColour = bordered ? colourIndex(format.borderBrush().color()) : -1;

    writeNewline();
    writeKeyword(KwTrowd);
    writeKeyword(KwTrgaph, qRound(format.cellPadding() * 20));
    writeSpaceIfPending();
    writeKeyword(KwTrautofit, 1);
    if (row == rows - 1)
        writeKeyword(KwLastrow);
    writeSpaceIfPending();
    for (int side = 0; side < 4; ++side) {
        if ((side == 0 && row != 0) || (side == 2 && row != rows - 1))
            continue;
        writeKeyword(RowSides[side]);
        writeKeyword(KwBrdrnil);
        writeSpaceIfPending();
    }

    const double textWidth = page.textWidth() / 20.0;
    const QVector<double> widths = columnWidths(format, columns, textWidth);
    double x = 0;
    for (int c = 0; c < columns; ++c) {
        const QTextTableCell cell = table->cellAt(row, c);
        // Spans read from the one format: rowSpan() and columnSpan() each build it again.
        const QTextCharFormat cellFormat = cell.format();
        writeNewline();
        if (cellFormat.tableCellRowSpan() > 1) {
            writeKeyword(cell.row() == row ? KwClvmgf : KwClvmrg);
            writeSpaceIfPending();
        }
        if (cellFormat.tableCellColumnSpan() > 1) {
            writeKeyword(cell.column() == c ? KwClmgf : KwClmrg);
            writeSpaceIfPending();
        }
        switch (cellFormat.intProperty(QTextFormat::TextVerticalAlignment)) {
        case QTextCharFormat::AlignMiddle: writeKeyword(KwClvertalc); break;
        case QTextCharFormat::AlignBottom: writeKeyword(KwClvertalb); break;
        default: writeKeyword(KwClvertalt); break;
        }
        writeSpaceIfPending();
        writeKeyword(KwClshdrawnil);
        for (RtfKeyword side : CellSides) {
            writeKeyword(side);
            if (bordered) {
                writeKeyword(KwBrdrs);
                writeKeyword(KwBrdrw, borderWidth);
                if (borderColour != -1)
                    writeKeyword(KwBrdrcf, borderColour);
            } else {
                writeKeyword(KwBrdrnil);
            }
            writeSpaceIfPending();
        }
        // Black is colour 1 and is a background like any other.
        if (cell.isValid() && cellFormat.hasProperty(QTextFormat::BackgroundBrush)
            && cellFormat.background().style() != Qt::NoBrush
            && cellFormat.background().color().isValid()) {
            const int n = colourIndex(cellFormat.background().color());
            if (n >= 1)
                writeKeyword(KwClcbpat, n);
        }
        x += widths.at(c);
        writeKeyword(KwCellx, qRound(x * 20));
        writeNewline();
    }
}
