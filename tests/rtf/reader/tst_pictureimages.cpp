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
    void sizeLimit_data();
    void sizeLimit();
    void undecodable_data();
    void undecodable();
    void keyFormat();
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

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

// One bit per pixel keeps pictures of a hundred megapixels at a few megabytes.
QByteArray monochromePng(int width, int height)
{
    QImage image(width, height, QImage::Format_Mono);
    image.fill(0);
    return encoded(image, "PNG");
}

} // namespace

void tst_PictureImages::decodes_data()
{
    QTest::addColumn<QByteArray>("data");
    QTest::addColumn<QByteArray>("format");
    QTest::addColumn<QByteArray>("usedFormat");

    const QByteArray png = encoded(smallImage(), "PNG");
    QTest::newRow("PNG named as such") << png << QByteArray("PNG") << QByteArray("png");
    QTest::newRow("PNG without a name") << png << QByteArray() << QByteArray("png");
    QTest::newRow("PNG named JPEG") << png << QByteArray("JPEG") << QByteArray("png");
    QTest::newRow("PNG named as a metafile") << png << QByteArray("WMF") << QByteArray("png");
    QTest::newRow("JPEG") << encoded(smallImage(), "JPEG") << QByteArray("JPEG")
                          << QByteArray("jpeg");
    QTest::newRow("BMP without a name") << encoded(smallImage(), "BMP") << QByteArray()
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

    const QByteArray png = encoded(smallImage(), "PNG");
    QTest::newRow("no bytes") << QByteArray() << QByteArray("PNG");
    QTest::newRow("garbage") << QByteArray("\x01\x02\x03 not a picture") << QByteArray("PNG");
    QTest::newRow("PNG signature alone") << png.left(8) << QByteArray("PNG");
    QTest::newRow("PNG cut after its header") << png.left(33) << QByteArray("PNG");
    QTest::newRow("JPEG cut after its markers") << encoded(smallImage(), "JPEG").left(200)
                                                << QByteArray("JPEG");
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
    QTest::newRow("decoded from PNG") << loadImage(encoded(smallImage(), "PNG"), "PNG").image
                                         .convertToFormat(QImage::Format_RGB32)
                                      << true;
    QTest::newRow("one pixel changed") << changed << false;
    QTest::newRow("last row cut off") << smallImage().copy(0, 0, 10, 5) << false;
}

void tst_PictureImages::keyFollowsPixels()
{
    QFETCH(QImage, other);
    QFETCH(bool, sameKey);

    QCOMPARE(imageKey(other) == imageKey(smallImage()), sameKey);
}

QMK_TEST_MAIN(tst_PictureImages)
#include "tst_pictureimages.moc"
