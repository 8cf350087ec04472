// libFuzzer target: the round trip as an oracle. Arbitrary bytes are imported, the document is
// written in internal mode and in export mode, and each is imported again. The writer must
// always write RTF that imports without a fault, and the internal round trip must give back
// the same text, tables and lists.

#include "fuzz/fuzzinput.h"
#include "qmktextrtfreader.h"
#include "qmktextrtfwriter.h"
#include "support/documentinvariants.h"
#include "support/roundtripcompare.h"

#include <QBuffer>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

void fail(const QString &what, const QByteArray &written = QByteArray())
{
    std::fprintf(stderr, "round trip broken: %s\n", qPrintable(what));
    if (!written.isEmpty())
        std::fprintf(stderr, "written:\n%s\n", written.left(4000).constData());
    std::abort();
}

std::unique_ptr<QTextDocument> import(const QByteArray &bytes, bool *ok)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QMKTextRtfReader reader(&buffer);
    auto document = std::make_unique<QTextDocument>();
    *ok = reader.read(document.get());
    return document;
}

std::unique_ptr<QTextDocument> importWritten(const QByteArray &written)
{
    bool ok = false;
    auto document = import(written, &ok);
    if (!ok)
        fail(QStringLiteral("the written RTF does not import without a fault"), written);
    const QString fault = documentInvariantFault(*document);
    if (!fault.isEmpty())
        fail(fault, written);
    return document;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    startFuzzApplication(argc, argv);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = fuzzInput(data, size);
    bool ok = false;
    const auto original = import(bytes, &ok);

    const QByteArray internal = toRtf(original.get(), false, false, true, QString());
    const auto readBack = importWritten(internal);
    const QString difference =
        roundTripDifference(*original, *readBack, RoundTripScope::Structure);
    if (!difference.isEmpty())
        fail(difference, internal);

    const QByteArray exported = toRtf(original.get(), false, true, true, QString());
    const auto exportedBack = importWritten(exported);
    if (exportedText(*exportedBack) != exportedText(*readBack))
        fail(QStringLiteral("export mode lost text"), exported);
    return 0;
}
