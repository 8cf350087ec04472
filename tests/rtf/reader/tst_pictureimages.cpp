#include "support/testsupport.h"

#include "rtf/reader/pictureimages_p.h"

#include <QBuffer>
#include <QRegularExpression>

class tst_PictureImages : public QObject
{
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
    void metafiles_data();
    void metafiles();
    void largeMetafilesDrawnSmaller_data();
    void largeMetafilesDrawnSmaller();
    void sizeLimit_data();
    void sizeLimit();
    void undecodable_data();
    void undecodable();
    void keyFormat();
    void keyIgnoresLinePadding_data();
    void keyIgnoresLinePadding();
    void keyFollowsPixels_data();
    void keyFollowsPixels();
};

namespace {

QImage smallImage()
{
    QImage image(10, 6, QImage::Format_RGB32);
    image.fill(Qt::white);
    image.setPixel(2, 3, qRgb(200, 10, 30));
    return image;
}


// One bit per pixel keeps pictures of a hundred megapixels at a few megabytes.
QByteArray monochromePng(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.fill(0);
    return encodedImage(image, "PNG");
}

} // namespace

void tst_PictureImages::decodes_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QByteArray>("usedFormat");

    const QByteArray png = encodedImage(smallImage(), "PNG");
    QTest::newRow("PNG named as such") << png << QByteArray("PNG") << QByteArray("png");
    QTest::newRow("PNG without a name") << png << QByteArray() << QByteArray("png");
    QTest::newRow("PNG named JPEG") << png << QByteArray("JPEG") << QByteArray("png");
    QTest::newRow("PNG named as a metafile") << png << QByteArray("WMF") << QByteArray("png");
    QTest::newRow("JPEG") << encodedImage(smallImage(), "JPEG") << QByteArray("JPEG")
                          << QByteArray("jpeg");
    QTest::newRow("BMP without a name") << encodedImage(smallImage(), "BMP") << QByteArray()
                                        << QByteArray("bmp");
}

void tst_PictureImages::decodes()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, format);
    QFETCH(QByteArray, usedFormat);

    const DecodedPicture decoded = loadImage(data, format);
    QCOMPARE(decoded.image.size(), QSize(10, 6));
    QCOMPARE(decoded.format, usedFormat);
}

void tst_PictureImages::metafiles_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QSize>("size");

    QTest::newRow("placeable, one inch by half an inch")
        << windowsMetafile(1440, 720, 1440) << QSize(96, 48);
    // Without the placeable header libwmf takes a window unit for a point.
    QTest::newRow("plain, as in RTF") << windowsMetafile(144, 72) << QSize(192, 96);
}

void tst_PictureImages::metafiles()
{
    QFETCH(QByteArray, data);
    QFETCH(QSize, size);

    const DecodedPicture decoded = loadImage(data, "WMF");
    QCOMPARE(decoded.format, QByteArray("wmf"));
    // libwmf may add a pixel for the right and bottom edges.
    QVERIFY2(qAbs(decoded.image.width() - size.width()) <= 1
                 && qAbs(decoded.image.height() - size.height()) <= 1,
             qPrintable(QStringLiteral("%1x%2").arg(decoded.image.width())
                            .arg(decoded.image.height())));
    QCOMPARE(QColor(decoded.image.pixel(size.width() / 2, size.height() / 2)), QColor(Qt::red));
}

void tst_PictureImages::largeMetafilesDrawnSmaller_data()
{
    QTest::addColumn<QByteArray>("data");

    QTest::newRow("plain, 8000 x 4000 points") << windowsMetafile(8000, 4000);
    QTest::newRow("placeable, 1000 x 500 inches") << windowsMetafile(1000, 500, 1);
    QTest::newRow("placeable, 32767 x 16383 inches") << windowsMetafile(32767, 16383, 1);
}

void tst_PictureImages::largeMetafilesDrawnSmaller()
{
    QFETCH(QByteArray, data);

    const QImage image = loadImage(data, "WMF").image;
    QVERIFY(!image.isNull());
    QVERIFY2(image.width() <= 4096, qPrintable(QString::number(image.width())));
    QVERIFY(qAbs(image.width() - 2 * image.height()) <= 2);
    QCOMPARE(QColor(image.pixel(image.width() / 2, image.height() / 2)), QColor(Qt::red));
}

void tst_PictureImages::sizeLimit_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<bool>("decoded");

    // Before the limit, every one of these was decoded, whatever it cost.
    QTest::newRow("100 megapixels") << monochromePng(10000, 10000) << true;
    QTest::newRow("just over 100 megapixels") << monochromePng(10000, 10001) << false;
    QTest::newRow("32768 pixels wide") << monochromePng(32768, 2) << true;
    QTest::newRow("32769 pixels wide") << monochromePng(32769, 2) << false;
    QTest::newRow("32769 pixels high") << monochromePng(2, 32769) << false;
}

void tst_PictureImages::sizeLimit()
{
    QFETCH(QByteArray, data);
    QFETCH(bool, decoded);

    QCOMPARE(!loadImage(data, "PNG").image.isNull(), decoded);
}

void tst_PictureImages::undecodable_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("format");

    const QByteArray png = encodedImage(smallImage(), "PNG");
    QTest::newRow("no bytes") << QByteArray() << QByteArray("PNG");
    QTest::newRow("garbage") << QByteArray("\x01\x02\x03 not a picture") << QByteArray("PNG");
    QTest::newRow("PNG signature alone") << png.left(8) << QByteArray("PNG");
    QTest::newRow("PNG cut after its header") << png.left(33) << QByteArray("PNG");
    QTest::newRow("JPEG cut after its markers") << encodedImage(smallImage(), "JPEG").left(200)
                                                << QByteArray("JPEG");
    QTest::newRow("metafile header alone") << windowsMetafile(144, 72).left(18)
                                           << QByteArray("WMF");
    QTest::newRow("metafile cut in its records") << windowsMetafile(144, 72).left(30)
                                                 << QByteArray("WMF");
    // The header of a 20000 x 20000 PNG with no pixel data: 1.6 GB if it were allocated.
    QTest::newRow("PNG declaring 400 megapixels, cut")
        << monochromePng(20000, 20000).left(100) << QByteArray("PNG");
}

void tst_PictureImages::undecodable()
{
    QFETCH(QByteArray, data);
    QFETCH(QByteArray, format);

    const DecodedPicture decoded = loadImage(data, format);
    QVERIFY(decoded.image.isNull());
    QVERIFY(decoded.format.isEmpty());
}

void tst_PictureImages::keyFormat()
{
    QVERIFY(imageKey(QImage()).isEmpty());
    const QString key = imageKey(smallImage());
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{3}(-\\d{3}){15}$")).match(key).hasMatch(),
             qPrintable(key));
}

void tst_PictureImages::keyFollowsPixels_data()
{
    QTest::addColumn<QImage>("other");
    QTest::addColumn<bool>("sameKey");

    QImage changed = smallImage();
    changed.setPixel(9, 5, qRgb(0, 0, 0));
    QTest::newRow("a copy") << smallImage().copy() << true;
    QTest::newRow("decoded from PNG") << loadImage(encodedImage(smallImage(), "PNG"), "PNG").image
                                         .convertToFormat(QImage::Format_RGB32)
                                      << true;
    QTest::newRow("one pixel changed") << changed << false;
    QTest::newRow("last row cut off") << smallImage().copy(0, 0, 10, 5) << false;
}

void tst_PictureImages::keyIgnoresLinePadding_data()
{
    QTest::addColumn<int>("format");

    // 17 pixels a line: padded to whole 4-byte words, and for one-bit lines the last byte also
    // holds 7 bits that are no pixel. Before, whatever a decoder had left there was hashed
    // and changed the name of the same pixels from one run to the next.
    QTest::newRow("one byte per pixel") << int(QImage::Format_Indexed8);
    QTest::newRow("one bit per pixel, first bit left") << int(QImage::Format_Mono);
    QTest::newRow("one bit per pixel, first bit right") << int(QImage::Format_MonoLSB);
}

void tst_PictureImages::keyIgnoresLinePadding()
{
    QFETCH(int, format);

    QImage first(17, 3, QImage::Format(format));
    first.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    QImage second = first.copy();
    std::fill_n(first.bits(), first.sizeInBytes(), uchar(0x00));
    std::fill_n(second.bits(), second.sizeInBytes(), uchar(0xFF));
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 17; ++x) {
            first.setPixel(x, y, uint((x + y) % 2));
            second.setPixel(x, y, uint((x + y) % 2));
        }
    }
    QCOMPARE(imageKey(first), imageKey(second));
}

void tst_PictureImages::keyFollowsPixels()
{
    QFETCH(QImage, other);
    QFETCH(bool, sameKey);

    QCOMPARE(imageKey(other) == imageKey(smallImage()), sameKey);
}

QMK_TEST_MAIN(tst_PictureImages)
#include "tst_pictureimages.moc"
