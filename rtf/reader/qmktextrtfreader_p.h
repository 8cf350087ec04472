#ifndef QMKTEXTRTFREADER_P_H
#define QMKTEXTRTFREADER_P_H

#include "qmkhighprecisioncolor.h"
#include "qmktextstyle.h"
#include "rtf/common/rtfkeywords.h"
#include "rtf/reader/charformatpool_p.h"
#include "rtf/reader/linecounter_p.h"
#include "rtf/reader/listdefinitions.h"
#include "rtf/reader/readerstatus.h"
#include "rtf/reader/tablelevel_p.h"
#include "qmktextrtfreader.h"

#include <QByteArray>
#include <QColor>
#include <QFont>
#include <QHash>
#include <QList>
#include <QMap>
#include <QPointer>
#include <QSet>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QTextCursor>
#include <QTextImageFormat>
#include <QTextDocument>
#include <QTextOption>
#include <QVector>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class QImage;
class QIODevice;
class QTextDocument;
class QTextList;

// What the content of the current group is; each kind is finished by its own end step when
// the group that opened it closes.
enum class RtfDestination {
    Body,
    FontTable,
    ColourTable,
    ExpandedColourTable,
    ListTable,
    LevelText,
    LevelMarker,
    ListOverrideTable,
    ListOverride,
    Picture,
    EmbeddedPdf,
    PdfFileName,
    PictureFileName,
    MathMLEquation,
    Field,
    FieldInstruction,
    FieldResult,
    Footnote,
    Annotation,
    NoteData,
    NoteText,
    Stylesheet,
    ParagraphNumbering,
    NumberingTextBefore,
    NumberingTextAfter,
    ShapeProperty,
    ShapePropertyName,
};

// What the {\\*\\pn ...} group of a paragraph says of its number or bullet.
struct RtfParagraphNumbering
{
    int level = 0;                  ///< \pnlvl less one; 0 for \pnlvlbody and \pnlvlblt
    int numberFormat = 1;           ///< QMKListLevel::style codes: 0 bullet, 1 decimal, ...
    bool continuation = false;      ///< \pnlvlcont: a paragraph of the item above, no label
    QString textBefore;             ///< \pntxtb, the bullet itself for \pnlvlblt
    QString textAfter;              ///< \pntxta
    int start = 1;                  ///< \pnstart
    int indent = 0;                 ///< \pnindent, twips
    bool listNumberGiven = false;   ///< an \ls inside the group: the \ls list is the paragraph's
};

// How plain bytes of the input are read.
enum class RtfInputMode { Text, Hexadecimal };

// Everything an RTF group scopes: saved at '{' and restored at '}'.
struct RtfGroupState
{
    RtfCharFormatState charFormat;  ///< format applied to inserted text
    RtfDestination destination = RtfDestination::Body;
    int unicodeSkip = 1;            ///< \uc: replacement characters that follow a \u
    int codePage = -1;              ///< code page of escaped bytes; -1: the document's
    RtfInputMode inputMode = RtfInputMode::Text;
    QString pendingText;            ///< collected, not yet delivered
    bool hidden = false;            ///< \v: text is not shown, so not read
    bool endsParagraph = false;     ///< a header or footer: its end ends its last paragraph
};

// The formats an empty block was last given, or found to have: the dozens of keywords at the
// head of a Word paragraph each deliver (empty) text, and comparing every property of both
// formats on each of them cost a third of an import.
struct RtfAppliedBlockFormats
{
    QPointer<QTextDocument> document;   ///< cleared when the (cell) document goes away
    int charFormatIndex = -1;           ///< the block's formats in that document's collection
    int blockFormatIndex = -1;
    RtfCharFormatState charFormat;      ///< shares its data with the format applied, if unchanged
    QTextBlockFormat blockFormat;
};

// The formats an empty delivery asked for, not yet given to the cursor's block.
struct RtfDeferredBlockFormats
{
    bool pending = false;
    RtfCharFormatState charFormat;
    QTextBlockFormat blockFormat;
};

// Text delivered to the cursor's block and not yet inserted: deliveries in one format between
// keywords that change nothing (an escape, a \u, a revision mark) become one insertion.
struct RtfTextRun
{
    QString text;
    RtfCharFormatState format;
};

// Where the cursor's document stores each pooled character format: runs in a stored format
// are inserted by its index, without a look-up in the document's format collection.
struct RtfStoredCharFormats
{
    QPointer<QTextDocument> document;   ///< cleared when the (cell) document goes away
    QHash<int, int> indexes;            ///< pooled format -> index in document's collection
};

// A control word as dispatched to its handler.
// A font table entry as the table writes it, resolved to an installed family only when text
// first selects its number: Word lists dozens of fonts and uses a few, and each resolution
// queries the font system (about a millisecond).
struct RtfFontEntry
{
    QString name;                   ///< the entry's text, or its \falt name
    QFont::StyleHint styleHint = QFont::AnyStyle;
    QFont base;                     ///< the group's font when the entry was read
};

// What the table says of one font number. Each entry is resolved once, in the table's order.
struct RtfFontSlot
{
    QVector<RtfFontEntry> unresolved; ///< entries read since the font was last asked for
    QFont font;                     ///< the font the resolved entries give
    bool resolved = false;          ///< an entry was resolved into font
};

struct RtfKeywordCall
{
    RtfKeyword keyword;
    bool hasParameter;              ///< digits followed the letters
    int parameter;                  ///< 0 without digits
    bool on;                        ///< false only for an explicit parameter 0
};

class QMKTextRtfReaderPrivate
{
public:
    explicit QMKTextRtfReaderPrivate(QIODevice *device);
    virtual ~QMKTextRtfReaderPrivate();

    /// Runs one import into document; see QMKTextRtfReader::read.
    bool read(QTextDocument *document, bool removeInvalid);
    QString errorString() const;

    /// Runs the handler of a recognised keyword; outside pictures the input mode is reset to
    /// text first.
    virtual int handleKeyword(RtfKeyword keyword, bool hasParameter, int parameter);

    // Input window.
    /// The byte at the window position plus offset; exists is false past the end of input.
    char peek(int offset, bool *exists = nullptr);
    /// Moves the window position on by count bytes and drops consumed bytes in 1 KiB steps.
    void advance(int count);
    /// Drops the first count bytes of the window, counting their line breaks.
    void dropWindowBytes(int count);
    /// The input offset of the byte at index of the window.
    qint64 inputOffset(int index) const { return inputStart + windowStart + index; }

    // Groups and text.
    /// Runs a scanned keyword (-1: unknown) unless a group is being skipped; applies \*.
    int dispatchKeyword(int keyword, bool hasParameter, int parameter);
    void openGroup();
    int closeGroup();
    void flushPendingText();
    /// Removes (or, unless removeInvalid, replaces) what is no text: C1 controls and DEL, and
    /// in the document's own text the C0 controls but tab and the line breaks.
    void removeControlCharacters(QString &text, bool documentText) const;
    /// Gives a block without text yet the current character and paragraph formats.
    void applyFormatsToEmptyBlock();
    // Before the cursor moves to another document, or a document is read or copied: the
    // pending text run and block formats reach the cursor's document.
    void settleCursor();
    void applyDeferredBlockFormats();
    void appendToTextRun(const QString &text);
    // Before any other write through the cursor.
    void commitTextRun();
    void insertTextRun(const QString &text, const RtfCharFormatState &format);
    void applyFormatsToEmptyBlock(const RtfCharFormatState &charFormat,
                                  const QTextBlockFormat &blockFormat);
    /// Changes the group's character format as change does; a change a keyword call made
    /// to the same format before is not made again.
    template <typename Change>
    void changeCharFormat(const RtfKeywordCall &call, Change &&change)
    {
        changeCharFormat(state.charFormat,
                         keywordChange(call.keyword, call.hasParameter, call.parameter),
                         std::forward<Change>(change));
    }
    /// Changes target as change does; the pool remembers the change as changeKey.
    template <typename Change>
    void changeCharFormat(RtfCharFormatState &target, quint64 changeKey, Change &&change);
    /// Sets the group's character format, pooled if it is not.
    void setCharFormat(const QTextCharFormat &format);
    void endDestination(RtfDestination destination);
    /// Records a fault whose token starts at the input offset (counted from where reading
    /// began): the first fault's status and place are kept, a later one never replaces them;
    /// every one goes to the fault observer.
    void recordFault(int status, qint64 offset);

    // Keyword handlers shared by many keywords.
    int ignoreKeyword(const RtfKeywordCall &call);
    int skipGroup(const RtfKeywordCall &call);
    int markIgnorable(const RtfKeywordCall &call);
    int appendSymbol(const RtfKeywordCall &call);

    QIODevice *device;
    QTextDocument *document = nullptr;
    QTextCursor cursor;

    QByteArray window;              ///< bytes read from the device and not yet dropped
    int windowPosition = 0;         ///< index of the current byte in window
    QByteArray rawData;             ///< bytes of hexadecimal data and \bin
    int pendingNibble = -1;         ///< high half of a hexadecimal byte split by a line break

    RtfGroupState state;            ///< the current group's state
    QVector<RtfGroupState> groupStack; ///< states of the enclosing groups
    int skipDepth = 0;              ///< nested groups still to skip; 0: not skipping
    bool ignorableDestination = false; ///< \* seen, consumed by the next control word
    bool trailingGarbage = false;   ///< binary bytes followed the document's last brace
    int status = RtfStatus::Ok;
    QMKTextRtfFault firstFault;     ///< where the fault behind status was met
    std::function<void(const QMKTextRtfFault &)> faultObserver;
    qint64 inputStart = 0;          ///< device position where reading began
    qint64 windowStart = 0;         ///< bytes read and dropped before window
    RtfLineCounter lineCounter;     ///< line breaks of the bytes before one offset

    QTextCharFormat plainCharFormat; ///< the document's default format, prepared by read()
    struct {
        QTextCharFormat source;     ///< the default format it was made from
        QTextCharFormat format;     ///< what \plain resets the character format to
        int pooledId = RtfCharFormatPool::NotPooled;
    } plainReset;
    RtfCharFormatPool charFormatPool; ///< the character formats made while reading
    QTextBlockFormat paragraphFormat; ///< format of the paragraph being read
    RtfAppliedBlockFormats appliedBlockFormats;
    RtfDeferredBlockFormats deferredBlockFormats;
    RtfTextRun textRun;
    RtfStoredCharFormats storedCharFormats;
    bool removeInvalid = false;

    // Page geometry in twips.
    int paperWidth = 12240;
    int paperHeight = 15840;
    int leftMargin = 1800;
    int topMargin = 1440;
    int rightMargin = 1800;
    int bottomMargin = 1440;

    // Options.
    bool paletteColours = true;
    bool ignoreZeroRightIndent = false;
    bool footnotesAsText = true;
    bool annotationsAsText = true;
    bool footnotePlaceholderAnchor = true;
    QString noteAnchorPlaceholder = QStringLiteral("*");

    int pictureCounter = 1;         ///< numbers the names of imported pictures

    // Each reader concern keeps its members and handlers in its own section below, in the
    // order of the source files in this folder.

    // --- Font table and text decoding (fonttable.cpp, textdecoding.cpp) ---
    QMap<int, RtfFontSlot> fontTable; ///< by RTF font number
    QMap<int, int> fontCodePages;   ///< code page per font number, from \cpg or \fcharset
    QSet<int> fontsWithCodePage;    ///< font numbers whose entry gave \cpg
    int currentFontNumber = 0;      ///< the last \f
    int defaultFontNumber = 0;      ///< \deff
    QFont::StyleHint fontStyleHint = QFont::AnyStyle; ///< family kind of the entry being read
    int documentCodePage = 1252;    ///< \ansicpg

    /// The code page escaped bytes are in: the group's, else the document's.
    int effectiveCodePage() const;
    void registerFontEntry(const QString &text);
    /// The font of an entry of the table, resolved on first use; false when there is none.
    bool tableFont(int number, QFont *font);
    /// What \plain does to the font: the default font and its code page.
    void selectDefaultFont();
    void endFontTable();
    /// Skips the count replacement characters that follow a \u.
    void skipUnicodeReplacement(int count);
    /// Reads the two hexadecimal digits of a \' escape; false when they are malformed.
    bool readEscapedByte(char *byte);
    /// Decodes the UTF-8 sequence that begins with lead from the escapes that follow it.
    void appendUtf8Sequence(uchar lead, QChar defaultChar);

    int enterFontTable(const RtfKeywordCall &call);
    int selectFont(const RtfKeywordCall &call);
    int setFontStyleHint(const RtfKeywordCall &call);
    int setFontCharset(const RtfKeywordCall &call);
    int setFontCodePage(const RtfKeywordCall &call);
    int setFontPitch(const RtfKeywordCall &call);
    int setDefaultFont(const RtfKeywordCall &call);
    int setDocumentCodePage(const RtfKeywordCall &call);
    int setUnicodeSkip(const RtfKeywordCall &call);
    int appendUnicodeCharacter(const RtfKeywordCall &call);
    int appendEscapedBytes(const RtfKeywordCall &call);

    // --- Colour table (colourtable.cpp) ---

    QVector<QColor> colourTable;    ///< RTF colour number -> colour; entry 0 is often "auto"
    QColor currentColour = Qt::black; ///< colour being defined
    QVector<QMKHighPrecisionColorType> expandedColourTable; ///< same numbering as colourTable
    QMKHighPrecisionColorType currentHighPrecisionColour; ///< expanded entry being defined
    int componentIndex = 0;         ///< which component the next \c sets

    /// Colour number n, or an invalid colour when the table has none.
    QColor colourAt(int n) const;
    bool isColourNumber(int n) const { return n >= 0 && n < colourTable.size(); }
    void takeColourTableText(const QString &text);
    void takeExpandedColourTableText(const QString &text);
    void endColourTable();

    int startColourTable(const RtfKeywordCall &call);
    int setColourChannel(const RtfKeywordCall &call);
    int startExpandedColourTable(const RtfKeywordCall &call);
    int setColourSpace(const RtfKeywordCall &call);
    int setColourComponent(const RtfKeywordCall &call);

    // --- Character formatting (characterformat.cpp) ---

    int plain(const RtfKeywordCall &call);
    int setBold(const RtfKeywordCall &call);
    int setItalic(const RtfKeywordCall &call);
    int setUnderline(const RtfKeywordCall &call);
    int clearUnderline(const RtfKeywordCall &call);
    int setUnderlineKind(const RtfKeywordCall &call);
    int setUnderlineColour(const RtfKeywordCall &call);
    int setStrikeOut(const RtfKeywordCall &call);
    int setCapitals(const RtfKeywordCall &call);
    int setVerticalAlignment(const RtfKeywordCall &call);
    int setVerticalOffset(const RtfKeywordCall &call);
    int setOutline(const RtfKeywordCall &call);
    int setOutlineColour(const RtfKeywordCall &call);
    int setTextColour(const RtfKeywordCall &call);
    int setBackgroundColour(const RtfKeywordCall &call);
    int setFontSize(const RtfKeywordCall &call);
    int setRevisionLevel(const RtfKeywordCall &call);
    int setHidden(const RtfKeywordCall &call);

    // --- Paragraph formatting and document settings (paragraphs.cpp, documentsettings.cpp) ---
    // Paragraph state: not scoped by groups, reset by \pard only; the block format it builds is
    // paragraphFormat above. Page geometry: the page members above.

    /// Runs before a paragraph's first content and before \par: gives an empty block the
    /// pending paragraph format, and leaves tables the paragraph is not in.
    void beginParagraphText();
    /// Paper width less the margins, in twips; never below one twip, whatever the input says.
    int textWidth() const;

    int resetParagraph(const RtfKeywordCall &call);
    int endParagraph(const RtfKeywordCall &call);
    int insertPageBreak(const RtfKeywordCall &call);
    int appendTabOrLineBreak(const RtfKeywordCall &call);
    int addPageBreakFlag(const RtfKeywordCall &call);
    int setDocumentTabWidth(const RtfKeywordCall &call);
    int setParagraphTabWidth(const RtfKeywordCall &call);
    int setTabKind(const RtfKeywordCall &call);
    int addTabStop(const RtfKeywordCall &call);
    int setIndent(const RtfKeywordCall &call);
    int setParagraphSpacing(const RtfKeywordCall &call);
    int setParagraphLineSpacing(const RtfKeywordCall &call);
    int setAlignment(const RtfKeywordCall &call);
    int setParagraphDirection(const RtfKeywordCall &call);
    int setOutlineLevel(const RtfKeywordCall &call);
    int setPageGeometry(const RtfKeywordCall &call);
    /// The tail indent for a right indent in twips, as \ri sets it.
    void setRightIndent(int twips);
    void setTailIndent(int rightIndentTwips);

    bool paragraphApplied = false;  ///< beginParagraphText ran for the current settings
    int tableNestingLevel = 0;      ///< \intbl, \itap: 0 outside tables
    QTextOption::TabType pendingTabKind = QTextOption::LeftTab; ///< kind of the next \tx

    // --- Sections, headers and footers (sections.cpp) ---

    /// Ends the cursor's paragraph unless it is still empty.
    void endParagraphWithContent();

    int endSection(const RtfKeywordCall &call);
    int enterHeaderFooter(const RtfKeywordCall &call);

    // --- Shapes and drawing objects (shapes.cpp) ---

    QString shapePropertyName;      ///< \sn of the shape property being read
    bool shapeHasContent = false;   ///< the current shape gave text or a picture

    void takeShapePropertyName(const QString &text);

    int enterShape(const RtfKeywordCall &call);
    int enterShapeProperty(const RtfKeywordCall &call);
    int enterShapePropertyName(const RtfKeywordCall &call);
    int enterShapePropertyValue(const RtfKeywordCall &call);
    int enterShapeText(const RtfKeywordCall &call);
    int enterShapeResult(const RtfKeywordCall &call);

    // --- Tables (tables.cpp, tablerows.cpp) ---
    // Each cell is read into a document of its own; the reader's cursor points into the
    // innermost level's current cell document while a table is open.

    // Declared before the table stack, whose cell documents go back to it when destroyed.
    RtfCellDocumentPool cellDocumentPool;
    std::vector<RtfTableLevel> tableStack; ///< open tables, outermost first
    bool borderTarget = false;      ///< \brdr* words apply to the table (after \clbrdr*)
    bool paragraphAfterTablePending = false; ///< see openParagraphAfterTable()

    /// Whether the reader's cursor, or a table level's cursor to return to, points into document.
    bool cursorPointsInto(const QTextDocument *document) const;
    /// Forgets what the reader keeps about a document by its address.
    void forgetDocument(const QTextDocument *document);
    /// Opens levels until the table depth is nestingLevel; the cursor moves into the new
    /// innermost level's first cell document.
    void openTableLevels(int nestingLevel);
    /// Opens a table when none is open: cell keywords may come before \intbl.
    void openTable();
    /// Whether the open row defines cells that no \cell has ended yet: a paragraph without
    /// \intbl then belongs to the next of them.
    bool rowAwaitsCells() const;
    /// Closes every open table at the end of input, keeping the rows still pending.
    void closeOpenTables();
    void closeInnermostTableLevel();
    /// Clears the row just assembled and starts the next one with one empty cell.
    void resetRowDefinition(RtfTableLevel &level);
    void startCellDocument(RtfTableLevel &level);
    /// The width table columns are measured against, in twips: the page's text width, or
    /// the default page's when margins leave no room.
    qint64 tableTextWidth() const;
    RtfCellDefinition &lastCellDefinition();

    int setTableNesting(const RtfKeywordCall &call);
    int setCellPadding(const RtfKeywordCall &call);
    int setBorderTarget(const RtfKeywordCall &call);
    int setTableBorder(const RtfKeywordCall &call);
    int setCellMerge(const RtfKeywordCall &call);
    int setCellVerticalAlignment(const RtfKeywordCall &call);
    int setCellShading(const RtfKeywordCall &call);
    int defineCell(const RtfKeywordCall &call);
    int endCell(const RtfKeywordCall &call);
    int endRow(const RtfKeywordCall &call);
    int markLastRow(const RtfKeywordCall &call);

    // --- Lists (lists.cpp) ---
    // Paragraphs only carry their \ls number and \ilvl level while reading; buildLists() makes
    // the lists once the whole input is read.

    QVector<RtfListRecord> listTable;       ///< \listtable, in order
    QVector<RtfListOverride> overrideTable; ///< \listoverridetable, in order
    QMap<int, QTextList *> listMap;         ///< \ls number -> list made by buildLists()
    /// \li or \fi given since the last \pard: the paragraph's own indents beat its level's.
    bool paragraphIndentsExplicit = false;
    /// Lookups from \ls numbers and list ids to list table entries; rebuilt when stale.
    QHash<int, int> listIndexByNumber;
    QHash<int, int> listIndexById;
    bool listLookupsStale = true;

    /// The list table entry an \ls number stands for, through the override table; -1: none.
    int listIndexForNumber(int number);
    /// The list whose level indents an \ilvl in the current paragraph takes; -1: none.
    int listIndexForLevelIndents();
    void takeLevelText(const QString &text);
    void takeLevelMarker(const QString &text);
    void endLevelText();
    void applyLevelIndents(int level);

    int enterListTable(const RtfKeywordCall &call);
    int addList(const RtfKeywordCall &call);
    int setListId(const RtfKeywordCall &call);
    int addListLevel(const RtfKeywordCall &call);
    int setLevelNumberFormat(const RtfKeywordCall &call);
    int setLevelStart(const RtfKeywordCall &call);
    int enterLevelText(const RtfKeywordCall &call);
    int enterLevelMarker(const RtfKeywordCall &call);
    int setIndentOrLevelIndent(const RtfKeywordCall &call);
    int enterListOverrideTable(const RtfKeywordCall &call);
    int addListOverride(const RtfKeywordCall &call);
    int setListNumber(const RtfKeywordCall &call);
    int setParagraphListLevel(const RtfKeywordCall &call);

    // --- Old-style paragraph numbering (paragraphnumbering.cpp) ---

    RtfParagraphNumbering numbering; ///< the \pn group being read
    QHash<QString, int> numberingLists; ///< numbering settings -> the list number made for them
    int numberingGroupDepth = -1;   ///< depth of the group that numbered the paragraph; -1: none
    int numberingListNumber = 0;    ///< the list number that group gave the paragraph

    /// The group that numbered the paragraph ends: so does the numbering.
    void endNumberingGroup();

    void takeNumberingText(const QString &text);
    /// Makes the paragraph an item of the list its numbering stands for.
    void endParagraphNumbering();

    int enterParagraphNumbering(const RtfKeywordCall &call);
    int setNumberingLevel(const RtfKeywordCall &call);
    int setNumberingStyle(const RtfKeywordCall &call);
    int enterNumberingText(const RtfKeywordCall &call);
    int setNumberingStart(const RtfKeywordCall &call);
    int setNumberingIndent(const RtfKeywordCall &call);
    int setNumberingFont(const RtfKeywordCall &call);

    // --- Stylesheet (stylesheet.cpp) ---

    /// What the paragraph state was before the stylesheet, which resets it for every entry.
    struct SavedParagraphState
    {
        QTextBlockFormat format;
        bool applied = false;
        int tableNestingLevel = 0;
        QTextOption::TabType pendingTabKind = QTextOption::LeftTab;
    };

    QList<QMKTextStyle> styles;     ///< the document's styles, in stylesheet order
    QHash<QString, int> styleKeys;  ///< style key ("s1", "cs10") -> index in styles
    QString currentStyleKey;        ///< key of the stylesheet entry being read
    QString currentStyleName;       ///< name text of the stylesheet entry being read
    int stylesheetDepth = -1;       ///< group depth of the \stylesheet group; -1 outside it
    SavedParagraphState paragraphBeforeStylesheet;

    /// What one stylesheet entry said, kept until the stylesheet ends to resolve bases.
    struct StyleEntry
    {
        QString key;                ///< "s1", "cs10"; "s0" for an entry without a number
        QString baseKey;            ///< the \sbasedon style's key; empty: none
        QTextCharFormat charFormat; ///< the entry's own formats
        QTextBlockFormat blockFormat;
        int styleIndex = -1;        ///< the style made of it in styles; -1: none
    };
    QVector<StyleEntry> styleEntries;
    int currentStyleBase = -1;      ///< \sbasedon of the entry being read; -1: none

    void appendStyleName(const QString &text);
    /// Gives each style the formats of the styles it is based on, under its own.
    void resolveStyleBases();
    /// Ends an entry, or the whole stylesheet, as the closing group's depth says.
    void endStylesheetGroup();
    void endStyleEntry();

    int enterStylesheet(const RtfKeywordCall &call);
    int selectStyle(const RtfKeywordCall &call);
    int setStyleBase(const RtfKeywordCall &call);

    // --- Fields (fields.cpp) ---

    QString fieldInstruction;       ///< text of the current field's instruction, capped

    /// The link properties a field instruction gives its result; no properties when the
    /// instruction is not a hyperlink.
    static QTextCharFormat linkFormatOf(const QString &instruction);
    /// Merges properties into target's format; a change the pool remembers when they pool.
    void mergeCharFormat(RtfCharFormatState &target, const QTextCharFormat &properties);
    void appendFieldInstruction(const QString &text);
    void endFieldInstruction();

    int enterField(const RtfKeywordCall &call);
    int enterFieldInstruction(const RtfKeywordCall &call);
    int enterFieldResult(const RtfKeywordCall &call);

    // --- Pictures (pictures.cpp) ---
    // What the keywords of the current picture said; reset after each picture with data.

    QString pictureType;            ///< "PNG", "JPEG", "WMF", then the name of the decoder used
    QString pictureFileName;        ///< \nisusfilename
    QString pdfFileName;            ///< \pdffilename
    QString mathMLText;             ///< \mathmlequation
    int goalWidth = -1;             ///< \picwgoal in pixels; below 1: the image's own size
    int goalHeight = -1;            ///< \pichgoal in pixels
    int scaleX = -1;                ///< \picscalex in percent; applied when both scales are > 0
    int scaleY = -1;                ///< \picscaley in percent

    void takePictureText(const QString &text);
    void endPicture();
    void endEmbeddedPdf();
    void resetPicture();
    /// Adds an image resource to the target document and to the document being written into.
    void addImageResource(const QString &key, const QImage &image);
    /// The current character format as the format of an image character named key.
    QTextImageFormat imageCharFormat(const QString &key) const;
    /// Consumes the count bytes of \bin data, into rawData when keep is true.
    int takeBinaryData(int count, bool keep);
    /// Makes count bytes from the window position on available in the window; false when the
    /// input ends sooner (then nothing is consumed).
    bool bufferInputBytes(qint64 count);

    int enterPicture(const RtfKeywordCall &call);
    int setPictureType(const RtfKeywordCall &call);
    int setPictureGoalSize(const RtfKeywordCall &call);
    int setPictureScale(const RtfKeywordCall &call);
    int enterEmbeddedPdf(const RtfKeywordCall &call);
    int enterPictureText(const RtfKeywordCall &call);
    int readBinaryData(const RtfKeywordCall &call);

    // --- Notes (notes.cpp) ---
    // A footnote or annotation is read either as text in the flow, its runs marked, or (with
    // its "as text" option off) into a note document of its own, which the reader's cursor
    // writes into until the note ends; the note is then stored as RTF on an anchor in the text.

    struct NoteState
    {
        int depth = -1;             ///< enclosing groups of the note keyword; -1: not inside
        bool endnote = false;       ///< \ftnalt: the footnote is an endnote
        std::unique_ptr<QTextDocument> document; ///< the note's text when read as a note
        QTextCursor returnCursor;   ///< where reading goes on when the note ends
    };
    NoteState footnote;
    NoteState annotation;

    /// Inside a footnote or annotation group, however deeply nested.
    bool insideNote() const { return footnote.depth >= 0 || annotation.depth >= 0; }
    /// The cursor writes into a note document, not into the text of the document read.
    bool readingNoteDocument() const { return footnote.document || annotation.document; }
    /// The block format an empty block takes: a note document's paragraphs keep none of the
    /// surrounding paragraph's.
    const QTextBlockFormat &pendingBlockFormat() const;
    /// Delivers text read inside a note: marked in the flow, or into the note's document.
    void deliverNoteText(const QString &text);
    /// Ends the notes whose outermost group closes with depth enclosing groups left.
    void endNotesAt(int depth);
    void endNote(bool isFootnote);
    void insertNote(bool isFootnote, QTextDocument *noteDocument, bool endnote);
    /// Table structure belongs to the text around a note: inside one, a cell end only breaks
    /// the note's paragraph and the other table words are passed over.
    int tableKeywordInNote(const RtfKeywordCall &call);

    int enterNote(const RtfKeywordCall &call);
    int markEndnote(const RtfKeywordCall &call);

    // The system's own writer keeps what a note anchor carries in a private group inside the
    // anchor's link: {\*\qmknote N [\qmknoteflag] [\qmknotecount N] [\qmknotecolour N]
    // {\*\qmknotetext plain text} hexadecimal RTF of the note}, N 1 for a footnote.
    struct NoteAnchorData
    {
        bool isFootnote = false;
        bool flag = false;
        int count = 0;
        QColor colour;
        QString plainText;
    };
    NoteAnchorData noteAnchorData;

    void endNoteData();
    int enterNoteData(const RtfKeywordCall &call);
    int setNoteDetail(const RtfKeywordCall &call);

    // --- Post-processing (postprocessing.cpp) ---

private:
    int parse();
    bool insertNonRtfInput();
    int readControlWord();
    void readPlainText();
    void readHexadecimalRun();
    void deliverToDocument(const QString &text);
    void fillWindow(int maxLength);

    // Steps later parts of the import hook into.
    /// Closes the levels deeper than nestingLevel; the cursor goes on in a new paragraph after
    /// the outermost table closed, or with openParagraph false in the one Qt keeps after it.
    void closeTableLevels(int nestingLevel, bool openParagraph = true);
    /// Opens the paragraph a nested table closed by its last row left pending.
    void openParagraphAfterTable();
    void buildLists();
    void postProcess();
    void storeColourPalette();
};

template <typename Change>
void QMKTextRtfReaderPrivate::changeCharFormat(RtfCharFormatState &target, quint64 changeKey,
                                               Change &&change)
{
    RtfCharFormatPool &pool = charFormatPool;
    int from = target.pooledId();
    if (from == RtfCharFormatPool::NotPooled)
        from = pool.intern(target.format());
    const int known = from == RtfCharFormatPool::NotPooled ? from : pool.changed(from, changeKey);
    if (known != RtfCharFormatPool::NotPooled) {
        target.assign(pool.format(known), known);
        return;
    }
    QTextCharFormat format = target.format();
    change(format);
    const int to = pool.intern(format);
    pool.rememberChange(from, changeKey, to);
    target.assign(to == RtfCharFormatPool::NotPooled ? format : pool.format(to), to);
}

#endif // QMKTEXTRTFREADER_P_H
