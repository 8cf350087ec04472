#ifndef QMK_LINECOUNTER_P_H
#define QMK_LINECOUNTER_P_H

#include <QtGlobal>

// Counts line breaks (LF, CR LF and a lone CR each end a line) over the input's bytes, handed
// in order and each once, so that any later byte offset can be given as a line and column.
class RtfLineCounter
{
public:
    /// Counts size bytes starting at offset().
    void consume(const char *data, qint64 size);

    qint64 offset() const { return at; }
    /// 1-based line of the byte at offset().
    qint64 line() const { return lines; }
    /// 1-based column, in bytes, of the byte at offset().
    qint64 column() const { return at - lineStart + 1; }

private:
    qint64 at = 0;
    qint64 lines = 1;
    qint64 lineStart = 0;
    bool afterCarriageReturn = false; ///< an LF at offset() ends no further line
};

#endif // QMK_LINECOUNTER_P_H
