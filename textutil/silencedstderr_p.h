#ifndef QMK_SILENCEDSTDERR_H
#define QMK_SILENCEDSTDERR_H

#include <optional>

// While an object of this class lives, whatever is written to the process's standard error
// is discarded. Some decoding libraries (libpng among them) print their faults there
// themselves, past Qt's message handler, and the import prints nothing. Silences may overlap
// (readers in several threads): stderr comes back when the last one ends. What other threads
// print meanwhile is lost too, so keep the scope to the one library call.
class SilencedStderr
{
public:
    enum Reach {
        // Only what is printed through the C library's stderr stream (fprintf(stderr, ...)).
        // Where the stream can be swapped (glibc) this costs no system call, which matters
        // for a document of thousands of pictures; elsewhere it falls back to Descriptor.
        StdioStream,
        // Everything written to descriptor 2, by any means.
        Descriptor,
    };

    explicit SilencedStderr(Reach reach = Descriptor);
    ~SilencedStderr();
    SilencedStderr(const SilencedStderr &) = delete;
    SilencedStderr &operator=(const SilencedStderr &) = delete;

private:
    void silenceDescriptor();

    std::optional<Reach> silenced;  ///< how this object silenced stderr, if it could
};

#endif // QMK_SILENCEDSTDERR_H
