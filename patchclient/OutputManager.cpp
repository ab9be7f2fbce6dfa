#include "OutputManager.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>

COutputManager::COutputManager() {
    m_log = open("patchlog", O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0664);
}

COutputManager::~COutputManager() {
    if (m_log >= 0) close(m_log);
    fflush(stdout);
}

void COutputManager::Put(const char* text, size_t length) {
    fwrite(text, 1, length, stdout);
    // The patch command shares standard output; what we printed comes first.
    fflush(stdout);
}

COutputManager& COutputManager::operator<<(const char* text) {
    if (text) Put(text, strlen(text));
    return *this;
}

COutputManager& COutputManager::operator<<(const std::string& text) {
    Put(text.data(), text.size());
    return *this;
}

void COutputManager::DoMessage(const char* text, unsigned length) {
    Put(text, length);
}

void COutputManager::Log(const char* text) {
    if (m_log < 0 || !text) return;
    size_t left = strlen(text);
    while (left > 0) {
        ssize_t rc = write(m_log, text, left);
        if (rc < 0 && errno == EINTR) continue;
        if (rc <= 0) return;
        text += rc;
        left -= static_cast<size_t>(rc);
    }
}

void COutputManager::SetProgressRange(std::uint32_t min, std::uint32_t max) {
    m_progressMin = min;
    m_progressMax = max;
}

void COutputManager::SetProgressStatus(std::uint32_t value) {
    m_progressValue = value;
}

void COutputManager::IncreaseProgressStatus(std::uint32_t step) {
    m_progressValue += step;
}
