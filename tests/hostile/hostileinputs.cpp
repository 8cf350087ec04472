#include "hostile/hostileinputs.h"

#include <QtEndian>

#include <random>

namespace {

int scaled(double scale, int full)
{
    return qMax(1, int(full * scale));
}

QByteArray repeated(const QByteArray &piece, int count)
{
    return piece.repeated(count);
}

QByteArray hex(const QByteArray &bytes)
{
    return bytes.toHex();
}

// A PNG signature and header declaring width x height, with no image data after it.
QByteArray pngHeader(quint32 width, quint32 height)
{
    QByteArray png("\x89PNG\r\n\x1a\n", 8);
    QByteArray ihdr("IHDR", 4);
    char size[8];
    qToBigEndian(width, size);
    qToBigEndian(height, size + 4);
    ihdr.append(size, 8);
    ihdr.append("\x08\x06\x00\x00\x00", 5);
    char length[4];
    qToBigEndian(quint32(13), length);
    png.append(length, 4);
    png.append(ihdr);
    png.append("\0\0\0\0", 4); // checksum left wrong on purpose
    return png;
}

// A font name of letters only: digits would not make names distinct to the font lookup.
QByteArray fontName(int number)
{
    QByteArray name = "Face";
    for (int rest = number; rest > 0; rest /= 26)
        name += char('a' + rest % 26);
    return name;
}

// A font table of count entries of distinct names, entry i for font number numberOf(i).
QByteArray fontTable(int count, int (*numberOf)(int))
{
    QByteArray rtf = "{\\fonttbl";
    for (int i = 0; i < count; ++i)
        rtf += "{\\f" + QByteArray::number(numberOf(i)) + "\\fnil " + fontName(i) + ";}";
    return rtf + "}";
}

QByteArray randomBytes(int count)
{
    std::mt19937 generator(20261209);
    QByteArray bytes(count, '\0');
    for (char &byte : bytes)
        byte = char(generator() & 0xFF);
    return bytes;
}

const QString ok;
const QString anyStatus = QStringLiteral("*");
const QString unmatchedOpen = QStringLiteral("Unmatched '}' in Rich Text file.");
const QString invalidWord = QStringLiteral("Invalid control word encountered.");
const QString invalidParameter = QStringLiteral("Invalid control word parameter encountered.");

} // namespace

const QVector<HostileInput> &hostileInputs()
{
    static const QVector<HostileInput> inputs = {
        {QStringLiteral("a million nested groups"),
         [](double s) {
             const int n = scaled(s, 1000000);
             return "{\\rtf1 " + repeated("{", n) + "x" + repeated("}", n) + "}";
         },
         ok},
        {QStringLiteral("a million open groups never closed"),
         [](double s) { return "{\\rtf1 " + repeated("{a", scaled(s, 1000000)); }, unmatchedOpen},
        {QStringLiteral("a million paragraphs"),
         [](double s) { return "{\\rtf1 " + repeated("a\\par ", scaled(s, 1000000)) + "}"; }, ok},
        {QStringLiteral("a control word of 10,000 letters"),
         [](double) { return "{\\rtf1 \\" + repeated("a", 10000) + " x}"; }, invalidWord},
        {QStringLiteral("bin with a huge count"),
         [](double) { return QByteArray("{\\rtf1{\\pict\\bin2147483647 abc}}"); }, invalidParameter},
        {QStringLiteral("parameters beyond 32 bits"),
         [](double s) {
             return "{\\rtf1 " + repeated("\\fs99999999999999999999 \\li-99999999999999 x",
                                          scaled(s, 10000)) + "}";
         },
         ok},
        {QStringLiteral("itap 2147483647"),
         [](double) { return QByteArray("{\\rtf1\\pard\\intbl\\itap2147483647 a\\nestcell b\\cell\\row}"); },
         ok},
        {QStringLiteral("uc 2147483647 and negative"),
         [](double s) {
             return "{\\rtf1 " + repeated("{\\uc2147483647\\u8212 abc}{\\uc-5\\u8212 def}",
                                          scaled(s, 10000)) + "}";
         },
         ok},
        {QStringLiteral("escape at the end of input"),
         [](double) { return QByteArray("{\\rtf1 a\\'"); }, invalidParameter},
        {QStringLiteral("a hexadecimal run of 100 MB"),
         [](double s) {
             return "{\\rtf1{\\pict\\pngblip " + repeated("0123456789abcdef", scaled(s, 6553600))
                 + "}}";
         },
         ok},
        {QStringLiteral("NUL bytes everywhere"),
         [](double s) {
             return "{\\rtf1 " + repeated(QByteArray("a\0{\\b\0}\\\0\0\\par\0", 15), scaled(s, 100000))
                 + "}";
         },
         anyStatus},
        {QStringLiteral("a table of 50,000 columns"),
         [](double s) {
             const int n = scaled(s, 50000);
             QByteArray row = "{\\rtf1\\trowd";
             for (int i = 1; i <= n; ++i)
                 row += "\\cellx" + QByteArray::number(i * 10);
             return row + "\\pard\\intbl" + repeated("x\\cell ", n) + "\\row}";
         },
         ok},
        {QStringLiteral("a list of 10,000 levels"),
         [](double s) {
             const int n = scaled(s, 10000);
             return "{\\rtf1{\\*\\listtable{\\list"
                 + repeated("{\\listlevel\\levelnfc0{\\leveltext\\'02\\'00.;}\\li720}", n)
                 + "\\listid1}}{\\*\\listoverridetable{\\listoverride\\listid1\\ls1}}"
                 + repeated("\\pard\\ls1\\ilvl9999 x\\par", 10) + "}";
         },
         ok},
        {QStringLiteral("a picture declaring 100000x100000 pixels"),
         [](double) {
             return "{\\rtf1{\\pict\\pngblip " + hex(pngHeader(100000, 100000)) + "}}";
         },
         ok},
        {QStringLiteral("deeply nested fields"),
         [](double s) {
             const int n = scaled(s, 100000);
             return "{\\rtf1 " + repeated("{\\field{\\*\\fldinst HYPERLINK \"a\"}{\\fldrslt ", n) + "x"
                 + repeated("}}", n) + "}";
         },
         ok},
        {QStringLiteral("deeply nested notes"),
         [](double s) {
             const int n = scaled(s, 100000);
             return "{\\rtf1 " + repeated("{\\footnote a", n) + repeated("}", n) + "}";
         },
         ok},
        {QStringLiteral("100,000 nested footnotes and annotations"),
         [](double s) {
             const int n = scaled(s, 50000);
             return "{\\rtf1 " + repeated("{\\footnote a{\\*\\annotation b\\pard\\qc ", n)
                 + repeated("}", 2 * n) + "}";
         },
         ok},
        {QStringLiteral("a note in every cell of a table of 20,000 cells"),
         [](double s) {
             QByteArray row = "\\trowd";
             for (int i = 1; i <= 10; ++i)
                 row += "\\cellx" + QByteArray::number(i * 500);
             row += "\\pard\\intbl" + repeated("a{\\footnote\\pard\\plain n\\par m}\\cell ", 10)
                 + "\\row";
             return "{\\rtf1 " + repeated(row, scaled(s, 2000)) + "}";
         },
         ok},
        // Each distinct name text selects costs a query of the font system (a fraction of a
        // millisecond): the most expensive bytes a document can hold, and still linear.
        {QStringLiteral("a font table of 20,000 distinct names, each used"),
         [](double s) {
             const int n = scaled(s, 20000);
             QByteArray rtf = "{\\rtf1" + fontTable(n, [](int i) { return i; });
             for (int i = 0; i < n; ++i)
                 rtf += "\\f" + QByteArray::number(i) + " x";
             return rtf + "}";
         },
         ok},
        // The default font is looked up at the end of every entry: each of its entries must be
        // resolved once, not once per later entry.
        {QStringLiteral("a font table of 20,000 entries for the default font"),
         [](double s) {
             return "{\\rtf1\\deff0" + fontTable(scaled(s, 20000), [](int) { return 0; })
                 + "x}";
         },
         ok},
        // Every distinct character format is shared through one table: formats that tell
        // apart only by a property its hash leaves out must not make look-ups quadratic.
        {QStringLiteral("100,000 runs in formats apart only in their raised offset"),
         [](double s) {
             const int n = scaled(s, 100000);
             QByteArray rtf = "{\\rtf1 ";
             for (int i = 0; i < n; ++i)
                 rtf += "\\up" + QByteArray::number(i) + " x";
             return rtf + "}";
         },
         ok},
        {QStringLiteral("30,000 runs in formats apart only in their underline colour"),
         [](double s) {
             const int n = scaled(s, 30000);
             QByteArray rtf = "{\\rtf1{\\colortbl;";
             for (int i = 0; i < n; ++i)
                 rtf += "\\red" + QByteArray::number(i % 256) + "\\green"
                     + QByteArray::number(i / 256 % 256) + "\\blue0;";
             rtf += "}";
             for (int i = 1; i <= n; ++i)
                 rtf += "\\ul\\ulc" + QByteArray::number(i) + " x";
             return rtf + "}";
         },
         ok},
        // A column split walks the whole table once, and no more, beside cells merged down.
        {QStringLiteral("20,000 table rows merged in pairs, then rows that split the column"),
         [](double s) {
             const int n = scaled(s, 20000);
             QByteArray rtf = "{\\rtf1 ";
             for (int i = 0; i < n; ++i)
                 rtf += QByteArray(i % 2 ? "\\trowd\\clvmrg" : "\\trowd\\clvmgf")
                     + "\\cellx9000\\intbl a\\cell\\row\n";
             for (int split = 1; split <= 20; ++split) {
                 rtf += "\\trowd";
                 for (int cell = 1; cell <= split; ++cell)
                     rtf += "\\cellx" + QByteArray::number(cell * 400);
                 rtf += "\\cellx9000\\intbl " + repeated("b\\cell ", split + 1) + "\\row\n";
             }
             return rtf + "}";
         },
         ok},
        {QStringLiteral("random bytes after the header"),
         [](double s) { return "{\\rtf1 " + randomBytes(scaled(s, 10000000)); }, anyStatus},
    };
    return inputs;
}
