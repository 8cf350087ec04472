#include "common/testsupport.h"

#include "qmktextrtfreader.h"
#include "textutil/headless.h"

#include <QBuffer>

void qmkPrepareTestApplication()
{
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
