#include <qmkrtf.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QTextDocument>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    QByteArray rtf("{\\rtf1 Hello}");
    QBuffer buffer(&rtf);
    QMKTextRtfReader reader(&buffer);
    QTextDocument document;
    return reader.read(&document) ? 0 : 1;
}
