// Ostrel-Vane Studio tests - a full disk without a full disk: files written by this process
// may not grow beyond a limit while a FileSizeLimit lives, so a write past it fails as on a
// full device (works for the superuser too, where permissions refuse nothing).
#pragma once

#include <sys/resource.h>

#include <csignal>

namespace HalvrennInc {

class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t uBytes)
    {
        // The signal that would end the process is ignored: the write fails instead.
        m_previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &m_previous);
        rlimit limit = m_previous;
        limit.rlim_cur = uBytes;
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &m_previous);
        std::signal(SIGXFSZ, m_previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_previous{};
    void (*m_previousHandler)(int);
};

}  // namespace HalvrennInc
