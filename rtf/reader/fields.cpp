// Fields: the result is read as ordinary text; a HYPERLINK instruction makes the result a link.
// Bookmarks are skipped by their keywords.

#include "qmkformatproperties.h"
#include "rtf/reader/qmktextrtfreader_p.h"

#include <QRegularExpression>

namespace {

// Longer than any real link target; what comes after it cannot change the target.
constexpr int MaxFieldInstructionLength = 65536;

const QLatin1String NoteLinkScheme("qmarkcmt://");
const QLatin1String InternalLinkScheme("qmarklnk://");

// The target is the first quoted string: Word puts switches such as \o "tip" after it.
const QRegularExpression &webLinkPattern()
{
    static const QRegularExpression pattern(QStringLiteral("^\\s*HYPERLINK\\s+\"([^\"]*)\""));
    return pattern;
}

// Word's link to a bookmark quotes the name; this system's own writer does not.
const QRegularExpression &bookmarkLinkPattern()
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*HYPERLINK\\s+\\\\l\\s+(?:\"([^\"]+)\"|([^\\s\"]+))"));
    return pattern;
}

// The words and quoted strings of an instruction's switches.
const QRegularExpression &switchTokenPattern()
{
    static const QRegularExpression pattern(QStringLiteral("\"([^\"]*)\"|([^\\s\"]+)"));
    return pattern;
}

// The place a switch \l names within the target (Word's "HYPERLINK "a.html" \l "part2""); a
// quoted tip may hold the same letters without being a switch.
QString placeInTarget(const QString &instruction, int switchesStart)
{
    bool placeFollows = false;
    QRegularExpressionMatchIterator tokens =
        switchTokenPattern().globalMatch(instruction, switchesStart);
    while (tokens.hasNext()) {
        const QRegularExpressionMatch token = tokens.next();
        const bool quoted = token.capturedLength(2) == 0;
        const QString text = quoted ? token.captured(1) : token.captured(2);
        if (placeFollows)
            return quoted || !text.startsWith(QLatin1Char('\\')) ? text : QString();
        placeFollows = !quoted && text == QLatin1String("\\l");
    }
    return QString();
}

QTextCharFormat bookmarkLink(const QString &name)
{
    QTextCharFormat link;
    link.setAnchor(true);
    link.setAnchorHref(QLatin1Char('#') + name);
    link.setProperty(QMKFormatProperty::InternalLinkTarget, name);
    return link;
}

// Identifiers of this system's own links are upper case; a lower-case one was written by
// hand or by another program.
bool needsUpperCase(const QString &identifier)
{
    for (const QChar c : identifier) {
        if (!c.isDigit())
            return c != c.toUpper();
    }
    return true;
}

QString normalisedLink(const QString &url, QLatin1String scheme)
{
    const QString identifier = url.mid(scheme.size());
    return needsUpperCase(identifier) ? scheme + identifier.toUpper() : url;
}

} // namespace

QTextCharFormat QMKTextRtfReaderPrivate::linkFormatOf(const QString &instruction)
{
    const QRegularExpressionMatch bookmark = bookmarkLinkPattern().match(instruction);
    if (bookmark.hasMatch()) {
        return bookmarkLink(bookmark.captured(1).isEmpty() ? bookmark.captured(2)
                                                           : bookmark.captured(1));
    }

    QTextCharFormat link;
    const QRegularExpressionMatch web = webLinkPattern().match(instruction);
    if (!web.hasMatch())
        return link;
    QString url = web.captured(1);
    if (url.startsWith(NoteLinkScheme)) {
        url = normalisedLink(url, NoteLinkScheme);
        link.setProperty(QMKFormatProperty::NoteIdentifier, url.mid(NoteLinkScheme.size()));
    } else if (url.startsWith(InternalLinkScheme)) {
        url = normalisedLink(url, InternalLinkScheme);
    } else {
        const QString place = placeInTarget(instruction, web.capturedEnd());
        if (!place.isEmpty()) {
            if (url.isEmpty())
                return bookmarkLink(place);
            url += QLatin1Char('#') + place;
        }
    }
    link.setAnchor(true);
    link.setAnchorHref(url);
    return link;
}

int QMKTextRtfReaderPrivate::enterField(const RtfKeywordCall &)
{
    state.destination = RtfDestination::Field;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterFieldInstruction(const RtfKeywordCall &)
{
    // A field nested in a result has its own instruction, not the rest of the outer one.
    fieldInstruction.clear();
    state.destination = RtfDestination::FieldInstruction;
    return RtfStatus::Ok;
}

int QMKTextRtfReaderPrivate::enterFieldResult(const RtfKeywordCall &)
{
    state.destination = RtfDestination::FieldResult;
    return RtfStatus::Ok;
}

void QMKTextRtfReaderPrivate::appendFieldInstruction(const QString &text)
{
    const int room = MaxFieldInstructionLength - fieldInstruction.size();
    if (room > 0)
        fieldInstruction += text.left(room);
}

void QMKTextRtfReaderPrivate::endFieldInstruction()
{
    // Groups inside the instruction ({\*\datafield ...}, runs of Word's) end before it is
    // complete; only the instruction's outermost group decides, once.
    const RtfGroupState *enclosing = groupStack.isEmpty() ? nullptr : &groupStack.last();
    if (enclosing && enclosing->destination == RtfDestination::FieldInstruction)
        return;
    const QTextCharFormat link = linkFormatOf(fieldInstruction);
    if (!link.isAnchor())
        return;
    mergeCharFormat(state.charFormat, link);
    // The result group is opened from the field's group, which so passes the link on; outside
    // a field the link has no result and must not reach the text after it.
    if (enclosing && enclosing->destination == RtfDestination::Field)
        mergeCharFormat(groupStack.last().charFormat, link);
}

// Documents link to the same targets again and again: merging a pooled link is a change the
// pool remembers.
void QMKTextRtfReaderPrivate::mergeCharFormat(RtfCharFormatState &target,
                                              const QTextCharFormat &properties)
{
    const int id = charFormatPool.intern(properties);
    const auto merge = [&properties](QTextCharFormat &format) { format.merge(properties); };
    if (id == RtfCharFormatPool::NotPooled) {
        QTextCharFormat merged = target.format();
        merge(merged);
        target.assign(merged);
    } else {
        changeCharFormat(target, mergeChange(id), merge);
    }
}
