#include "support/testsupport.h"

#include "qmkformatproperties.h"
#include "rtf/reader/qmktextrtfreader_p.h"

class tst_Fields : public QObject
{
    Q_OBJECT
private slots:
    void hyperlinkInstructions_data();
    void hyperlinkInstructions();
    void fieldResults_data();
    void fieldResults();
    void pathologicalFields_data();
    void pathologicalFields();
};

namespace {

// One text run of the document and the link it is expected to carry (empty: none).
struct Run
{
    Run(const char *text = "", const char *href = "", const char *internalTarget = "",
        const char *noteIdentifier = "")
        : text(QString::fromUtf8(text)), href(QString::fromUtf8(href)),
          internalTarget(QString::fromUtf8(internalTarget)),
          noteIdentifier(QString::fromUtf8(noteIdentifier))
    {
    }

    QString text;
    QString href;
    QString internalTarget;
    QString noteIdentifier;
};

using Runs = QVector<Run>;

QByteArray repeated(const QByteArray &piece, int count)
{
    return piece.repeated(count);
}

} // namespace

Q_DECLARE_METATYPE(Runs)

void tst_Fields::hyperlinkInstructions_data()
{
    QTest::addColumn<QString>("instruction");
    QTest::addColumn<bool>("isLink");
    QTest::addColumn<QString>("href");
    QTest::addColumn<QVariant>("internalTarget");
    QTest::addColumn<QVariant>("noteIdentifier");

    const QVariant none;
    auto link = [](const char *tag, const char *instruction, const char *href) {
        QTest::newRow(tag) << QString::fromUtf8(instruction) << true << QString::fromUtf8(href)
                           << QVariant() << QVariant();
    };
    auto noLink = [](const char *tag, const char *instruction) {
        QTest::newRow(tag) << QString::fromUtf8(instruction) << false << QString() << QVariant()
                           << QVariant();
    };

    link("web link", "HYPERLINK \"notes.html\"", "notes.html");
    link("blanks around the instruction", "  HYPERLINK \"notes.html\"  ", "notes.html");
    link("empty target", "HYPERLINK \"\"", "");
    // Was: the whole text between the first and the last quotation mark, switch included.
    link("switch after the target", "HYPERLINK \"a.html\" \\o \"tip\"", "a.html");
    link("switch without a value after the target", "HYPERLINK \"a.html\" \\h", "a.html");
    link("two blanks before the target", "HYPERLINK  \"a.html\"", "a.html");
    // Was: a.html, the place in it dropped.
    link("place in the target", "HYPERLINK \"a.html\" \\l \"part2\"", "a.html#part2");
    link("place after another switch", "HYPERLINK \"a.html\" \\o \"tip\" \\l \"part2\" \\h",
         "a.html#part2");
    link("place unquoted", "HYPERLINK \"a.html\" \\l part2 ", "a.html#part2");
    link("a \\l in a quoted tip is no place", "HYPERLINK \"a.html\" \\o \"see \\l x\"",
         "a.html");
    link("empty place", "HYPERLINK \"a.html\" \\l \"\"", "a.html");
    link("\\l without a place", "HYPERLINK \"a.html\" \\l", "a.html");
    noLink("keyword in lower case", "hyperlink \"a.html\"");
    noLink("unquoted target", "HYPERLINK a.html");
    noLink("no target", "HYPERLINK");
    noLink("no closing quotation mark", "HYPERLINK \"a.html");
    noLink("other field", "PAGE");
    noLink("page reference", "PAGEREF _Toc1 \\h");
    noLink("empty instruction", "");

    link("this system's link is upper-cased", "HYPERLINK \"qmarklnk://abc-1\"", "qmarklnk://ABC-1");
    link("first letter already upper case", "HYPERLINK \"qmarklnk://7Fc\"", "qmarklnk://7Fc");
    link("digits only", "HYPERLINK \"qmarklnk://123\"", "qmarklnk://123");
    link("first non-digit is no letter", "HYPERLINK \"qmarklnk://1-a\"", "qmarklnk://1-a");
    link("scheme is case-sensitive", "HYPERLINK \"QMARKLNK://abc\"", "QMARKLNK://abc");

    QTest::newRow("note link is upper-cased and names the note")
        << QStringLiteral("HYPERLINK \"qmarkcmt://1234abcd\"") << true
        << QStringLiteral("qmarkcmt://1234ABCD") << none << QVariant(QStringLiteral("1234ABCD"));
    QTest::newRow("note link already upper case")
        << QStringLiteral("HYPERLINK \"qmarkcmt://ABCD-ef\"") << true
        << QStringLiteral("qmarkcmt://ABCD-ef") << none << QVariant(QStringLiteral("ABCD-ef"));
    QTest::newRow("note link without identifier")
        << QStringLiteral("HYPERLINK \"qmarkcmt://\"") << true << QStringLiteral("qmarkcmt://")
        << none << QVariant(QString());

    // Was: not a link at all, so the link was lost when the document was written again.
    QTest::newRow("link to a bookmark")
        << QStringLiteral("HYPERLINK \\l \"_Toc1\"") << true << QStringLiteral("#_Toc1")
        << QVariant(QStringLiteral("_Toc1")) << none;
    QTest::newRow("link to a bookmark, unquoted")
        << QStringLiteral(" HYPERLINK \\l Chapter2 ") << true << QStringLiteral("#Chapter2")
        << QVariant(QStringLiteral("Chapter2")) << none;
    QTest::newRow("link to a bookmark with a switch")
        << QStringLiteral("HYPERLINK \\l \"_Toc1\" \\h") << true << QStringLiteral("#_Toc1")
        << QVariant(QStringLiteral("_Toc1")) << none;
    QTest::newRow("link to a bookmark, blanks around")
        << QStringLiteral("HYPERLINK  \\l \"bookmark_1\" ") << true
        << QStringLiteral("#bookmark_1") << QVariant(QStringLiteral("bookmark_1")) << none;
    // Was: a link to nowhere (an empty target).
    QTest::newRow("place in an empty target: a link to a bookmark")
        << QStringLiteral("HYPERLINK \"\" \\l \"_Toc1\"") << true << QStringLiteral("#_Toc1")
        << QVariant(QStringLiteral("_Toc1")) << none;
    noLink("link to no bookmark", "HYPERLINK \\l");
    noLink("link to an empty bookmark name", "HYPERLINK \\l \"\"");
}

void tst_Fields::hyperlinkInstructions()
{
    QFETCH(QString, instruction);
    QFETCH(bool, isLink);
    QFETCH(QString, href);
    QFETCH(QVariant, internalTarget);
    QFETCH(QVariant, noteIdentifier);

    const QTextCharFormat link = QMKTextRtfReaderPrivate::linkFormatOf(instruction);
    QCOMPARE(link.isAnchor(), isLink);
    if (!isLink) {
        QVERIFY(link.properties().isEmpty());
        return;
    }
    QCOMPARE(link.anchorHref(), href);
    QCOMPARE(link.property(QMKFormatProperty::InternalLinkTarget), internalTarget);
    QCOMPARE(link.property(QMKFormatProperty::NoteIdentifier), noteIdentifier);
}

void tst_Fields::fieldResults_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<Runs>("runs");

    QTest::newRow("the result is a link")
        << QByteArray("{\\rtf1 See {\\field{\\*\\fldinst HYPERLINK \"notes.html\"}"
                      "{\\fldrslt Notes}} here}")
        << Runs{{"See "}, {"Notes", "notes.html"}, {" here"}};
    QTest::newRow("instruction in groups, as Word writes it")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst {\\insrsid1  HYPERLINK \"http://x.org/\" }"
                      "{\\insrsid1 {\\*\\datafield 00d0c9ea}}}{\\fldrslt {\\ul\\insrsid1 X}}}"
                      "\\sectd {\\insrsid1  after}}")
        << Runs{{"X", "http://x.org/"}, {" after"}};
    QTest::newRow("a field title between instruction and result")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst{HYPERLINK \"a.doc\"}}"
                      "{\\*\\fldtitle{a.doc}}{\\fldrslt{Doc}}}}")
        << Runs{{"Doc", "a.doc"}};
    QTest::newRow("not a hyperlink: plain result")
        << QByteArray("{\\rtf1 Page {\\field{\\*\\fldinst PAGE}{\\fldrslt 3}}}")
        << Runs{{"Page 3"}};
    QTest::newRow("link to a bookmark")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \\\\l \"sec\"}{\\fldrslt Section}}}")
        << Runs{{"Section", "#sec", "sec"}};
    QTest::newRow("this system's own link to a bookmark")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \\\\l sec}{\\fldrslt Section}}}")
        << Runs{{"Section", "#sec", "sec"}};
    // Was: a.html, the place in it dropped.
    QTest::newRow("link to a place in another document")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst {HYPERLINK \"a.html\" \\\\l \"part2\" }}"
                      "{\\fldrslt Part 2}}}")
        << Runs{{"Part 2", "a.html#part2"}};
    QTest::newRow("note link")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"qmarkcmt://ab12\"}"
                      "{\\fldrslt note}}}")
        << Runs{{"note", "qmarkcmt://AB12", "", "AB12"}};
    QTest::newRow("bookmarks are skipped")
        << QByteArray("{\\rtf1{\\*\\bkmkstart intro}Intro{\\*\\bkmkend intro}}")
        << Runs{{"Intro"}};
    QTest::newRow("text between the field's groups is dropped")
        << QByteArray("{\\rtf1{\\field stray{\\*\\fldinst PAGE}{\\fldrslt 1}}}")
        << Runs{{"1"}};
    // Was: the link stayed on every run after the instruction.
    QTest::newRow("an instruction outside a field links nothing after it")
        << QByteArray("{\\rtf1 before {\\*\\fldinst HYPERLINK \"x\"}after}")
        << Runs{{"before after"}};
    // Was: the inner instruction was read after the outer one, so the outer target won.
    QTest::newRow("a link in a link's result has its own target")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"a\"}{\\fldrslt A"
                      "{\\field{\\*\\fldinst HYPERLINK \"b\"}{\\fldrslt B}}}}}")
        << Runs{{"A", "a"}, {"B", "b"}};
    QTest::newRow("a page reference in a link's result keeps the link")
        << QByteArray("{\\rtf1{\\field {\\*\\fldinst HYPERLINK \"#target\" }{\\fldrslt "
                      "{\\field {\\*\\fldinst { PAGEREF \"target\" } }{\\fldrslt 42}}}}}")
        << Runs{{"42", "#target"}};
    QTest::newRow("two links in a row")
        << QByteArray("{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"a\"}{\\fldrslt A}}"
                      "{\\field{\\*\\fldinst PAGE}{\\fldrslt 2}}}")
        << Runs{{"A", "a"}, {"2"}};
}

void tst_Fields::fieldResults()
{
    QFETCH(QByteArray, rtf);
    QFETCH(Runs, runs);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    QString text;
    for (const Run &run : runs)
        text += run.text;
    QCOMPARE(result.text(), text);

    const QTextBlock first = block(*result.document, 0);
    for (int i = 0; i < runs.size(); ++i) {
        const QTextFragment piece = fragment(first, i);
        const QTextCharFormat format = piece.charFormat();
        QCOMPARE(piece.text(), runs.at(i).text);
        QCOMPARE(format.isAnchor(), !runs.at(i).href.isEmpty());
        QCOMPARE(format.anchorHref(), runs.at(i).href);
        QCOMPARE(format.stringProperty(QMKFormatProperty::InternalLinkTarget),
                 runs.at(i).internalTarget);
        QCOMPARE(format.stringProperty(QMKFormatProperty::NoteIdentifier),
                 runs.at(i).noteIdentifier);
    }
}

// Inputs that only have to finish with their text kept.
void tst_Fields::pathologicalFields_data()
{
    QTest::addColumn<QByteArray>("rtf");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("href");

    const QByteArray megabyte = repeated("a", 1 << 20);
    QTest::newRow("target of a megabyte")
        << "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"" + megabyte + "\"}{\\fldrslt R}}}"
        << QStringLiteral("R") << QString();
    QTest::newRow("tip of a megabyte after the target")
        << "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"t\" \\\\o \"" + megabyte
               + "\"}{\\fldrslt R}}}"
        << QStringLiteral("R") << QStringLiteral("t");
    QTest::newRow("instruction of many groups")
        << "{\\rtf1{\\field{\\*\\fldinst HYPERLINK \"" + repeated("{a}", 200000)
               + "\"}{\\fldrslt R}}}"
        << QStringLiteral("R") << QString();

    const int depth = 20000;
    QTest::newRow("deeply nested fields")
        << "{\\rtf1" + repeated("{\\field{\\*\\fldinst HYPERLINK \"x\"}{\\fldrslt ", depth) + "R"
               + repeated("}}", depth) + "}"
        << QStringLiteral("R") << QStringLiteral("x");
    QTest::newRow("deeply nested instructions")
        << "{\\rtf1{\\field{\\*\\fldinst " + repeated("{\\field{\\*\\fldinst ", depth)
               + repeated("}}", depth) + "}{\\fldrslt R}}}"
        << QStringLiteral("R") << QString();
}

void tst_Fields::pathologicalFields()
{
    QFETCH(QByteArray, rtf);
    QFETCH(QString, text);
    QFETCH(QString, href);

    const ImportResult result = importRtf(rtf);
    QVERIFY(result.ok);
    QCOMPARE(result.text(), text);
    QCOMPARE(formatOf(*result.document, text).anchorHref(), href);
}

QMK_TEST_MAIN(tst_Fields)
#include "tst_fields.moc"
