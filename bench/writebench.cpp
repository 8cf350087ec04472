// Write time of the RTF writer against Qt's HTML export of the same document and against the
// import that built it, on the generated workloads, in one process.
//
//   build/bench/writebench [KINDS [SIZES]]     (default: text,table,list,picture 1,20; sizes in MB)
//
// Each workload is imported (timed, median of the runs, the last document kept), then toRtf
// (internal mode, asIs) and QTextDocument::toHtml() walk that document in turn, so that a burst
// of load on a shared machine slows both alike. asIs prepares the document in place on its
// first write, so one untimed write comes first and every timed run sees the same document.

#include "qmktextrtfreader.h"
#include "qmktextrtfwriter.h"
#include "textutil/headless_p.h"
#include "workloads.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <QStringList>
#include <QTextDocument>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr qint64 MB = 1000000;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    const size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

template <typename F>
double msOf(F &&f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return timer.nsecsElapsed() / 1e6;
}

struct Row {
    QString kind;
    int megabytes = 0;
    qint64 inputBytes = 0, rtfBytes = 0, htmlBytes = 0;
    double importMs = 0, rtfMs = 0, htmlMs = 0;
};

Row measure(const QString &kind, WorkloadKind workload, int megabytes)
{
    Row row{kind, megabytes};
    QByteArray rtf = generateWorkload(workload, megabytes * MB);
    row.inputBytes = rtf.size();
    // A 1 MB write takes about 10 ms: more runs there steady the linearity ratio.
    const int runs = megabytes <= 1 ? 11 : 3;

    std::unique_ptr<QTextDocument> document;
    std::vector<double> imports, writes, htmls;
    for (int i = 0; i < runs; ++i) {
        document.reset(); // one document at a time, as one import holds
        document = std::make_unique<QTextDocument>();
        QBuffer buffer(&rtf);
        buffer.open(QIODevice::ReadOnly);
        QMKTextRtfReader reader(&buffer);
        imports.push_back(msOf([&] { reader.read(document.get(), false); }));
    }

    row.rtfBytes = toRtf(document.get(), true, false, true, QString()).size();
    row.htmlBytes = document->toHtml().toUtf8().size();
    for (int i = 0; i < runs; ++i) {
        writes.push_back(msOf([&] { toRtf(document.get(), true, false, true, QString()); }));
        htmls.push_back(msOf([&] { document->toHtml(); }));
    }
    row.importMs = median(imports);
    row.rtfMs = median(writes);
    row.htmlMs = median(htmls);
    return row;
}

} // namespace

int main(int argc, char *argv[])
{
    prepareHeadlessGui();
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    const QStringList kinds = (args.size() > 1 ? args.at(1) : QStringLiteral("text,table,list,picture"))
                                  .split(QLatin1Char(','));
    std::vector<int> sizes;
    for (const QString &s : (args.size() > 2 ? args.at(2) : QStringLiteral("1,20")).split(QLatin1Char(',')))
        sizes.push_back(s.toInt());
    std::sort(sizes.begin(), sizes.end());

    std::printf("%-8s %5s %10s %9s %9s %9s %9s %9s %11s %11s\n", "kind", "MB", "input B",
                "import ms", "toRtf ms", "toHtml ms", "rtf/html", "rtf/imp", "rtf B", "html B");
    std::vector<Row> rows;
    for (const QString &kind : kinds) {
        WorkloadKind workload;
        if (!workloadKindFromName(kind, &workload)) {
            std::fprintf(stderr, "unknown kind %s\n", qPrintable(kind));
            return 1;
        }
        for (int megabytes : sizes) {
            const Row r = measure(kind, workload, megabytes);
            std::printf("%-8s %5d %10lld %9.1f %9.1f %9.1f %9.2f %9.2f %11lld %11lld\n",
                        qPrintable(r.kind), r.megabytes, r.inputBytes, r.importMs, r.rtfMs,
                        r.htmlMs, r.rtfMs / r.htmlMs, r.rtfMs / r.importMs, r.rtfBytes,
                        r.htmlBytes);
            std::fflush(stdout);
            rows.push_back(r);
        }
    }

    // The goals: no slower than the HTML export nor the import, and linear in the size.
    std::printf("\nGoals (toRtf <= toHtml, toRtf <= import, largest <= 1.1 x size ratio x smallest)\n");
    for (const Row &r : rows)
        std::printf("%-8s %3d MB: vs toHtml %.2fx %s, vs import %.2fx %s\n", qPrintable(r.kind),
                    r.megabytes, r.rtfMs / r.htmlMs, r.rtfMs <= r.htmlMs ? "met" : "NOT met",
                    r.rtfMs / r.importMs, r.rtfMs <= r.importMs ? "met" : "NOT met");
    if (sizes.size() >= 2) {
        const int small = sizes.front(), large = sizes.back();
        const double limit = 1.1 * large / small;
        for (const QString &kind : kinds) {
            const Row *a = nullptr, *b = nullptr;
            for (const Row &r : rows) {
                if (r.kind == kind && r.megabytes == small) a = &r;
                if (r.kind == kind && r.megabytes == large) b = &r;
            }
            const double ratio = b->rtfMs / a->rtfMs;
            std::printf("%-8s %d MB write is %.1fx the %d MB write (limit %.0fx) %s\n",
                        qPrintable(kind), large, ratio, small, limit,
                        ratio <= limit ? "met" : "NOT met");
        }
    }
    return 0;
}
