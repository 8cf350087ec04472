#include "rtf/reader/linecounter_p.h"

#include <cstring>

void RtfLineCounter::consume(const char *data, qint64 size)
{
    // memchr finds the breaks: every byte of the input passes through here.
    const char *const end = data + size;
    const char *p = data;
    while (p < end) {
        const char *lf = static_cast<const char *>(std::memchr(p, '\n', size_t(end - p)));
        const char *cr = static_cast<const char *>(
            std::memchr(p, '\r', size_t((lf ? lf : end) - p)));
        const char *brk = cr ? cr : lf;
        if (!brk)
            break;
        // The LF of a CR LF pair ends no line of its own.
        if (!(*brk == '\n' && (brk == data ? afterCarriageReturn : brk[-1] == '\r')))
            ++lines;
        lineStart = at + (brk + 1 - data);
        p = brk + 1;
    }
    if (size > 0)
        afterCarriageReturn = end[-1] == '\r';
    at += size;
}
