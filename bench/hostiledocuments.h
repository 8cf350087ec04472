#ifndef QMK_BENCH_HOSTILEDOCUMENTS_H
#define QMK_BENCH_HOSTILEDOCUMENTS_H

#include <QString>

// Writes and reads back every hostile document whose name contains only, at half and full
// scale, each in a process of its own (output is a scratch file); prints a table. False when
// any breaks linear time, its memory bound or its read-back.
bool benchHostileDocuments(double scale, const QString &only, const QString &output);

#endif // QMK_BENCH_HOSTILEDOCUMENTS_H
