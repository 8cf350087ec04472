#ifndef QMK_TESTSUPPORT_H
#define QMK_TESTSUPPORT_H

#include <QByteArray>
#include <QImage>
#include <QGuiApplication>
#include <QString>
#include <QStringList>
#include <QTest>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>

#include <memory>

// Every test runs headless at 96 dpi, as the tools do.
#define QMK_TEST_MAIN(TestClass)                                                               \
    int main(int argc, char *argv[])                                                           \
    {                                                                                          \
        qmkPrepareTestApplication();                                                           \
        QGuiApplication app(argc, argv);                                                       \
        TestClass test;                                                                        \
        QTEST_SET_MAIN_SOURCE_PATH                                                             \
        return QTest::qExec(&test, argc, argv);                                                \
    }

void qmkPrepareTestApplication();

// The outcome of importing RTF bytes into a fresh document.
struct ImportResult
{
    std::unique_ptr<QTextDocument> document;
    bool ok = false;
    QString error;

    QString text() const { return document->toPlainText(); }
    int blockCount() const { return document->blockCount(); }
};

struct ImportOptions
{
    bool removeInvalid = false;
    bool paletteColours = true;
    bool ignoreZeroRightIndent = false;
    bool notesAsText = true;    ///< false: notes are stored on anchors
};

ImportResult importRtf(const QByteArray &rtf, const ImportOptions &options = {});

// The n-th block of a document (0-based), and the n-th text fragment of a block.
QTextBlock block(const QTextDocument &document, int n);
QTextFragment fragment(const QTextBlock &block, int n);

// UTF-8 literals as a string list, for expected labels and texts.
QStringList strings(std::initializer_list<const char *> texts);

// The image in the given file format ("PNG", "JPEG"...), as a picture's bytes.
QByteArray encodedImage(const QImage &image, const char *format);

// The character format of the first fragment whose text contains text (invalid when none).
QTextCharFormat formatOf(const QTextDocument &document, const QString &text);

// A Windows metafile with a window width x height units wide, filled with a red rectangle.
// With unitsPerInch above 0 it begins with the placeable header that gives it a size in inches.
QByteArray windowsMetafile(int width, int height, int unitsPerInch = 0);

#endif // QMK_TESTSUPPORT_H
