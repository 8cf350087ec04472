#include "support/testsupport.h"

#include "fakefontservices.h"
#include "fonts/facecatalogue_p.h"

namespace {

FaceRecord face(const char *family, const char *fullName, int weight, bool italic,
                const char *styleWords, int stretch = QFont::Unstretched)
{
    FaceRecord record;
    record.familyName = text(family);
    record.fullName = text(fullName);
    record.installed = true;
    record.weight = weight;
    record.style = italic ? QFont::StyleItalic : QFont::StyleNormal;
    record.stretch = stretch;
    const QStringList words = text(styleWords).split(QLatin1Char(','), Qt::SkipEmptyParts);
    record.styleWords = QSet<QString>(words.cbegin(), words.cend());
    return record;
}

// A small catalogue with the shapes real faces have: a family with several faces, a face
// known by another family name, a face found only by its full name, a PostScript key that is
// the family name without blanks.
FaceCatalogue sampleCatalogue()
{
    FaceCatalogue catalogue;
    catalogue.addFace(text("ArialMT"), face("Arial", "Arial", 50, false, ""));
    catalogue.addFace(text("Arial-BoldMT"), face("Arial", "Arial Bold", 75, false, "Bold"));
    catalogue.addFace(text("Arial-BoldItalicMT"),
                      face("Arial", "Arial Bold Italic", 75, true, "Bold,Italic"));
    catalogue.addFace(text("HelveticaNeue-Light"),
                      face("Helvetica Neue", "Helvetica Neue Light", 25, false, "Light"));
    FaceRecord times = face("Times New Roman", "Times New Roman", 50, false, "");
    times.otherNames.insert(text("Times New Roman PS"));
    times.installed = false;
    catalogue.addFace(text("TimesNewRomanPSMT"), times);
    catalogue.addFace(text("OptimaNova-Bold"),
                      face("Optima nova LT", "Optima Nova Bold", 75, false, "Bold"));
    catalogue.addFace(text("GillSans"), face("Gill Sans MT", "Gill Sans MT", 50, false, ""));
    catalogue.addFace(text("Univers-Condensed"),
                      face("Univers", "Univers Condensed", 50, false, "Condensed", 75));
    catalogue.addInstalledFamily(text("Arial"));
    catalogue.addInstalledFamily(text("Times New Roman PS"));
    return catalogue;
}

} // namespace

class tst_FaceCatalogue : public QObject
{
    Q_OBJECT
private slots:
    void faceKeyForName_data();
    void faceKeyForName();
    void unresolvableNameIsRemembered();
    void installedOnlyForResolvedNames();
    void installedFamilyForFace_data();
    void installedFamilyForFace();
    void postScriptName_data();
    void postScriptName();
    void postScriptNameIsCached();
};

void tst_FaceCatalogue::faceKeyForName_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("key");

    QTest::newRow("empty name") << QString() << QString();
    QTest::newRow("other name of the family") << text("times new roman ps")
                                              << text("TimesNewRomanPSMT");
    QTest::newRow("style words pick the face") << text("Arial Bold Italic")
                                               << text("Arial-BoldItalicMT");
    QTest::newRow("lone style word") << text("Arial Bold") << text("Arial-BoldMT");
    QTest::newRow("style words ignore case") << text("arial bold italic")
                                             << text("Arial-BoldItalicMT");
    QTest::newRow("Regular means no style words") << text("Arial Regular") << text("ArialMT");
    QTest::newRow("style word of another family part") << text("Helvetica Neue Light")
                                                       << text("HelveticaNeue-Light");
    QTest::newRow("full name on the second pass") << text("Optima Nova Bold")
                                                  << text("OptimaNova-Bold");
    QTest::newRow("face key without blanks") << text("Gill Sans") << text("GillSans");
    QTest::newRow("face key as given") << text("ArialMT") << text("ArialMT");
    QTest::newRow("nothing found gives the name") << text("Zapfino") << text("Zapfino");
    QTest::newRow("style words of an unknown family") << text("Zapfino Bold")
                                                      << text("Zapfino Bold");
}

void tst_FaceCatalogue::faceKeyForName()
{
    QFETCH(QString, name);
    QFETCH(QString, key);

    FaceCatalogue catalogue = sampleCatalogue();
    QCOMPARE(catalogue.faceKeyForName(name), key);
    QCOMPARE(catalogue.faceKeyForName(name), key);
}

void tst_FaceCatalogue::unresolvableNameIsRemembered()
{
    FaceCatalogue catalogue = sampleCatalogue();
    QCOMPARE(catalogue.faceKeyForName(text("Zapfino")), text("Zapfino"));
    // A face added later is not seen under a name already known to have none.
    catalogue.addFace(text("Zapfino"), face("Zapfino", "Zapfino", 50, false, ""));
    QCOMPARE(catalogue.faceKeyForName(text("ZAPFINO")), text("ZAPFINO"));
}

void tst_FaceCatalogue::installedOnlyForResolvedNames()
{
    FaceCatalogue catalogue = sampleCatalogue();
    QVERIFY(!catalogue.isFamilyInstalled(text("Arial Bold")));
    catalogue.faceKeyForName(text("Arial Bold"));
    QVERIFY(catalogue.isFamilyInstalled(text("Arial Bold")));
    catalogue.faceKeyForName(text("Times New Roman PS"));
    QVERIFY(!catalogue.isFamilyInstalled(text("Times New Roman PS")));
    catalogue.faceKeyForName(text("Zapfino"));
    QVERIFY(!catalogue.isFamilyInstalled(text("Zapfino")));
}

void tst_FaceCatalogue::installedFamilyForFace_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("family");

    QTest::newRow("family name installed") << text("Arial-BoldMT") << text("Arial");
    QTest::newRow("other name installed") << text("TimesNewRomanPSMT")
                                          << text("Times New Roman PS");
    QTest::newRow("no name installed") << text("GillSans") << QString();
    QTest::newRow("no such face") << text("Zapfino") << QString();
}

void tst_FaceCatalogue::installedFamilyForFace()
{
    QFETCH(QString, key);
    QFETCH(QString, family);
    QCOMPARE(sampleCatalogue().installedFamilyForFace(key), family);
}

void tst_FaceCatalogue::postScriptName_data()
{
    QTest::addColumn<QString>("family");
    QTest::addColumn<int>("weight");
    QTest::addColumn<bool>("italic");
    QTest::addColumn<int>("stretch");
    QTest::addColumn<bool>("fallback");
    QTest::addColumn<QString>("key");

    QTest::newRow("bold italic face") << text("Arial") << 75 << true << 100 << false
                                      << text("Arial-BoldItalicMT");
    QTest::newRow("bold face") << text("arial") << 75 << false << 100 << false
                               << text("Arial-BoldMT");
    QTest::newRow("stretch must match") << text("Univers") << 50 << false << 75 << false
                                        << text("Univers-Condensed");
    QTest::newRow("other stretch finds nothing") << text("Univers") << 50 << false << 100
                                                 << false << QString();
    QTest::newRow("full name allowed last") << text("Optima Nova Bold") << 75 << false << 100
                                            << false << text("OptimaNova-Bold");
    QTest::newRow("no face, no fallback") << text("Arial") << 87 << false << 100 << false
                                          << QString();
    QTest::newRow("unknown family falls back to itself") << text("Zapfino") << 50 << false
                                                         << 100 << true << text("Zapfino");
    QTest::newRow("any weight") << text("Helvetica Neue") << -1 << false << 100 << false
                                << text("HelveticaNeue-Light");
}

void tst_FaceCatalogue::postScriptName()
{
    QFETCH(QString, family);
    QFETCH(int, weight);
    QFETCH(bool, italic);
    QFETCH(int, stretch);
    QFETCH(bool, fallback);
    QFETCH(QString, key);

    FaceCatalogue catalogue = sampleCatalogue();
    QCOMPARE(catalogue.postScriptName(family, weight, italic, stretch, fallback), key);
}

void tst_FaceCatalogue::postScriptNameIsCached()
{
    FaceCatalogue catalogue = sampleCatalogue();
    QCOMPARE(catalogue.postScriptName(text("Helvetica Neue"), 25, false, 100, false),
             text("HelveticaNeue-Light"));
    catalogue.addFace(text("HelveticaNeue-Thin"),
                      face("Helvetica Neue", "Helvetica Neue Thin", 25, false, "Thin"));
    QCOMPARE(catalogue.postScriptName(text("Helvetica Neue"), 25, false, 100, false),
             text("HelveticaNeue-Light"));
    // Empty results are not kept: a face added later is found.
    QCOMPARE(catalogue.postScriptName(text("Helvetica Neue"), 25, true, 100, false), QString());
    catalogue.addFace(text("HelveticaNeue-LightItalic"),
                      face("Helvetica Neue", "Helvetica Neue Light Italic", 25, true,
                           "Light,Italic"));
    QCOMPARE(catalogue.postScriptName(text("Helvetica Neue"), 25, true, 100, false),
             text("HelveticaNeue-LightItalic"));
}

QMK_TEST_MAIN(tst_FaceCatalogue)
#include "tst_facecatalogue.moc"
