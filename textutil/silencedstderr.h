#ifndef QMK_SILENCEDSTDERR_H
#define QMK_SILENCEDSTDERR_H

// While an object of this class lives, whatever is written to the process's standard error
// is discarded. Some decoding libraries (libpng among them) print their faults there
// themselves, past Qt's message handler, and the import prints nothing. The import is
// single-threaded; keep the scope to the one library call.
class SilencedStderr
{
public:
    SilencedStderr();
    ~SilencedStderr();
    SilencedStderr(const SilencedStderr &) = delete;
    SilencedStderr &operator=(const SilencedStderr &) = delete;

private:
    int savedDescriptor = -1;
};

#endif // QMK_SILENCEDSTDERR_H
