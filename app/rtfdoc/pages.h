#ifndef RTFDOC_PAGES_H
#define RTFDOC_PAGES_H

#include <QMargins>
#include <QSize>
#include <QString>

class QTextDocument;

// The page a document is laid out on, in twips as RTF states it.
struct PageGeometry
{
    QSize paper;      ///< paper width and height
    QMargins margins; ///< left, top, right, bottom
};

// The declared page when it is usable, else Letter with RTF's default margins: a page that
// leaves less than an inch for the text, or is larger than Word allows (22 inches a side),
// would give empty pages or images too large to make.
PageGeometry usablePage(const PageGeometry &declared);

// Stores the page as the document properties the RTF writer states the page from: the
// reader keeps the page out of the document, and without them an A4 file would be written
// back on Letter paper.
void setPageProperties(QTextDocument *document, const PageGeometry &page);

// Puts every list item's rendered label ("2.", "1.3.", a bullet) and a space before its text.
// Qt's layout draws labels from Qt's own list styles only, which the engine's multi-level
// lists do not use; labels as text show what a reader of the document sees.
void insertListLabels(QTextDocument *document);

// Lays the document out on the text area of the page; returns the number of pages.
int layOutOnPages(QTextDocument *document, const PageGeometry &page);

// Both need the document laid out first. False when the file cannot be written.
bool writePdf(QTextDocument *document, const PageGeometry &page, const QString &path);
// One image of the whole page at 96 dpi: page is counted from 0.
bool writePng(QTextDocument *document, const PageGeometry &page, int pageIndex,
              const QString &path);

#endif // RTFDOC_PAGES_H
