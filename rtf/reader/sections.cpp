// Sections, headers and footers: their text is read into the body, and where each ends, the
// paragraph it ends is ended too.

#include "rtf/reader/qmktextrtfreader_p.h"

#include <QTextBlock>

void QMKTextRtfReaderPrivate::endParagraphWithContent()
{
    // Word writes \par before \sect as often as not: an empty paragraph is not ended twice.
    if (textRun.text.isEmpty() && cursor.block().length() <= 1)
        return;
    beginParagraphText();
    commitTextRun();
    cursor.insertBlock();
}

int QMKTextRtfReaderPrivate::endSection(const RtfKeywordCall &)
{
    // "a\sect b" is two paragraphs in every word processor, not "ab".
    endParagraphWithContent();
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterHeaderFooter(const RtfKeywordCall &)
{
    // A header's last paragraph often has no \par: it would run into the body's first word.
    // Its text stands apart from the text around it at both ends.
    endParagraphWithContent();
    state.endsParagraph = true;
    return RtfStatus::Ok;
}
