#ifndef QMKRTF_STOREDFORMATINSERTION_H
#define QMKRTF_STOREDFORMATINSERTION_H

class QString;
class QTextCharFormat;
class QTextCursor;
class QTextDocument;

// Text inserted through QTextCursor::insertText looks its format up in the document's format
// collection every time, comparing every property of a fresh copy (the cursor copies the
// format to clear its object index). A caller that inserts many runs in few formats looks each
// format up once and inserts by the stored index, with Qt's private headers at build time.

/// Whether insertByFormatIndex can be used in this build.
bool canInsertByFormatIndex();

/// The index under which document stores format (added if new), as insertText would use it;
/// -1 when canInsertByFormatIndex() is false.
int storedCharFormatIndex(QTextDocument *document, const QTextCharFormat &format);

/// Inserts text at the cursor in the stored format formatIndex of the cursor's document, as
/// insertText in that format would. The cursor has no selection and the text holds nothing
/// that starts a block (line feed, carriage return, paragraph separator, frame marks).
void insertByFormatIndex(QTextCursor &cursor, const QString &text, int formatIndex);

#endif // QMKRTF_STOREDFORMATINSERTION_H
