#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "qmkunits.h"
#include "rtf/reader/pictureimages_p.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <QBuffer>
#include <QPainter>
#include <QPdfWriter>
#include <QTextImageFormat>
#include <QUrl>

Q_DECLARE_METATYPE(RtfDestination)

class tst_Pictures : public QObject
{
    Q_OBJECT
private slots:
    void displayedSize_data();
    void displayedSize();
    void sourceFormat_data();
    void sourceFormat();
    void pictureNames_data();
    void pictureNames();
    void textBesidePictures();
    void equalPixelsShareResource();
    void pictureTakesCharacterFormat();
    void binaryData_data();
    void binaryData();
    void hostileInput_data();
    void hostileInput();
    void embeddedPdf_data();
    void embeddedPdf();
    void unloadablePdfIsDropped();
    void resourceReachesTargetFromCellDocument_data();
    void resourceReachesTargetFromCellDocument();
    void pictureInTableCell();
    void writerShapes_data();
    void writerShapes();
};

namespace {

QImage testImage(int width = 10, int height = 10, QRgb colour = qRgb(20, 120, 200))
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    image.setPixel(0, 0, qRgb(255, 255, 255));
    return image;
}


const QByteArray png = encodedImage(testImage(), "PNG");
const QByteArray jpeg = encodedImage(testImage(), "JPEG");

// A picture group: its keywords, then the data as hexadecimal digits.
QByteArray picture(const QByteArray &words, const QByteArray &data = png)
{
    return "{\\pict" + words + " " + data.toHex() + "}";
}

QByteArray rtf(const QByteArray &body)
{
    return "{\\rtf1\\ansi " + body + "}";
}

QByteArray letterPdf()
{
    QByteArray pdf;
    QBuffer buffer(&pdf);
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setPageSize(QPageSize(QPageSize::Letter));
    writer.setPageMargins(QMarginsF(0, 0, 0, 0));
    QPainter painter(&writer);
    painter.drawText(QPointF(100, 100), QStringLiteral("x"));
    painter.end();
    return pdf;
}

// The image characters of a document, in order.
QList<QTextImageFormat> images(const QTextDocument &document)
{
    QList<QTextImageFormat> result;
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().charFormat().isImageFormat())
                result.append(it.fragment().charFormat().toImageFormat());
        }
    }
    return result;
}

QImage resource(const QTextDocument &document, const QString &name)
{
    return document.resource(QTextDocument::ImageResource, QUrl(name)).value<QImage>();
}

// Names separated by "|".
QStringList names(const char *list)
{
    return QString::fromUtf8(list).split(QLatin1Char('|'));
}

int goal(int twips)
{
    return qRound(twipsToPixels(twips));
}

} // namespace

void tst_Pictures::displayedSize_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QSizeF>("size");

    const QSizeF goalSize(goal(300), goal(300));
    QTest::newRow("goal size before the kind word")
        << QByteArray("\\picwgoal300\\pichgoal300\\pngblip") << goalSize;
    // These words after the kind word used to end the data mode: the picture was lost.
    QTest::newRow("goal size after the kind word")
        << QByteArray("\\pngblip\\picwgoal300\\pichgoal300") << goalSize;
    QTest::newRow("scales after the kind word")
        << QByteArray("\\pngblip\\picscalex50\\picscaley200") << QSizeF(5, 20);
    QTest::newRow("no goal size: the pixel size") << QByteArray("\\pngblip") << QSizeF(10, 10);
    QTest::newRow("a goal width alone: the pixel size")
        << QByteArray("\\picwgoal300\\pngblip") << QSizeF(10, 10);
    QTest::newRow("goal size 0: the pixel size")
        << QByteArray("\\picwgoal0\\pichgoal0\\pngblip") << QSizeF(10, 10);
    QTest::newRow("scales halve and double the goal size")
        << QByteArray("\\picwgoal300\\pichgoal300\\picscalex50\\picscaley200\\pngblip")
        << QSizeF(goal(300) / 2, goal(300) * 2);
    QTest::newRow("scales round to whole pixels")
        << QByteArray("\\picscalex33\\picscaley67\\pngblip") << QSizeF(3, 7);
    QTest::newRow("one scale alone is not applied")
        << QByteArray("\\picscalex50\\pngblip") << QSizeF(10, 10);
    QTest::newRow("a scale of 0 is not applied")
        << QByteArray("\\picscalex0\\picscaley200\\pngblip") << QSizeF(10, 10);
    QTest::newRow("picture sizes in twips and pixels are not display sizes")
        << QByteArray("\\picw5000\\pich5000\\pngblip") << QSizeF(10, 10);
}

void tst_Pictures::displayedSize()
{
    QFETCH(QByteArray, words);
    QFETCH(QSizeF, size);

    const ImportResult result = importRtf(rtf(picture(words)));
    QVERIFY(result.ok);
    const QList<QTextImageFormat> found = images(*result.document);
    QCOMPARE(found.size(), 1);
    QCOMPARE(QSizeF(found.first().width(), found.first().height()), size);
}

void tst_Pictures::sourceFormat_data()
{
    QTest::addColumn<QByteArray>("words");
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QString>("format");
    QTest::addColumn<bool>("bytesKept");

    QTest::newRow("PNG") << QByteArray("\\pngblip") << png << QStringLiteral("png") << false;
    QTest::newRow("JPEG keeps its bytes") << QByteArray("\\jpegblip") << jpeg
                                          << QStringLiteral("jpeg") << true;
    QTest::newRow("JPEG without a kind word") << QByteArray() << jpeg << QStringLiteral("jpeg")
                                              << true;
    QTest::newRow("PNG marked as JPEG") << QByteArray("\\jpegblip") << png
                                        << QStringLiteral("png") << false;
    QTest::newRow("metafile") << QByteArray("\\wmetafile8") << windowsMetafile(10, 10, 96)
                              << QStringLiteral("wmf") << false;
    QTest::newRow("BMP marked as a metafile") << QByteArray("\\wmetafile8")
                                              << encodedImage(testImage(), "BMP")
                                              << QStringLiteral("bmp") << false;
}

void tst_Pictures::sourceFormat()
{
    QFETCH(QByteArray, words);
    QFETCH(QByteArray, data);
    QFETCH(QString, format);
    QFETCH(bool, bytesKept);

    const ImportResult result = importRtf(rtf(picture(words, data)));
    const QList<QTextImageFormat> found = images(*result.document);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().stringProperty(QMKFormatProperty::PictureSourceFormat), format);
    QCOMPARE(found.first().hasProperty(QMKFormatProperty::PictureSourceBytes), bytesKept);
    if (bytesKept)
        QCOMPARE(found.first().property(QMKFormatProperty::PictureSourceBytes).toByteArray(),
                 data);
    QCOMPARE(resource(*result.document, found.first().name()).size(), QSize(10, 10));
}

void tst_Pictures::pictureNames_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QStringList>("names");

    const QByteArray named = picture("{\\*\\nisusfilename photo one.png}\\pngblip");
    QTest::newRow("numbered in order")
        << picture("\\pngblip") + picture("\\pngblip") << names("Image1|Image2");
    QTest::newRow("a file name is used and takes no number")
        << named + picture("\\pngblip") << names("photo one.png|Image1");
    QTest::newRow("a file name does not outlive its picture")
        << picture("\\pngblip") + named + picture("\\pngblip")
        << names("Image1|photo one.png|Image2");
    QTest::newRow("undecodable pictures take no number")
        << picture("\\pngblip", "garbage") + picture("\\pngblip") << names("Image1");
    const QByteArray shape = "{\\shp{\\*\\shpinst{\\sp{\\sn fFilled}{\\sv 0}}{\\sp{\\sn pib}{\\sv "
        + picture("\\pngblip") + "}}}{\\shprslt " + picture("\\pngblip") + "}}";
    QTest::newRow("a picture shape's picture, its result skipped") << shape << names("Image1");
    QTest::newRow("a shape's result when it is the only copy")
        << "{\\shp{\\*\\shpinst{\\sp{\\sn fLine}{\\sv 0}}}{\\shprslt " + picture("\\pngblip") + "}}"
        << names("Image1");
    QTest::newRow("file name with escapes")
        << picture("{\\*\\nisusfilename caf\\'e9\\{1\\}.png}\\pngblip")
        << QStringList{QString::fromUtf8("caf\xc3\xa9{1}.png")};
}

void tst_Pictures::pictureNames()
{
    QFETCH(QByteArray, body);
    QFETCH(QStringList, names);

    const ImportResult result = importRtf(rtf(body));
    QStringList found;
    for (const QTextImageFormat &format : images(*result.document))
        found.append(format.stringProperty(QMKFormatProperty::PictureName));
    QCOMPARE(found, names);
}

void tst_Pictures::textBesidePictures()
{
    // MathML and file names are text inside a picture whose data words keep hexadecimal mode.
    const QByteArray mathML = "<math><mi>x</mi><mn>2</mn></math>";
    const ImportResult result = importRtf(
        rtf("a" + picture("{\\*\\nisusfilename eq.png}{\\*\\mathmlequation " + mathML + "}"
                          "\\pngblip")
            + "b" + picture("\\pngblip") + "c"));
    QVERIFY(result.ok);
    QCOMPARE(result.text(), QStringLiteral("a\ufffcb\ufffcc"));
    const QList<QTextImageFormat> found = images(*result.document);
    QCOMPARE(found.size(), 2);
    QCOMPARE(found.at(0).stringProperty(QMKFormatProperty::PictureName), QStringLiteral("eq.png"));
    QCOMPARE(found.at(0).stringProperty(QMKFormatProperty::MathMLText),
             QString::fromLatin1(mathML));
    QVERIFY(!found.at(1).hasProperty(QMKFormatProperty::MathMLText));
}

void tst_Pictures::equalPixelsShareResource()
{
    const QByteArray other = encodedImage(testImage(10, 10, qRgb(0, 0, 0)), "PNG");
    const ImportResult result = importRtf(rtf(
        picture("\\pngblip") + picture("\\picwgoal600\\pichgoal600\\pngblip")
        + picture("\\pngblip", other)));
    const QList<QTextImageFormat> found = images(*result.document);
    QCOMPARE(found.size(), 3);
    QCOMPARE(found.at(0).name(), found.at(1).name());
    QVERIFY(found.at(0).name() != found.at(2).name());
    QCOMPARE(found.at(0).name(), imageKey(resource(*result.document, found.at(0).name())));
    QCOMPARE(resource(*result.document, found.at(2).name()).pixel(5, 5), qRgb(0, 0, 0));
}

void tst_Pictures::pictureTakesCharacterFormat()
{
    const ImportResult result = importRtf(rtf("{\\b\\up6 " + picture("\\pngblip") + "}"));
    const QList<QTextImageFormat> found = images(*result.document);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found.first().fontWeight(), int(QFont::Bold));
    QCOMPARE(found.first().intProperty(QMKFormatProperty::VerticalOffset), 6);
    QVERIFY(found.first().isImageFormat());
}

void tst_Pictures::binaryData_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("ok");
    QTest::addColumn<int>("imageCount");
    QTest::addColumn<QString>("text");

    const QByteArray count = QByteArray::number(png.size());
    QTest::newRow("a whole PNG") << rtf("a{\\pict\\pngblip\\bin" + count + " " + png + "}b")
                                 << true << 1 << QStringLiteral("a\ufffcb");
    QTest::newRow("replaces digits read before it")
        << rtf("{\\pict\\pngblip 0102\\bin" + count + " " + png + "}") << true << 1
        << QStringLiteral("\ufffc");
    QTest::newRow("braces and backslashes in the data are data")
        << rtf("a{\\bin6 }{\\x}\\}b") << true << 0 << QStringLiteral("ab");
    // Before, \bin in a skipped group was not run: its bytes were read as RTF.
    QTest::newRow("in a skipped group, braces in the data are data")
        << rtf("a{\\*\\qmkunknown\\bin5 }{b}}}c") << true << 0 << QStringLiteral("ac");
    QTest::newRow("in a nested skipped group")
        << rtf("a{\\*\\shpinst{\\sp{\\sv{\\pict\\bin4 }}}{}}}}c") << true << 0
        << QStringLiteral("ac");
    QTest::newRow("in a skipped group, count beyond the input")
        << rtf("a{\\*\\qmkunknown\\bin900 x}c") << false << 0 << QStringLiteral("ac");
    QTest::newRow("data reaching the end of input")
        << QByteArray("{\\rtf1 a{\\bin5 12345") << false << 0 << QStringLiteral("a12345");
    QTest::newRow("count far beyond the input")
        << rtf("a{\\bin2000000000 x}b") << false << 0 << QStringLiteral("axb");
    QTest::newRow("count wrapping to a negative number")
        << rtf("a{\\bin4294967295 x}b") << true << 0 << QStringLiteral("axb");
    QTest::newRow("no count") << rtf("a{\\bin x}b") << true << 0 << QStringLiteral("axb");
}

void tst_Pictures::binaryData()
{
    QFETCH(QByteArray, input);
    QFETCH(bool, ok);
    QFETCH(int, imageCount);
    QFETCH(QString, text);

    const ImportResult result = importRtf(input);
    QCOMPARE(result.ok, ok);
    if (!ok)
        QVERIFY2(result.error.startsWith(QStringLiteral("Invalid control word parameter")),
                 qPrintable(result.error));
    QCOMPARE(images(*result.document).size(), imageCount);
    QCOMPARE(result.text(), text);
}

void tst_Pictures::hostileInput_data()
{
    QTest::addColumn<QByteArray>("input");

    // The IHDR of a 100000 x 100000 PNG and nothing after it.
    const QByteArray hugeHeader = QByteArray::fromHex(
        "89504e470d0a1a0a0000000d49484452000186a0000186a00806000000");
    QTest::newRow("PNG declaring 100000 x 100000 pixels") << rtf(picture("\\pngblip", hugeHeader));
    QTest::newRow("PNG cut in half") << rtf(picture("\\pngblip", png.left(png.size() / 2)));
    QTest::newRow("JPEG cut in half") << rtf(picture("\\jpegblip", jpeg.left(jpeg.size() / 2)));
    QTest::newRow("garbage digits") << rtf("{\\pict\\pngblip zz-9q8gfed%%cba}");
    QTest::newRow("odd number of digits") << rtf("{\\pict\\pngblip 89504e470}");
    QTest::newRow("empty picture") << rtf("{\\pict\\pngblip}");
    QTest::newRow("picture never closed") << QByteArray("{\\rtf1{\\pict\\pngblip ") + png.toHex();
    QTest::newRow("metafile header alone") << rtf(picture("\\wmetafile8", QByteArray::fromHex(
                                                             "010009000003220000000000")));
    QTest::newRow("metafile 32767 inches wide")
        << rtf(picture("\\wmetafile8", windowsMetafile(32767, 32767, 1)));
    QTest::newRow("huge goal and scale")
        << rtf(picture("\\picwgoal2147483647\\pichgoal2147483647\\picscalex2147483647"
                       "\\picscaley2147483647\\pngblip"));
}

void tst_Pictures::hostileInput()
{
    QFETCH(QByteArray, input);

    // Dropped, or kept when it decodes; never a crash and never an allocation of its size.
    const ImportResult result = importRtf(input);
    for (const QTextImageFormat &format : images(*result.document))
        QVERIFY(!resource(*result.document, format.name()).isNull());
}

void tst_Pictures::embeddedPdf_data()
{
    QTest::addColumn<QByteArray>("fileNameGroup");
    QTest::addColumn<QString>("pictureName");
    QTest::addColumn<QString>("pdfFileName");

    QTest::newRow("named") << QByteArray("{\\*\\pdffilename MathTypeEdEqeq1}")
                           << QStringLiteral("MathTypeEdEqeq1")
                           << QStringLiteral("MathTypeEdEqeq1");
    QTest::newRow("unnamed: the image key") << QByteArray() << QString() << QString();
}

void tst_Pictures::embeddedPdf()
{
    QFETCH(QByteArray, fileNameGroup);
    QFETCH(QString, pictureName);
    QFETCH(QString, pdfFileName);

    // As the system's own writer nests it.
    const QByteArray pdf = letterPdf();
    const ImportResult result = importRtf(
        rtf("a{\\*\\quillmarkpdf {" + fileNameGroup + pdf.toHex() + "}}b"));
    QVERIFY(result.ok);
    QCOMPARE(result.text(), QStringLiteral("a\ufffcb"));
    const QList<QTextImageFormat> found = images(*result.document);
    QCOMPARE(found.size(), 1);
    const QTextImageFormat format = found.first();
    QCOMPARE(QSizeF(format.width(), format.height()), QSizeF(1224, 1584));
    QCOMPARE(resource(*result.document, format.name()).size(), QSize(1224, 1584));
    QCOMPARE(format.property(QMKFormatProperty::PdfData).toByteArray(), pdf);
    QCOMPARE(format.stringProperty(QMKFormatProperty::PictureName),
             pictureName.isEmpty() ? format.name() : pictureName);
    QCOMPARE(format.stringProperty(QMKFormatProperty::PdfFileName), pdfFileName);
}

void tst_Pictures::unloadablePdfIsDropped()
{
    const ImportResult result = importRtf(
        rtf("a{\\*\\quillmarkpdf {{\\*\\pdffilename x}" + QByteArray("%PDF-1.4 nothing").toHex()
            + "}}b"));
    QVERIFY(result.ok);
    QCOMPARE(result.text(), QStringLiteral("ab"));
}

void tst_Pictures::resourceReachesTargetFromCellDocument_data()
{
    QTest::addColumn<RtfDestination>("destination");
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("picture") << RtfDestination::Picture << png;
    QTest::newRow("embedded PDF") << RtfDestination::EmbeddedPdf << letterPdf();
}

void tst_Pictures::resourceReachesTargetFromCellDocument()
{
    QFETCH(RtfDestination, destination);
    QFETCH(QByteArray, data);

    // A cell is read into a document of its own, released once the row is placed: before, the
    // image lived only there and vanished from the result.
    QTextDocument target;
    QTextDocument cell;
    QMKTextRtfReaderPrivate reader(nullptr);
    reader.document = &target;
    reader.cursor = QTextCursor(&cell);
    reader.rawData = data;
    reader.state.destination = destination;
    reader.endDestination(destination);

    const QList<QTextImageFormat> found = images(cell);
    QCOMPARE(found.size(), 1);
    QVERIFY(!resource(cell, found.first().name()).isNull());
    QCOMPARE(resource(target, found.first().name()), resource(cell, found.first().name()));
}

void tst_Pictures::pictureInTableCell()
{
    // Before, the resource stayed in the cell's own document, released after the row.
    const ImportResult result = importRtf(rtf("\\trowd\\cellx3000\\cellx6000\\pard\\intbl a"
                                              + picture("\\pngblip") + "\\cell b\\cell\\row\\pard after\\par"));
    QVERIFY(result.ok);
    const QList<QTextImageFormat> found = images(*result.document);
    QCOMPARE(found.size(), 1);
    QVERIFY(QTextCursor(result.document.get()).currentTable() == nullptr);
    const QImage image = resource(*result.document, found.first().name());
    QCOMPARE(image.size(), QSize(10, 10));
    QVERIFY(result.text().contains(QLatin1String("after")));
}

void tst_Pictures::writerShapes_data()
{
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<QSizeF>("size");

    QByteArray wrapped;
    const QByteArray hex = png.toHex();
    for (int i = 0; i < hex.size(); i += 128)
        wrapped += hex.mid(i, 128) + "\r\n";
    // Word: the picture in \shppict, a metafile copy for old readers in \nonshppict.
    QTest::newRow("Word")
        << "{\\*\\shppict{\\pict{\\*\\picprop\\shplid1025{\\sp{\\sn shapeType}{\\sv 75}}"
           "{\\sp{\\sn fFlipH}{\\sv 0}}}\\picscalex100\\picscaley100\\piccropl0\\piccropr0"
           "\\piccropt0\\piccropb0\\picw265\\pich265\\picwgoal600\\pichgoal450\\pngblip"
           "\\bliptag-1234567{\\*\\blipuid 0a1b2c3d4e5f60718293a4b5c6d7e8f9}\r\n" + wrapped
           + "}}{\\nonshppict{\\pict\\picscalex100\\picscaley100\\picw265\\pich265"
             "\\picwgoal600\\pichgoal450\\wmetafile8\\bliptag-1234567 0100090000032200}}"
        << QSizeF(goal(600), goal(450));
    QTest::newRow("LibreOffice")
        << "{\\*\\shppict{\\pict{\\*\\picprop{\\sp{\\sn wzDescription}{\\sv }}{\\sp{\\sn wzName}"
           "{\\sv }}}\\picscalex50\\picscaley50\\piccropl0\\piccropr0\\piccropt0\\piccropb0"
           "\\picw265\\pich265\\picwgoal600\\pichgoal600\\pngblip\n" + wrapped + "}}"
        << QSizeF(goal(600) / 2, goal(600) / 2);
    QTest::newRow("WordPad") << "{\\pict\\wmetafile8\\picw265\\pich265\\picwgoal600"
                                "\\pichgoal600 \\jpegblip " + jpeg.toHex() + "}"
                             << QSizeF(goal(600), goal(600));
}

void tst_Pictures::writerShapes()
{
    QFETCH(QByteArray, body);
    QFETCH(QSizeF, size);

    const ImportResult result = importRtf(rtf("\\pard\\plain " + body + "\\par"));
    QVERIFY(result.ok);
    const QList<QTextImageFormat> found = images(*result.document);
    QCOMPARE(found.size(), 1);
    QCOMPARE(QSizeF(found.first().width(), found.first().height()), size);
    QCOMPARE(resource(*result.document, found.first().name()).size(), QSize(10, 10));
}

QMK_TEST_MAIN(tst_Pictures)
#include "tst_pictures.moc"
