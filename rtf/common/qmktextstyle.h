#ifndef QMKTEXTSTYLE_H
#define QMKTEXTSTYLE_H

#include <QColor>
#include <QList>
#include <QMetaType>
#include <QString>
#include <QTextBlockFormat>
#include <QTextCharFormat>
#include <QUuid>

// A named text style: the character and paragraph formats an RTF stylesheet entry defines,
// under an identifier that paragraphs and runs can refer to.
class QMKTextStyle
{
public:
    enum Flag {
        HasCharFormat = 0x1,    ///< the style carries character properties
        HasBlockFormat = 0x2,   ///< a paragraph style carrying block properties
    };

    QMKTextStyle();

    QUuid identifier() const { return m_identifier; }
    void setIdentifier(const QUuid &identifier) { m_identifier = identifier; }
    QString name() const { return m_name; }
    void setName(const QString &name) { m_name = name; }
    QTextCharFormat charFormat() const { return m_charFormat; }
    void setCharFormat(const QTextCharFormat &format) { m_charFormat = format; }
    QTextBlockFormat blockFormat() const { return m_blockFormat; }
    void setBlockFormat(const QTextBlockFormat &format) { m_blockFormat = format; }
    int flags() const { return m_flags; }
    void setFlags(int flags) { m_flags = flags; }
    QColor colour() const { return m_colour; }
    void setColour(const QColor &colour) { m_colour = colour; }
    QUuid secondIdentifier() const { return m_secondIdentifier; }
    void setSecondIdentifier(const QUuid &identifier) { m_secondIdentifier = identifier; }
    QString secondString() const { return m_secondString; }
    void setSecondString(const QString &text) { m_secondString = text; }

    /// No identifier, no name (not even an empty one) and no properties in either format.
    bool isNull() const;
    /// Identified, named, flagged as a character or paragraph style, and with properties.
    bool isValid() const;

    /// A copy of the first style with that identifier, or a default style.
    static QMKTextStyle find(const QList<QMKTextStyle> &styles, const QUuid &identifier);
    /// A copy of the first style with that name, or a default style.
    static QMKTextStyle find(const QList<QMKTextStyle> &styles, const QString &name,
                             Qt::CaseSensitivity sensitivity = Qt::CaseSensitive);

    bool operator==(const QMKTextStyle &other) const;
    bool operator!=(const QMKTextStyle &other) const { return !(*this == other); }

private:
    QUuid m_identifier;
    QString m_name;
    QTextCharFormat m_charFormat;
    QTextBlockFormat m_blockFormat;
    int m_flags = 0xF;          ///< a style made from scratch claims every kind
    QColor m_colour;
    QUuid m_secondIdentifier;  ///< a related style
    QString m_secondString;
};

Q_DECLARE_METATYPE(QMKTextStyle)

#endif // QMKTEXTSTYLE_H
