#include "hostile/hostiledocuments.h"

#include "qmkformatproperties.h"
#include "qmklistlevel.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextList>
#include <QTextTable>

namespace {

int scaled(double scale, int full)
{
    return qMax(1, int(full * scale));
}

QString text(std::initializer_list<uint> codes)
{
    QString result;
    for (uint code : codes) {
        if (QChar::requiresSurrogates(code)) {
            result += QChar(QChar::highSurrogate(code));
            result += QChar(QChar::lowSurrogate(code));
        } else {
            result += QChar(ushort(code));
        }
    }
    return result;
}

// A run of format count times, each time with the next of formats.
void runs(QTextDocument &document, int count, const std::function<QTextCharFormat(int)> &format,
          const std::function<QString(int)> &textOf)
{
    QTextCursor cursor(&document);
    cursor.movePosition(QTextCursor::End);
    for (int i = 0; i < count; ++i)
        cursor.insertText(textOf(i), format(i));
}

void nestedTables(QTextCursor cursor, int depth)
{
    for (int level = 0; level < depth; ++level) {
        cursor.insertText(QStringLiteral("level %1").arg(level));
        QTextTable *table = cursor.insertTable(1, 2);
        table->cellAt(0, 1).firstCursorPosition().insertText(QStringLiteral("beside %1").arg(level));
        cursor = table->cellAt(0, 0).firstCursorPosition();
    }
    cursor.insertText(QStringLiteral("deepest"));
}

} // namespace

const QVector<HostileDocument> &hostileDocuments()
{
    static const QVector<HostileDocument> documents = {
        {QStringLiteral("characters no code page holds"),
         [](QTextDocument &d, double s) {
             const QString pieces = text({0x1F600, 0x10FFFF, 0xE000, 0x2603, 0x20AC, 0x3042,
                                          0x0416, 0x05D0, 0x0E01, 0xFFFD, 0x1D11E});
             QTextCharFormat symbol;
             symbol.setFontFamily(QStringLiteral("Symbol"));
             runs(d, scaled(s, 20000), [&](int i) { return i % 2 ? symbol : QTextCharFormat(); },
                  [&](int) { return pieces; });
         }},
        {QStringLiteral("lone surrogates"),
         [](QTextDocument &d, double s) {
             runs(d, scaled(s, 20000), [](int) { return QTextCharFormat(); },
                  [](int i) { return text({0xD800 + uint(i % 1024), 'a', 0xDC00 + uint(i % 1024)}); });
         }},
        {QStringLiteral("NUL and other control characters in text"),
         [](QTextDocument &d, double s) {
             runs(d, scaled(s, 20000), [](int) { return QTextCharFormat(); },
                  [](int i) { return QString(QChar(ushort(i % 32))) + QLatin1Char('x')
                                  + QChar(ushort(127 + i % 33)); });
         }},
        {QStringLiteral("a 10 MB paragraph"),
         [](QTextDocument &d, double s) {
             QTextCursor(&d).insertText(
                 QStringLiteral("word {and} \\back ").repeated(scaled(s, 10 << 20) / 18));
         }},
        {QStringLiteral("100,000 runs of distinct formats"),
         [](QTextDocument &d, double s) {
             runs(d, scaled(s, 100000), [](int i) {
                 QTextCharFormat format;
                 format.setFontPointSize(6 + i % 97);
                 format.setForeground(QColor(i % 251, i / 251 % 251, 7));
                 format.setFontWeight(i % 3 ? QFont::Normal : QFont::Bold);
                 return format;
             }, [](int) { return QStringLiteral("run "); });
         }},
        {QStringLiteral("10,000 fonts and colours"),
         [](QTextDocument &d, double s) {
             runs(d, scaled(s, 10000), [](int i) {
                 QTextCharFormat format;
                 format.setFontFamily(QStringLiteral("Family %1").arg(i));
                 format.setForeground(QColor(QRgb(0x10000 * (i % 256) + i)));
                 return format;
             }, [](int) { return QStringLiteral("face "); });
         }},
        {QStringLiteral("tables 50 levels deep"),
         [](QTextDocument &d, double s) {
             for (int n = scaled(s, 20); n > 0; --n) {
                 QTextCursor cursor(&d);
                 cursor.movePosition(QTextCursor::End);
                 nestedTables(cursor, 50);
             }
         }},
        {QStringLiteral("lists of 9 levels with every number style"),
         [](QTextDocument &d, double s) {
             QTextCursor cursor(&d);
             for (int n = scaled(s, 2000); n > 0; --n) {
                 QTextListFormat format;
                 QVector<QMKListLevel> levels;
                 for (int level = 0; level < 9; ++level) {
                     const int style = level % 6;
                     levels.append({style == 0 ? QString(QChar(0x2022)) : QStringLiteral("%0."),
                                    style, 24.0 * (level + 1), 24.0 * level});
                 }
                 setListLevels(format, levels);
                 format.setStyle(QTextListFormat::ListDecimal);
                 QTextList *list = nullptr;
                 for (int level = 0; level < 9; ++level) {
                     cursor.insertBlock();
                     cursor.insertText(QStringLiteral("item at level %1").arg(level));
                     if (!list)
                         list = cursor.createList(format);
                     else
                         list->add(cursor.block());
                     setListLevel(list, cursor.block(), level);
                 }
             }
         }},
        {QStringLiteral("a note in every cell"),
         [](QTextDocument &d, double s) {
             QTextCursor cursor(&d);
             const int rows = scaled(s, 2000);
             QTextTable *table = cursor.insertTable(rows, 5);
             QTextCharFormat note;
             note.setProperty(QMKFormatProperty::InlineFootnote, true);
             for (int row = 0; row < rows; ++row) {
                 for (int column = 0; column < 5; ++column) {
                     QTextCursor cell = table->cellAt(row, column).firstCursorPosition();
                     cell.insertText(QStringLiteral("cell"));
                     cell.insertText(QStringLiteral("note %1").arg(row), note);
                 }
             }
         }},
    };
    return documents;
}
