#include "textutil/silencedstderr.h"

#include <QtGlobal>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

SilencedStderr::SilencedStderr(Reach reach)
{
#ifdef __GLIBC__
    // glibc's standard streams are plain variables, documented as assignable.
    if (reach == StdioStream) {
        static std::FILE *const null = std::fopen("/dev/null", "we");
        if (null) {
            std::fflush(stderr);
            savedStream = stderr;
            stderr = null;
            return;
        }
    }
#else
    Q_UNUSED(reach);
#endif
    silenceDescriptor();
}

void SilencedStderr::silenceDescriptor()
{
#ifdef Q_OS_UNIX
    // Opened once: a document of thousands of pictures silences stderr thousands of times.
    static const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (null < 0)
        return;
    std::fflush(stderr);
    savedDescriptor = ::dup(STDERR_FILENO);
    if (savedDescriptor >= 0)
        ::dup2(null, STDERR_FILENO);
#endif
}

SilencedStderr::~SilencedStderr()
{
#ifdef __GLIBC__
    if (savedStream) {
        stderr = savedStream;
        return;
    }
#endif
#ifdef Q_OS_UNIX
    if (savedDescriptor < 0)
        return;
    std::fflush(stderr);
    ::dup2(savedDescriptor, STDERR_FILENO);
    ::close(savedDescriptor);
#endif
}
