#include "textutil/silencedstderr.h"

#include <QtGlobal>

#include <cstdio>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

SilencedStderr::SilencedStderr()
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
#ifdef Q_OS_UNIX
    if (savedDescriptor < 0)
        return;
    std::fflush(stderr);
    ::dup2(savedDescriptor, STDERR_FILENO);
    ::close(savedDescriptor);
#endif
}
