// Import time of long tables: rows of three cells, as Word writes them, in sizes that double,
// so that the time per row shows whether the import stays linear in the table's size.
//
//   build/bench/tablebench [largest-row-count]      (default 20000)
//
// A second series gives every row a cell merged with the one above (\clvmrg): each merge
// makes Qt rebuild the table's cell grid, so that series is expected to grow faster.

#include "qmktextrtfreader.h"
#include "textutil/headless_p.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QTextDocument>

#include <cstdio>
#include <cstdlib>

namespace {

QByteArray tableRtf(int rows, bool merged)
{
    QByteArray rtf = "{\\rtf1\\ansi\\deff0{\\fonttbl{\\f0 Arial;}}\n";
    for (int r = 0; r < rows; ++r) {
        rtf += "\\trowd\\trgaph108\\trleft-108";
        rtf += merged && r > 0 ? "\\clvmrg" : "";
        rtf += "\\cellx3000\\cellx6000\\cellx9000\n\\pard\\intbl Row ";
        rtf += QByteArray::number(r);
        rtf += "\\cell Second cell\\cell Third\\cell\\row\n";
    }
    return rtf + "\\pard after\\par}";
}

double importSeconds(const QByteArray &rtf)
{
    QByteArray bytes = rtf;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    QTextDocument document;
    QMKTextRtfReader reader(&buffer);
    QElapsedTimer timer;
    timer.start();
    reader.read(&document, false);
    return timer.nsecsElapsed() / 1e9;
}

void series(const char *title, int largest, bool merged)
{
    std::printf("%s\n%8s %10s %10s %14s\n", title, "rows", "bytes", "seconds", "us per row");
    for (int rows = 1250; rows <= largest; rows *= 2) {
        const QByteArray rtf = tableRtf(rows, merged);
        const double seconds = importSeconds(rtf);
        std::printf("%8d %10d %10.3f %14.1f\n", rows, int(rtf.size()), seconds,
                    seconds * 1e6 / rows);
        std::fflush(stdout);
    }
}

} // namespace

int main(int argc, char *argv[])
{
    prepareHeadlessGui();
    QGuiApplication app(argc, argv);
    const int largest = argc > 1 ? std::atoi(argv[1]) : 20000;
    series("Three cells a row", largest, false);
    series("Three cells a row, the first merged with the row above", largest / 2, true);
    return 0;
}
