#ifndef QMKFORMATPROPERTIES_H
#define QMKFORMATPROPERTIES_H

#include <QTextFormat>

// Identifiers of the format properties the reader sets and the writer reads, beyond what Qt's
// own properties say. Lengths are pixels at Qt's text resolution unless stated otherwise; an
// absent property reads as false, 0, -1 or the empty string.
struct QMKFormatProperty
{
    enum : int {
        // Block properties in Qt's range that Qt gives no meaning to.
        HeadIndent = 0x1036,          ///< double: indent of all lines but the first
        TailIndent = 0x1037,          ///< double: left text edge to the right end of the lines
        LineSpacing = 0x10B0,         ///< double, points: \sl / 20; < 0 exactly, > 0 at least
        LineSpacingBase = 0x10B1,     ///< double, points: 12 when proportional, else 0 or absent

        // List format: the level definitions (QVariantList of list levels).
        ListLevels = 0x3002,

        // Custom properties, counted from QTextFormat::UserProperty.
        ListNumber = 0x100001,        ///< block, int: \ls number of the paragraph's list
        ListLevel = 0x100002,         ///< block, int: \ilvl level within the list
        MathMLText = 0x100004,        ///< image character, string
        PdfData = 0x100005,           ///< image character, byte array: the PDF rendered
        PdfFileName = 0x100006,       ///< image character, string: \pdffilename
        VerticalOffset = 0x100007,    ///< character, int, half-points: \up (> 0), \dn (< 0)
        RevisionLevel = 0x100008,     ///< character, int 1 to 5
        StyleIdentifier = 0x100009,   ///< block and character, QUuid
        PictureSourceBytes = 0x100033,  ///< image character, byte array as read
        PictureSourceFormat = 0x100034, ///< image character, string such as "jpeg"
        PictureName = 0x100035,       ///< image character, string; preferred over ImageName
        InlineAnnotation = 0x100046,  ///< character, bool: comment text kept in the flow
        InlineFootnote = 0x100047,    ///< character, bool: footnote text kept in the flow
        LinkedComment = 0x100064,     ///< character, bool: anchor of a comment note
        LinkedFootnote = 0x100065,    ///< character, bool: anchor of a footnote note
        NoteAnchor = 0x100066,        ///< character, bool: carries note content
        NoteIdentifier = 0x100067,    ///< character, string: upper-case UUID without braces
        NoteContent = 0x100068,       ///< character, byte array: the note as RTF
        NoteColour = 0x100069,        ///< character, QColor: comments only
        NoteFlag = 0x10006A,          ///< character, bool
        NoteCount = 0x10006B,         ///< character, int, stored only when above 0
        NotePlainText = 0x10006C,     ///< character, string
        KeepWithNext = 0x100133,      ///< block, bool
        DefaultTabWidth = 0x100135,   ///< block, double: \deftab, \pardeftab
        OutlineLevel = 0x100136,      ///< block, int: \outlinelevel
        NoPageBreakBefore = 0x100137, ///< block, bool
        BookmarkName = 0x1000D5,      ///< character, string
        InternalLinkTarget = 0x1000D6, ///< character, string: bookmark a link points to
        SectionBreakBefore = 0x1000E2, ///< block, bool
        SectionKind = 0x1000E3,       ///< block, int 1 to 3: header and footer set
    };
};

static_assert(QMKFormatProperty::ListNumber == QTextFormat::UserProperty + 1,
              "custom properties count up from QTextFormat::UserProperty");

// Names of the dynamic properties set on the document object.
struct QMKDocumentProperty
{
    /// map from 8-bit RGB to high-precision colour, the expanded colour table
    static constexpr const char *RgbToHighDefColorPalette = "RgbToHighDefColorPalette";
    static constexpr const char *PaperSize = "paperSize";       ///< QSizeF, points
    static constexpr const char *LeftMargin = "leftMargin";     ///< number, points
    static constexpr const char *TopMargin = "topMargin";       ///< number, points
    static constexpr const char *RightMargin = "rightMargin";   ///< number, points
    static constexpr const char *BottomMargin = "bottomMargin"; ///< number, points
};

#endif // QMKFORMATPROPERTIES_H
