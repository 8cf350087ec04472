#ifndef QMK_FUZZINPUT_H
#define QMK_FUZZINPUT_H

#include "textutil/headless_p.h"

#include <QByteArray>
#include <QGuiApplication>

#include <cstddef>
#include <cstdint>

// What every fuzz target needs first: a headless application, made once.
inline void startFuzzApplication(int *argc, char ***argv)
{
    prepareHeadlessGui();
    static QGuiApplication application(*argc, *argv);
}

// The fuzzer's bytes without a copy, at most 16 MB of them.
inline QByteArray fuzzInput(const uint8_t *data, size_t size)
{
    return QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                   int(size < (1u << 24) ? size : (1u << 24)));
}

#endif // QMK_FUZZINPUT_H
