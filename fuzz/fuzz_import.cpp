// libFuzzer target: imports arbitrary bytes and checks that the document it leaves is sound.
// Every input is imported twice, with and without removal of invalid characters, since the two
// take different paths through the text flush.

#include "fuzz/fuzzinput.h"
#include "qmktextrtfreader.h"
#include "support/documentinvariants.h"

#include <QBuffer>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

namespace {

void fail(const QString &what)
{
    std::fprintf(stderr, "invariant broken: %s\n", qPrintable(what));
    std::abort();
}

void import(const QByteArray &bytes, bool removeInvalid)
{
    QByteArray data = bytes;
    QBuffer buffer(&data);
    buffer.open(QIODevice::ReadOnly);
    QMKTextRtfReader reader(&buffer);
    QTextDocument document;
    const bool ok = reader.read(&document, removeInvalid);
    if (ok != reader.errorString().isEmpty())
        fail(QStringLiteral("success and error message disagree"));
    const QString fault = documentInvariantFault(document);
    if (!fault.isEmpty())
        fail(fault);
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
    import(bytes, false);
    import(bytes, true);
    return 0;
}
