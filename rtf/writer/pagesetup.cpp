// The page (paper, margins, default tab) stated once for the document, and what export mode
// adds for other applications: document information, footnote numbering and section starts.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "qmkformatproperties.h"
#include "qmkunits.h"

#include <QDateTime>
#include <QSizeF>
#include <QTextBlock>
#include <QTextDocument>
#include <QVariant>

namespace {

constexpr int DefaultTabTwips = 720;

int twipsFromPoints(double points)
{
    return qRound(points * 20);
}

} // namespace

void QMKTextRtfWriterPrivate::computePageSetup()
{
    page = RtfPageSetup();
    const QVariant paper = document->property(QMKDocumentProperty::PaperSize);
    if (paper.isValid()) {
        const QSizeF size = paper.toSizeF();
        page.paperWidth = twipsFromPoints(size.width());
        page.paperHeight = twipsFromPoints(size.height());
    }
    const QVariant margins[] = {document->property(QMKDocumentProperty::LeftMargin),
                                document->property(QMKDocumentProperty::TopMargin),
                                document->property(QMKDocumentProperty::RightMargin),
                                document->property(QMKDocumentProperty::BottomMargin)};
    for (const QVariant &margin : margins) {
        if (!margin.isValid())
            return;
    }
    page.leftMargin = twipsFromPoints(margins[0].toDouble());
    page.topMargin = twipsFromPoints(margins[1].toDouble());
    page.rightMargin = twipsFromPoints(margins[2].toDouble());
    page.bottomMargin = twipsFromPoints(margins[3].toDouble());
}

void QMKTextRtfWriterPrivate::writePageSetup()
{
    writeKeyword(KwPaperw, page.paperWidth);
    writeKeyword(KwPaperh, page.paperHeight);
    writeKeyword(KwMargl, page.leftMargin);
    writeKeyword(KwMargr, page.rightMargin);
    writeKeyword(KwMargt, page.topMargin);
    writeKeyword(KwMargb, page.bottomMargin);
    const int tab = qRound(pixelsToTwips(document->defaultTextOption().tabStopDistance()));
    if (tab != 0 && tab != DefaultTabTwips)
        writeKeyword(KwDeftab, tab);
}

void QMKTextRtfWriterPrivate::writeInformation()
{
    if (!exportMode || title.isEmpty())
        return;
    const QDateTime now = QDateTime::currentDateTime();
    const QString created =
        QStringLiteral("{\\creatim\\yr%1\\mo%2\\dy%3\\hr%4\\min%5\\sec%6}\n")
            .arg(now.date().year()).arg(now.date().month()).arg(now.date().day())
            .arg(now.time().hour()).arg(now.time().minute()).arg(now.time().second());
    QString revised = created;
    revised.replace(QLatin1String("\\creatim\\"), QLatin1String("\\revtim\\"));

    writeChar('{');
    writeKeyword(KwInfo);
    writeNewline();
    const std::pair<const char *, const QString *> entries[] = {
        {"title", &title}, {"subject", &subject}, {"doccomm", &comment},
        {"author", &author}, {"*\\company", &company}};
    for (const auto &entry : entries) {
        if (entry.second->isEmpty())
            continue;
        out.append("{\\");
        out.append(entry.first);
        out.append(' ');
        writeText(*entry.second, 0, false, false, false, QString());
        writeChar('}');
        writeNewline();
    }
    out.append(created.toLatin1());
    out.append(revised.toLatin1());
    if (!keywords.isEmpty()) {
        out.append("{\\keywords ");
        writeText(keywords, 0, false, false, false, QString());
        writeChar('}');
    }
    writeChar('}');
}

void QMKTextRtfWriterPrivate::writeDocumentFootnoteSettings()
{
    writeKeyword(KwFet, 2);
    writeKeyword(KwFtnbj);
    writeKeyword(KwAenddoc);
    writeNewline();
}

void QMKTextRtfWriterPrivate::writeSectionFootnoteSettings()
{
    writeKeyword(KwSftnnar);
    writeRaw("\\saftnnar");
}

// Only the first section is opened without a break: the paragraphs that start later sections
// carry the break themselves, and it must not be stated twice as \pagebb.
void QMKTextRtfWriterPrivate::writeSectionStart(const QTextBlock &block,
                                                QTextBlockFormat &format)
{
    Q_UNUSED(block);
    if (firstSection) {
        firstSection = false;
        writeSectionFootnoteSettings();
        writeKeyword(KwPgndec);
        writeKeyword(KwPgnrestart);
        writeKeyword(KwPgnstarts, 1);
        writeRaw("{\\header{}}{\\footer{}}");
        delimiterPending = false;
    } else if (format.boolProperty(QMKFormatProperty::SectionBreakBefore)) {
        writeNewline();
        writeKeyword(KwSect);
        writeKeyword(KwSectd);
        writeNewline();
        writeSectionFootnoteSettings();
        writeKeyword(KwPgndec);
        writeKeyword(KwPgncont);
    } else {
        return;
    }
    format.setProperty(QMKFormatProperty::NoPageBreakBefore, true);
}
