#include "support/testsupport.h"

#include "qmktextrtfreader.h"
#include "textutil/headless_p.h"

#include <QBuffer>
#include <QDir>
#include <QFile>

void qmkPrepareTestApplication()
{
    // Without a runtime directory Qt warns on every start; give it a private one.
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QString dir = QDir::tempPath() + QStringLiteral("/qmkrtf-tests-runtime");
        QDir().mkpath(dir);
        QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner
                                       | QFileDevice::ExeOwner);
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(dir));
    }
    prepareHeadlessGui();
}

ImportResult importRtf(const QByteArray &rtf, const ImportOptions &options)
{
    ImportResult result;
    result.document = std::make_unique<QTextDocument>();
    QByteArray bytes = rtf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QMKTextRtfReader reader(&buffer);
    reader.setPaletteColours(options.paletteColours);
    reader.setIgnoreZeroRightIndent(options.ignoreZeroRightIndent);
    reader.setFootnotesAsText(options.notesAsText);
    reader.setAnnotationsAsText(options.notesAsText);
    result.ok = reader.read(result.document.get(), options.removeInvalid);
    result.error = reader.errorString();
    return result;
}

QTextBlock block(const QTextDocument &document, int n)
{
    return document.findBlockByNumber(n);
}

QTextFragment fragment(const QTextBlock &block, int n)
{
    int i = 0;
    for (auto it = block.begin(); !it.atEnd(); ++it, ++i) {
        if (i == n)
            return it.fragment();
    }
    return QTextFragment();
}

QTextCharFormat formatOf(const QTextDocument &document, const QString &text)
{
    for (QTextBlock b = document.begin(); b.isValid(); b = b.next()) {
        for (auto it = b.begin(); !it.atEnd(); ++it) {
            if (it.fragment().text().contains(text))
                return it.fragment().charFormat();
        }
    }
    return QTextCharFormat();
}

namespace {

void appendWords(QByteArray &bytes, std::initializer_list<int> words)
{
    for (const int word : words) {
        bytes.append(char(word & 0xff));
        bytes.append(char((word >> 8) & 0xff));
    }
}

} // namespace

QByteArray windowsMetafile(int width, int height, int unitsPerInch)
{
    QByteArray records;
    appendWords(records, {5, 0, 0x020B, 0, 0});                 // window origin 0, 0
    appendWords(records, {5, 0, 0x020C, height, width});        // window extent
    appendWords(records, {7, 0, 0x02FC, 0, 0x00ff, 0x0000, 0}); // solid red brush
    appendWords(records, {4, 0, 0x012D, 0});                    // select it
    appendWords(records, {7, 0, 0x041B, height, width, 0, 0});  // rectangle over the window
    appendWords(records, {3, 0, 0x0000});                       // end of file
    const int sizeInWords = 9 + records.size() / 2;

    QByteArray bytes;
    if (unitsPerInch > 0) {
        QByteArray placeable;
        appendWords(placeable, {0xcdd7, 0x9ac6, 0, 0, 0, width, height, unitsPerInch, 0, 0});
        int checksum = 0;
        for (int i = 0; i < placeable.size(); i += 2)
            checksum ^= uchar(placeable.at(i)) | uchar(placeable.at(i + 1)) << 8;
        appendWords(placeable, {checksum});
        bytes += placeable;
    }
    appendWords(bytes, {1, 9, 0x0300, sizeInWords & 0xffff, sizeInWords >> 16, 1, 7, 0, 0});
    return bytes + records;
}

QByteArray encodedImage(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QStringList strings(std::initializer_list<const char *> texts)
{
    QStringList result;
    for (const char *text : texts)
        result << QString::fromUtf8(text);
    return result;
}
