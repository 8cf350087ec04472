// fidelitytext: what an import makes of RTF files, in the two forms scripts/fidelity scores.
//
//   fidelitytext OUT_DIR FILE...
//
// For each FILE (NAME.rtf) it writes OUT_DIR/NAME.txt, the document's text as
// `rtfdoc convert --to txt` writes it (documentText), and OUT_DIR/NAME.tsv, one line per word
// of the text of its paragraphs (list labels left out):
//     word  bold  italic  underline  strike-out  vertical-alignment  point-size

#include "qmkformatproperties.h"
#include "qmktextrtfreader.h"
#include "textutil/documenttext_p.h"
#include "textutil/headless_p.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextStream>

#include <cmath>
#include <cstdio>

namespace {

bool separatesWords(QChar c)
{
    return c.isSpace() || c.unicode() == 0xFFFC;
}

int verticalAlignment(const QTextCharFormat &format)
{
    switch (format.verticalAlignment()) {
    case QTextCharFormat::AlignSuperScript:
        return 1;
    case QTextCharFormat::AlignSubScript:
        return 2;
    default:
        break;
    }
    // Raised and lowered runs (\up, \dn) keep their offset in a property of their own.
    const int offset = format.intProperty(QMKFormatProperty::VerticalOffset);
    return offset > 0 ? 1 : offset < 0 ? 2 : 0;
}

QString formatColumns(const QTextCharFormat &format, double defaultSize)
{
    const bool underline = format.underlineStyle() != QTextCharFormat::NoUnderline
        || format.boolProperty(QTextFormat::FontUnderline);
    const double size = format.hasProperty(QTextFormat::FontPointSize) ? format.fontPointSize()
                                                                        : defaultSize;
    return QStringLiteral("%1\t%2\t%3\t%4\t%5\t%6")
        .arg(format.fontWeight() >= 63 ? 1 : 0)
        .arg(format.fontItalic() ? 1 : 0)
        .arg(underline ? 1 : 0)
        .arg(format.fontStrikeOut() ? 1 : 0)
        .arg(verticalAlignment(format))
        .arg(size);
}

// The words of a block with the format of each word's first character.
void appendWords(const QTextBlock &block, double defaultSize, QString *tsv)
{
    bool inWord = false;
    QString word;
    QString columns;
    auto endWord = [&] {
        if (inWord)
            *tsv += word + QLatin1Char('\t') + columns + QLatin1Char('\n');
        inWord = false;
        word.clear();
    };
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const QString text = fragment.text();
        for (const QChar c : text) {
            if (separatesWords(c)) {
                endWord();
                continue;
            }
            if (!inWord)
                columns = formatColumns(fragment.charFormat(), defaultSize);
            inWord = true;
            word += c;
        }
    }
    endWord();
}

void writeFile(const QString &path, const QString &text)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(text.toUtf8());
}

bool convert(const QString &input, const QDir &out)
{
    QFile file(input);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray rtf = file.readAll();
    QBuffer buffer(&rtf);
    buffer.open(QIODevice::ReadOnly);
    QTextDocument document;
    QMKTextRtfReader reader(&buffer);
    reader.read(&document, false);

    const double defaultSize = document.defaultFont().pointSizeF();
    QString tsv;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        appendWords(block, defaultSize, &tsv);
    const QString name = QFileInfo(input).completeBaseName();
    writeFile(out.filePath(name + QStringLiteral(".txt")), documentText(document));
    writeFile(out.filePath(name + QStringLiteral(".tsv")), tsv);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    discardQtMessages();
    prepareHeadlessGui();
    QGuiApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3) {
        std::fputs("usage: fidelitytext OUT_DIR FILE...\n", stderr);
        return 1;
    }
    QDir out(arguments.at(1));
    out.mkpath(QStringLiteral("."));
    int failed = 0;
    for (int i = 2; i < arguments.size(); ++i) {
        if (!convert(arguments.at(i), out)) {
            std::fprintf(stderr, "cannot read %s\n", qPrintable(arguments.at(i)));
            ++failed;
        }
    }
    return failed == 0 ? 0 : 2;
}
