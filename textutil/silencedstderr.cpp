#include "textutil/silencedstderr_p.h"

#include <QtGlobal>

#include <cstdio>
#include <mutex>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <unistd.h>
#endif

namespace {

// Readers in several threads silence stderr at once, and their silences end in any order: the
// first one in keeps what stderr was, and the last one out puts it back.
std::mutex silencesMutex;
int streamSilences = 0;
std::FILE *streamBefore = nullptr;
int descriptorSilences = 0;
int descriptorBefore = -1;

} // namespace

SilencedStderr::SilencedStderr(Reach reach)
{
#ifdef __GLIBC__
    // glibc's standard streams are plain variables, documented as assignable.
    if (reach == StdioStream) {
        static std::FILE *const null = std::fopen("/dev/null", "we");
        if (null) {
            const std::lock_guard<std::mutex> lock(silencesMutex);
            if (streamSilences++ == 0) {
                std::fflush(stderr);
                streamBefore = stderr;
                stderr = null;
            }
            silenced = StdioStream;
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
    const std::lock_guard<std::mutex> lock(silencesMutex);
    if (descriptorSilences == 0) {
        std::fflush(stderr);
        descriptorBefore = ::dup(STDERR_FILENO);
        if (descriptorBefore < 0)
            return;
        ::dup2(null, STDERR_FILENO);
    }
    ++descriptorSilences;
    silenced = Descriptor;
#endif
}

SilencedStderr::~SilencedStderr()
{
    if (!silenced)
        return;
    const std::lock_guard<std::mutex> lock(silencesMutex);
    if (*silenced == StdioStream) {
        if (--streamSilences == 0)
            stderr = streamBefore;
        return;
    }
#ifdef Q_OS_UNIX
    if (--descriptorSilences == 0) {
        std::fflush(stderr);
        ::dup2(descriptorBefore, STDERR_FILENO);
        ::close(descriptorBefore);
    }
#endif
}
