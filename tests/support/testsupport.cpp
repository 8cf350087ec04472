#include "support/testsupport.h"

#include "qmktextrtfreader.h"
#include "textutil/headless.h"

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
