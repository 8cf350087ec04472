// Reads RTF, writes it back and reads that again: a program linking qmkrtf from outside,
// through no header but the umbrella one.
#include <qmkrtf.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>

namespace {

bool import(QByteArray rtf, QTextDocument *document)
{
    QBuffer buffer(&rtf);
    QMKTextRtfReader reader(&buffer);
    return reader.read(document);
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QTextDocument document;
    if (!import("{\\rtf1 Hello {\\b world}}", &document)) {
        std::puts("the reader failed");
        return 1;
    }
    QTextDocument again;
    if (!import(toRtf(&document, false, false, false, QString()), &again)) {
        std::puts("the written RTF does not read back");
        return 1;
    }
    const QString text = again.toPlainText();
    std::puts(qUtf8Printable(text));
    return text == QStringLiteral("Hello world") ? 0 : 1;
}
