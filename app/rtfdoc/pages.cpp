#include "app/rtfdoc/pages.h"

#include "qmkformatproperties.h"
#include "qmklistlevel.h"
#include "qmkunits.h"

#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSet>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QVector>

namespace {

const int TwipsPerInch = 1440;
const int LargestSide = 22 * TwipsPerInch;
const int Dpi = 96;

QSizeF textArea(const PageGeometry &page)
{
    return QSizeF(twipsToPixels(page.paper.width() - page.margins.left() - page.margins.right()),
                  twipsToPixels(page.paper.height() - page.margins.top()
                                - page.margins.bottom()));
}

// The text area of one page, with the painter's origin at its top left corner.
void paintPage(QPainter *painter, QTextDocument *document, int pageIndex)
{
    const QSizeF size = document->pageSize();
    const QRectF pageRect(QPointF(0, pageIndex * size.height()), size);
    painter->save();
    painter->translate(0, -pageRect.top());
    document->drawContents(painter, pageRect);
    painter->restore();
}

} // namespace

PageGeometry usablePage(const PageGeometry &declared)
{
    const QSize &paper = declared.paper;
    const QMargins &margins = declared.margins;
    const bool usable = paper.width() <= LargestSide && paper.height() <= LargestSide
        && margins.left() >= 0 && margins.top() >= 0 && margins.right() >= 0
        && margins.bottom() >= 0
        && qint64(paper.width()) - margins.left() - margins.right() >= TwipsPerInch
        && qint64(paper.height()) - margins.top() - margins.bottom() >= TwipsPerInch;
    if (usable)
        return declared;
    return PageGeometry{QSize(12240, 15840), QMargins(1800, 1440, 1800, 1440)};
}

void setPageProperties(QTextDocument *document, const PageGeometry &page)
{
    const double pointsPerTwip = 1.0 / 20;
    document->setProperty(QMKDocumentProperty::PaperSize, QSizeF(page.paper) * pointsPerTwip);
    document->setProperty(QMKDocumentProperty::LeftMargin, page.margins.left() * pointsPerTwip);
    document->setProperty(QMKDocumentProperty::TopMargin, page.margins.top() * pointsPerTwip);
    document->setProperty(QMKDocumentProperty::RightMargin,
                          page.margins.right() * pointsPerTwip);
    document->setProperty(QMKDocumentProperty::BottomMargin,
                          page.margins.bottom() * pointsPerTwip);
}

void insertListLabels(QTextDocument *document)
{
    // Labels are rendered before any text is inserted: inserting moves the blocks after.
    QVector<QPair<QTextBlock, QString>> labels;
    QSet<QTextList *> done;
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
        QTextList *list = block.textList();
        if (!list || done.contains(list))
            continue;
        done.insert(list);
        const QStringList texts = listItemTexts(list);
        for (int item = 0; item < texts.size() && item < list->count(); ++item)
            labels.append({list->item(item), texts.at(item)});
    }
    QTextCursor cursor(document);
    cursor.beginEditBlock();
    for (const auto &label : labels) {
        if (label.second.isEmpty())
            continue;
        cursor.setPosition(label.first.position());
        // The label looks like the item's first character, unless that is a picture.
        QTextCharFormat format = cursor.charFormat();
        if (format.isImageFormat())
            format = label.first.charFormat();
        cursor.insertText(label.second + QLatin1Char(' '), format);
    }
    cursor.endEditBlock();
}

int layOutOnPages(QTextDocument *document, const PageGeometry &page)
{
    // The page's margins are the RTF's: the document adds none of its own.
    document->setDocumentMargin(0);
    document->setPageSize(textArea(page));
    return document->pageCount();
}

bool writePdf(QTextDocument *document, const PageGeometry &page, const QString &path)
{
    QPdfWriter writer(path);
    writer.setCreator(QStringLiteral("rtfdoc"));
    // At the layout's resolution a painter unit is a layout pixel.
    writer.setResolution(Dpi);
    const QMargins &m = page.margins;
    writer.setPageLayout(QPageLayout(
        QPageSize(QSizeF(page.paper) / 20, QPageSize::Point), QPageLayout::Portrait,
        QMarginsF(m.left(), m.top(), m.right(), m.bottom()) / 20, QPageLayout::Point));
    QPainter painter;
    if (!painter.begin(&writer))
        return false;
    const int pages = document->pageCount();
    for (int index = 0; index < pages; ++index) {
        if (index > 0)
            writer.newPage();
        paintPage(&painter, document, index);
    }
    return painter.end();
}

bool writePng(QTextDocument *document, const PageGeometry &page, int pageIndex,
              const QString &path)
{
    QImage image(qRound(twipsToPixels(page.paper.width())),
                 qRound(twipsToPixels(page.paper.height())), QImage::Format_RGB32);
    const int dotsPerMetre = qRound(Dpi / 0.0254);
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    image.fill(Qt::white);
    {
        QPainter painter(&image);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing
                               | QPainter::SmoothPixmapTransform);
        painter.translate(twipsToPixels(page.margins.left()), twipsToPixels(page.margins.top()));
        paintPage(&painter, document, pageIndex);
    }
    return image.save(path, "PNG");
}
