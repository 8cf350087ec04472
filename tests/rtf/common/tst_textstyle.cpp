#include "support/testsupport.h"

#include "qmktextstyle.h"

#include <QVariant>

class tst_TextStyle : public QObject
{
    Q_OBJECT
private slots:
    void defaults();
    void isNullAndIsValid_data();
    void isNullAndIsValid();
    void findByIdentifier();
    void findByName_data();
    void findByName();
    void metaType();
};

namespace {

QTextCharFormat boldFormat()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

QTextBlockFormat centredFormat()
{
    QTextBlockFormat format;
    format.setAlignment(Qt::AlignHCenter);
    return format;
}

QMKTextStyle style(const QString &name, const QUuid &identifier = QUuid::createUuid())
{
    QMKTextStyle result;
    result.setIdentifier(identifier);
    result.setName(name);
    result.setCharFormat(boldFormat());
    return result;
}

} // namespace

void tst_TextStyle::defaults()
{
    const QMKTextStyle style;
    QVERIFY(style.identifier().isNull());
    QVERIFY(style.name().isNull());
    QCOMPARE(style.flags(), 15);
    QVERIFY(!style.colour().isValid());
    QVERIFY(style.secondIdentifier().isNull());
    QVERIFY(style.secondString().isEmpty());
    QVERIFY(style.isNull());
    QVERIFY(!style.isValid());
}

void tst_TextStyle::isNullAndIsValid_data()
{
    QTest::addColumn<QUuid>("identifier");
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("flags");
    QTest::addColumn<bool>("bold");
    QTest::addColumn<bool>("centred");
    QTest::addColumn<bool>("isNull");
    QTest::addColumn<bool>("isValid");

    const QUuid id = QUuid::createUuid();
    const QString name = QStringLiteral("Title");
    QTest::newRow("character style") << id << name << 1 << true << false << false << true;
    QTest::newRow("paragraph style") << id << name << 2 << false << true << false << true;
    QTest::newRow("both kinds") << id << name << 3 << true << true << false << true;
    QTest::newRow("no identifier") << QUuid() << name << 3 << true << true << false << false;
    QTest::newRow("empty name") << id << QStringLiteral("") << 3 << true << false << false << false;
    QTest::newRow("neither kind flagged") << id << name << 4 << true << true << false << false;
    QTest::newRow("no properties") << id << name << 3 << false << false << false << false;
    QTest::newRow("an empty name is not a null name")
        << QUuid() << QStringLiteral("") << 3 << false << false << false << false;
    QTest::newRow("a format alone is not null")
        << QUuid() << QString() << 3 << false << true << false << false;
    QTest::newRow("an identifier alone is not null")
        << id << QString() << 3 << false << false << false << false;
}

void tst_TextStyle::isNullAndIsValid()
{
    QFETCH(QUuid, identifier);
    QFETCH(QString, name);
    QFETCH(int, flags);
    QFETCH(bool, bold);
    QFETCH(bool, centred);
    QFETCH(bool, isNull);
    QFETCH(bool, isValid);

    QMKTextStyle style;
    style.setIdentifier(identifier);
    style.setName(name);
    style.setFlags(flags);
    if (bold)
        style.setCharFormat(boldFormat());
    if (centred)
        style.setBlockFormat(centredFormat());
    QCOMPARE(style.isNull(), isNull);
    QCOMPARE(style.isValid(), isValid);
}

void tst_TextStyle::findByIdentifier()
{
    const QUuid first = QUuid::createUuid();
    const QUuid second = QUuid::createUuid();
    const QList<QMKTextStyle> styles{style(QStringLiteral("A"), first),
                                     style(QStringLiteral("B"), second),
                                     style(QStringLiteral("C"), second)};

    QCOMPARE(QMKTextStyle::find(styles, second).name(), QStringLiteral("B"));
    QCOMPARE(QMKTextStyle::find(styles, first), styles.at(0));
    QVERIFY(QMKTextStyle::find(styles, QUuid::createUuid()).isNull());
    QVERIFY(QMKTextStyle::find({}, first).isNull());
}

void tst_TextStyle::findByName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("sensitivity");
    QTest::addColumn<QString>("found"); // the found style's identifier text; empty: none

    QTest::newRow("exact") << QStringLiteral("Heading 1") << int(Qt::CaseSensitive)
                           << QStringLiteral("first");
    QTest::newRow("case differs, sensitive: the later exact match")
        << QStringLiteral("heading 1") << int(Qt::CaseSensitive) << QStringLiteral("second");
    QTest::newRow("case differs, insensitive: the first")
        << QStringLiteral("HEADING 1") << int(Qt::CaseInsensitive) << QStringLiteral("first");
    QTest::newRow("absent") << QStringLiteral("Heading 2") << int(Qt::CaseInsensitive)
                            << QString();
}

void tst_TextStyle::findByName()
{
    QFETCH(QString, name);
    QFETCH(int, sensitivity);
    QFETCH(QString, found);

    const QUuid first = QUuid::createUuid();
    const QUuid second = QUuid::createUuid();
    const QList<QMKTextStyle> styles{style(QStringLiteral("Heading 1"), first),
                                     style(QStringLiteral("heading 1"), second)};
    const QMKTextStyle result =
        QMKTextStyle::find(styles, name, Qt::CaseSensitivity(sensitivity));
    if (found.isEmpty())
        QVERIFY(result.isNull());
    else
        QCOMPARE(result.identifier(), found == QLatin1String("first") ? first : second);
}

void tst_TextStyle::metaType()
{
    const QMKTextStyle title = style(QStringLiteral("Title"));
    QCOMPARE(QMetaType::type("QMKTextStyle"), qMetaTypeId<QMKTextStyle>());
    const QVariant value = QVariant::fromValue(title);
    QCOMPARE(value.typeName(), "QMKTextStyle");
    QCOMPARE(value.value<QMKTextStyle>(), title);
}

QMK_TEST_MAIN(tst_TextStyle)
#include "tst_textstyle.moc"
