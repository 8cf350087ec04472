// Lists: one definition per list of the document in the list and override tables, and at every
// list paragraph its list (\ls), level (\ilvl) and rendered label (\listtext) for readers that
// do not number lists themselves.

#include "rtf/writer/qmktextrtfwriter_p.h"

#include "qmkformatproperties.h"
#include "qmklistlevel.h"
#include "qmkunits.h"

#include <QRegularExpression>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

namespace {

// Word reads at most nine levels (\ilvl0 to \ilvl8), and Word's own lists have nine.
constexpr int MaxWrittenLevels = 9;

QChar normalisedBullet(QChar c)
{
    switch (c.unicode()) {
    case 0x002D: case 0x2043: case 0x2212: return QChar(0x2043);
    case 0x2022: case 0x25CF: return QChar(0x2022);
    case 0x25A0: case 0x25AA: return QChar(0x25AA);
    case 0x25C6: case 0x2B29: case 0x2BC1: return QChar(0x25C6);
    case 0x25CB: case 0x25E6: return QChar(0x25E6);
    default: return c;
    }
}

// Bullet characters are normalised in a text that holds nothing else, as the reader does: a
// hyphen in a number template or label is the author's.
QString normalisedBullets(QString text)
{
    for (const QChar c : qAsConst(text)) {
        if (c.isLetterOrNumber())
            return text;
    }
    for (QChar &c : text)
        c = normalisedBullet(c);
    return text;
}

int levelNumberFormat(int style)
{
    switch (style) {
    case 0: return 23;
    case 2: return 4;
    case 3: return 3;
    case 4: return 2;
    case 5: return 1;
    default: return 0;
    }
}

bool isBulletStyle(int style)
{
    return style == QTextListFormat::ListDisc || style == QTextListFormat::ListCircle
        || style == QTextListFormat::ListSquare || style == QMKListStyle::Hyphen
        || style == QMKListStyle::Diamond || style == QMKListStyle::Check;
}

// The label template in the brace-name form ("{decimal}.", "{disc}") of the level marker.
QString levelMarker(const QString &text, int style)
{
    QString v = text;
    const int number = v.indexOf(QLatin1String("%0"));
    if (v.contains(QLatin1Char('%')) && number > 0)
        v = v.mid(number);
    auto replace = [&v](std::initializer_list<char16_t> characters, const char *name) {
        for (char16_t c : characters)
            v.replace(QChar(c), QLatin1String(name));
    };
    switch (style) {
    case QTextListFormat::ListDisc: replace({0x25CF, 0x2022}, "{disc}"); break;
    case QTextListFormat::ListCircle: replace({0x25CB, 0x25E6}, "{circle}"); break;
    case QTextListFormat::ListSquare: replace({0x25A0, 0x25AA}, "{square}"); break;
    case QMKListStyle::Diamond: replace({0x25C6, 0x2B25, 0x2B29}, "{diamond}"); break;
    case QMKListStyle::Check: replace({0x2713}, "{check}"); break;
    case QMKListStyle::Hyphen: replace({0x2043, 0x2010, 0x002D, 0x2212}, "{hyphen}"); break;
    case QTextListFormat::ListLowerAlpha: v.replace(QLatin1String("%0"), QLatin1String("{lower-alpha}")); break;
    case QTextListFormat::ListUpperAlpha: v.replace(QLatin1String("%0"), QLatin1String("{upper-alpha}")); break;
    case QTextListFormat::ListLowerRoman: v.replace(QLatin1String("%0"), QLatin1String("{lower-roman}")); break;
    case QTextListFormat::ListUpperRoman: v.replace(QLatin1String("%0"), QLatin1String("{upper-roman}")); break;
    default: v.replace(QLatin1String("%0"), QLatin1String("{decimal}")); break;
    }
    return v;
}

} // namespace

void QMKTextRtfWriterPrivate::registerLists(QTextDocument *target)
{
    lists.clear();
    listNumbers.clear();
    listItems.clear();
    for (QTextBlock block = target->begin(); block.isValid(); block = block.next()) {
        QTextList *list = block.textList();
        if (list && !listNumbers.contains(list)) {
            listNumbers.insert(list, lists.size() + 1);
            lists.append({list, block.charFormat()});
        }
    }
}

int QMKTextRtfWriterPrivate::listNumber(QTextList *list) const
{
    return listNumbers.value(list, 0);
}

void QMKTextRtfWriterPrivate::writeListTable()
{
    if (lists.isEmpty())
        return;
    writeChar('{');
    writeKeyword(KwIgnorable);
    writeKeyword(KwListtable);
    for (int i = 1; i <= lists.size(); ++i) {
        const RtfWriterList &entry = lists.at(i - 1);
        writeNewline();
        writeChar('{');
        writeKeyword(KwList);
        writeKeyword(KwListtemplateid, i);
        writeKeyword(KwListhybrid);
        QVector<QMKListLevel> levels = listLevels(entry.list->format());
        if (levels.isEmpty())
            levels.append(QMKListLevel());
        for (int k = 0; k < levels.size() && k < MaxWrittenLevels; ++k)
            writeListLevel(levels.at(k), k, entry.charFormat);
        writeChar('{');
        writeKeyword(KwListname);
        writeRaw(" ;");
        writeChar('}');
        writeKeyword(KwListid, i);
        writeChar('}');
    }
    writeChar('}');
    writeNewline();

    writeChar('{');
    writeKeyword(KwIgnorable);
    writeKeyword(KwListoverridetable);
    for (int i = 1; i <= lists.size(); ++i) {
        writeChar('{');
        writeKeyword(KwListoverride);
        writeKeyword(KwListid, i);
        writeKeyword(KwListoverridecount, 0);
        writeKeyword(KwLs, i);
        writeChar('}');
    }
    writeChar('}');
    writeNewline();
}

void QMKTextRtfWriterPrivate::writeListLevel(const QMKListLevel &level, int k,
                                             const QTextCharFormat &charFormat)
{
    const int nfc = levelNumberFormat(level.style);
    writeNewline();
    writeChar('{');
    writeKeyword(KwListlevel);
    writeKeyword(KwLevelnfc, nfc);
    writeKeyword(KwLevelnfcn, nfc);
    writeKeyword(KwLeveljc, 0);
    writeKeyword(KwLeveljcn, 0);
    writeKeyword(KwLevelfollow, 0);
    writeKeyword(KwLevelstartat, level.start);
    writeKeyword(KwLevelspace, 360);
    writeKeyword(KwLevelindent, 0);

    const int style = listLevelStyle(level);
    const QString w = normalisedBullets(level.text);
    const QString marker = w.isEmpty() ? QString() : levelMarker(w, style);
    if (!marker.isEmpty() && marker != w) {
        writeChar('{');
        writeKeyword(KwIgnorable);
        writeKeyword(KwLevelmarker);
        QString escaped = marker;
        escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
        escaped.replace(QLatin1Char('{'), QLatin1String("\\{"));
        escaped.replace(QLatin1Char('}'), QLatin1String("\\}"));
        out.append(' ');
        out.append(escaped.toLatin1());
        writeChar('}');
    }

    // "%N" placeholders become the level numbers RTF counts them by, each noted in
    // \levelnumbers by its position; the text is led by its own length. Characters 0 to 9 of
    // the text itself (a tab after the number, say) would be read as level numbers: they are
    // left out, as RTF has no way to state them there.
    static const QRegularExpression placeholder(QStringLiteral("%(\\d+)"));
    static const QRegularExpression levelNumberCodes(QStringLiteral("[\\x{0}-\\x{9}]"));
    const auto literal = [&w](int from, int length) {
        return w.mid(from, length).remove(levelNumberCodes);
    };
    QString numbers;
    QString text;
    int from = 0;
    QRegularExpressionMatchIterator it = placeholder.globalMatch(w);
    while (it.hasNext()) {
        const QRegularExpressionMatch match = it.next();
        text += literal(from, match.capturedStart() - from);
        const int up = match.capturedRef(1).toInt();
        text += QChar(ushort(qMax(0, k - up)));
        numbers += QChar(ushort(text.size()));
        from = match.capturedEnd();
    }
    text += literal(from, -1);
    text.prepend(QChar(ushort(text.size())));

    writeChar('{');
    writeKeyword(KwLeveltext);
    writeKeyword(KwLeveltemplateid, k + 1);
    writeText(text, 0, false, false, true, QString());
    writeChar(';');
    writeChar('}');
    writeChar('{');
    writeKeyword(KwLevelnumbers);
    writeText(numbers + QLatin1Char(';'), 0, false, false, true, QString());
    writeChar('}');
    writeCharFormat(charFormat);
    writeKeyword(KwFi, qRound(pixelsToTwips(level.firstLinePosition - level.indent)));
    writeKeyword(KwLi, qRound(pixelsToTwips(level.indent)));
    writeKeyword(KwLin, qRound(pixelsToTwips(level.indent)));
    writeChar('}');
}

QString QMKTextRtfWriterPrivate::listLabel(const QTextBlock &block, QTextList *list)
{
    // Labels of a list are rendered in one walk of the list; items are met in order.
    auto labels = listItems.find(list);
    if (labels == listItems.end())
        labels = listItems.insert(list, {listItemTexts(list), 0});
    const int item = labels->next++;
    Q_UNUSED(block);
    return item < labels->texts.size() ? labels->texts.at(item) : QString();
}

void QMKTextRtfWriterPrivate::writeListPrefix(const QTextBlock &block, QTextList *list,
                                              bool changed)
{
    if (changed)
        writeKeyword(KwLs, listNumber(list));
    writeKeyword(KwIlvl, qMax(0, listLevel(block)));
    writeChar('{');
    writeKeyword(KwListtext);
    writeChar('\t');
    const QTextCharFormat markFormat = block.charFormat();
    writeCharFormat(markFormat);
    writeChar(' ');

    const QVector<QMKListLevel> levels = listLevels(list->format());
    const int level = qMax(0, listLevel(block));
    // Levels deeper than the definitions are labelled like the deepest one.
    const bool bullet = levels.isEmpty()
        ? isBulletStyle(list->format().style())
        : isBulletStyle(listLevelStyle(levels.at(qMin(level, levels.size() - 1))));
    const QString label = normalisedBullets(listLabel(block, list));
    if (bullet) {
        bool afterUnicode = false;
        for (const QChar c : label) {
            const ushort u = c.unicode();
            // A blank or digit right after \uN would be read as its delimiter or parameter.
            if (afterUnicode && (u == ' ' || (u >= '0' && u <= '9')))
                out.append(' ');
            afterUnicode = false;
            if (u == '\\' || u == '{' || u == '}') {
                out.append('\\');
                out.append(char(u));
            } else if (u >= 0x20 && u <= 0xFF) {
                out.append(char(u));
            } else if (u < 0x80) {
                out.append(QByteArray("\\'") + QByteArray::number(u, 16).rightJustified(2, '0').toUpper());
            } else {
                out.append("\\uc0\\u");
                out.append(QByteArray::number(u));
                afterUnicode = true;
            }
        }
        writeChar(' ');
    } else {
        writeText(label, qMax(0, fontIndex(markFormat)), false, false, false,
                  markFormat.stringProperty(QMKFormatProperty::InternalLinkTarget));
    }
    writeChar('\t');
    writeChar('}');
}
