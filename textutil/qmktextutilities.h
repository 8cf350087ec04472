#ifndef QMKTEXTUTILITIES_H
#define QMKTEXTUTILITIES_H

#include <QList>
#include <QString>
#include <QUuid>

class QImage;
class QTextCursor;
class QTextDocument;
class QTextImageFormat;

// Small operations on strings, cursors and documents that the reader and the writer share.

/// ASCII blanks and punctuation except the underscore, and the typographic dashes, ellipsis
/// and quotation marks. Tabs and line breaks are not separators.
bool isWordSeparator(QChar c);

/// Document position of the last word separator in the cursor's block, looking past the
/// block's trailing white space (unless the block has nothing else), or -1. A note anchored
/// to the word before it selects from just after this position.
int lastSeparatorPosition(const QTextCursor &cursor);

/// Removes the white space, paragraph breaks included, at both ends of the cursor's
/// selection, or of the whole document when nothing is selected. Paragraphs that were only
/// white space disappear; the paragraph that holds the first remaining text keeps its format.
/// A selection of table cells is left as it is.
void trimSelectionWhitespace(QTextCursor cursor);

/// The text without its leading white space.
QString leftTrimmed(const QString &text);

/// The picture's file name when it has one, else its resource name.
QString imageName(const QTextImageFormat &format);

/// The image resource of the document named name, held as an image or a pixmap; null when
/// there is none.
QImage documentImage(const QTextDocument &document, const QString &name);

/// A header or footer text, as headers and footers store it.
struct QMKThreePartText
{
    QString left;               ///< flush with the left margin
    QString centre;             ///< centred between the margins
    QString right;              ///< flush with the right margin
};

/// The number of parts that are not blank (0 to 3).
int partCount(const QMKThreePartText &text);
/// The alignment of a text with one part: left, right, or centred (horizontally and
/// vertically) for a centre part and for a text without parts.
Qt::Alignment singlePartAlignment(const QMKThreePartText &text);
/// The first part that is not blank, with tabs made blanks and trimmed.
QString firstPartText(const QMKThreePartText &text);
/// The left part, then a tab before each further part that is not blank; each part has its
/// tabs made blanks and is trimmed, so that the tabs reach exactly the stops of the parts.
QString joinedPartsText(const QMKThreePartText &text);
/// Left, centre and right separated by tabs, trimmed at both ends of the whole.
QString combinedPartsText(const QMKThreePartText &text);

/// Appends the style identifiers of the blocks the cursor's selection touches to blockIds and
/// of its selected characters to charIds (either may be null), each identifier once. Without
/// a selection the characters are those before the cursor in its fragment. With stopAtFirst
/// the collection ends at the first block or fragment that carries an identifier, whether or
/// not that identifier was new.
void collectIds(const QTextCursor &cursor, QList<QUuid> *blockIds, QList<QUuid> *charIds,
                bool stopAtFirst);
/// collectIds over the whole document.
void collectIdsInDocument(const QTextDocument *document, QList<QUuid> *blockIds,
                          QList<QUuid> *charIds, bool stopAtFirst);

#endif // QMKTEXTUTILITIES_H
