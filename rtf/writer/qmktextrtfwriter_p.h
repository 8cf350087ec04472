#ifndef QMKTEXTRTFWRITER_P_H
#define QMKTEXTRTFWRITER_P_H

#include "qmklistlevel.h"
#include "qmktextstyle.h"
#include "rtf/common/rtfkeywords.h"

#include <QByteArray>
#include <QChar>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QUuid>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextFrame>
#include <QVector>

class QIODevice;
class QTextBlock;
class QTextDocument;
class QTextFormat;
class QTextFrame;
class QTextImageFormat;
class QTextList;
class QTextTable;

// One entry of the font table. Fonts are told apart by family and pitch, and in internal mode
// by weight and slant too, so that each face of a family gets its own entry and face name.
struct RtfWriterFont
{
    QString family;             ///< after the Courier Prime substitution
    bool fixedPitch = false;
    int weight = QFont::Normal; ///< -1 when faces are not told apart
    bool italic = false;        ///< false when faces are not told apart
    QString faceName;           ///< internal mode: the face (PostScript) name
    int styleHint = QFont::AnyStyle;
    int characterSet = 0;       ///< Windows character set (\fcharset)
};

// How non-ASCII characters of one font are escaped as bytes.
struct RtfWriterCodePage
{
    int codePage = 1252;
    int maxCharSize = 1;        ///< 1 or 2; also the \uc count
    QChar defaultChar;          ///< stands in for characters the page cannot represent
};

// Note, link and bookmark state of a run: runs of equal state share their RTF groups.
struct RtfSpanState
{
    enum Flag {
        InlineAnnotation = 0x01,
        InlineFootnote = 0x02,
        LinkedComment = 0x04,
        LinkedFootnote = 0x08,
        Endnote = 0x10,
        Link = 0x20,
        Bookmark = 0x40,
        InlineNote = InlineAnnotation | InlineFootnote,
    };
    int flags = 0;
    QByteArray noteData;        ///< linked notes only: the note as RTF
    QString noteIdentifier;     ///< linked notes only
    QString bookmarkName;
    /// Two runs next to each other that link to different targets are two links.
    QString linkTarget;

    bool operator==(const RtfSpanState &other) const
    {
        return flags == other.flags && noteData == other.noteData
            && noteIdentifier == other.noteIdentifier && bookmarkName == other.bookmarkName
            && linkTarget == other.linkTarget;
    }
    bool operator!=(const RtfSpanState &other) const { return !(*this == other); }
};

// A list of the document with the character format of its first paragraph mark.
struct RtfWriterList
{
    QTextList *list = nullptr;
    QTextCharFormat charFormat;
};

// The rendered labels of a list and the item the walk has reached.
struct RtfListLabels
{
    QStringList texts;
    int next = 0;
};

// Paper and margins in twips.
struct RtfPageSetup
{
    int paperWidth = 12240;
    int paperHeight = 15840;
    int leftMargin = 1800;
    int topMargin = 1440;
    int rightMargin = 1800;
    int bottomMargin = 1440;

    int textWidth() const { return paperWidth - leftMargin - rightMargin; }
};

class QMKTextRtfWriterPrivate
{
public:
    explicit QMKTextRtfWriterPrivate(QIODevice *device);
    ~QMKTextRtfWriterPrivate();

    bool write(QTextDocument *source, bool asIs);

    // Output (output.cpp). Bytes are gathered and handed to the device in large pieces.
    void writeRaw(const char *word);
    void writeRaw(const QByteArray &bytes);
    void writeKeyword(RtfKeyword keyword);
    void writeKeyword(RtfKeyword keyword, int n);
    void writeRawNumber(const char *word, int n);
    void writeChar(char c);
    void writeNewline();
    void writeSpaceIfPending();
    void writeText(const QString &text, int fontIndex, bool noUnicode, bool leadingSpace,
                   bool raw, const QString &pageReference);
    void writeTextRun(const QString &text, const QTextCharFormat &format, bool writeFormat,
                      bool spaceAfterFormat);
    void flush();
    /// The bytes standing for one UTF-16 unit in a font's code page (second is 0 when unused).
    static std::pair<uchar, uchar> codePageBytes(char16_t unit, const RtfWriterCodePage &page);

    // Fonts (fonts.cpp).
    RtfWriterFont makeFont(const QFont &font) const;
    QString substitutedFamily(const QString &family) const;
    void addFont(const QFont &font);
    int fontIndex(const QFont &font) const;
    int fontIndex(const QTextCharFormat &format) const;
    int fontIndexOf(const QString &family, bool fixedPitch, int weight, bool italic) const;
    RtfWriterCodePage codePageOfFont(int fontIndex) const;
    void writeFontTable();

    // Colours and format collection (colours.cpp).
    void addColour(const QColor &colour);
    int colourIndex(const QColor &colour) const;
    bool isWritableColourNumber(int n) const;
    void collectFormat(const QTextFormat &format);
    void collectDocumentFormats(QTextDocument *document);
    void writeColourTable();

    // Character and paragraph formats (characterformat.cpp, blockformat.cpp).
    void writeCharFormat(const QTextCharFormat &format);
    void writeVerticalOffset(int halfPoints);
    void writeBlockFormat(const QTextBlockFormat &format, QTextList *list, bool styleFallback);
    void writeStyleReference(const QTextFormat &format, bool styleFallback);

    // The walk (documentwalk.cpp).
    void writeFrame(QTextFrame *frame);
    void writeFrameElements(QTextFrame *frame);
    void writeElements(QTextFrame::iterator it, bool cellContent);
    void endParagraphBeforeTable();
    void writeBlock(const QTextBlock &block);
    void writeFragment(const QString &text, const QTextCharFormat &format,
                       const QTextCharFormat &previousFormat, const QTextBlock &block);

    // Tables (tables.cpp).
    void writeTable(QTextTable *table);
    void writeRowDefinition(QTextTable *table, int row);

    // Links, bookmarks and notes (spans.cpp), pictures (pictures.cpp).
    RtfSpanState spanState(const QTextCharFormat &format) const;
    int resolveSpanKind(const RtfSpanState &state) const;
    bool noteHidesNextParagraphFormat(const QTextBlock &block, const QTextBlock &next) const;
    void closeSpans(const QTextCharFormat &previousFormat, const QTextCharFormat &nextFormat);
    void openLink(const QTextCharFormat &format);
    void writeRun(const QString &text, const QTextCharFormat &format, bool spaceAfterFormat);
    void writeLinkedNote(const QTextCharFormat &format, bool footnote);
    void writeNoteAnchorData(const QTextCharFormat &format);
    void writeInlineNoteText(const QString &text, const QTextCharFormat &format,
                             const QTextBlockFormat &blockFormat, const QTextBlock &block,
                             bool opening, bool spaceAfterFormat);
    void writeSubDocument(QTextDocument *note);
    void prepareNoteDocument(const QTextFormat &format);
    void writePicture(const QTextImageFormat &format);

    // Lists and the stylesheet (lists.cpp, stylesheet.cpp).
    void registerLists(QTextDocument *target);
    int listNumber(QTextList *list) const;
    void writeListTable();
    void writeListLevel(const QMKListLevel &level, int k, const QTextCharFormat &charFormat);
    QString listLabel(const QTextBlock &block, QTextList *list);
    void writeListPrefix(const QTextBlock &block, QTextList *list, bool changed);
    void writeStylesheet();

    // Page setup, document information and sections (pagesetup.cpp).
    void computePageSetup();
    void writePageSetup();
    void writeInformation();
    void writeDocumentFootnoteSettings();
    void writeSectionFootnoteSettings();
    void writeSectionStart(const QTextBlock &block, QTextBlockFormat &format);

    QIODevice *device;
    QTextDocument *document = nullptr;   ///< being written: the caller's or the clone
    QByteArray out;                      ///< written, not yet handed to the device

    bool exportMode = false;
    bool fontIdentityByWeight = true;    ///< always the opposite of export mode
    bool substituteCourierPrime = false;
    bool noteSpacing = false;
    int annotationMode = 0;
    int inlineFootnoteMode = 1;
    int linkedFootnoteMode = 1;
    bool includeImageFileNames = true;
    QString footnoteMarkerText;

    bool delimiterPending = false;       ///< a control word still needs its delimiter
    int noteCounter = 0;
    int tableDepth = 0;
    bool afterTable = false;
    bool firstParagraph = true;
    bool paragraphHasText = false;       ///< the paragraph written last has fragments
    bool insideNoteDocument = false;     ///< section handling stays out of note documents
    bool firstSection = true;
    QTextBlockFormat previousBlockFormat;
    QTextCharFormat previousCharFormat;
    RtfSpanState span;

    QVector<RtfWriterFont> fonts;
    QVector<RtfWriterCodePage> codePages;
    QList<QColor> colours;
    QMap<QString, QTextDocument *> noteDocuments;   ///< owned
    QVector<RtfWriterList> lists;        ///< list number = position + 1
    QHash<QTextList *, int> listNumbers;
    QHash<QTextList *, RtfListLabels> listItems;
    /// Style definitions; none unless supplied, and then no stylesheet is written.
    QList<QMKTextStyle> styles;
    QHash<QUuid, QByteArray> styleMap;   ///< identifier to "s3" or "cs25"

    RtfPageSetup page;
    /// Document information; nothing supplies these yet, so the group is never written.
    QString title, subject, comment, company, author, keywords;
};

#endif // QMKTEXTRTFWRITER_P_H
