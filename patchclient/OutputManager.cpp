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
    const std::string shown = ShownText(std::string_view(text, length), ShownAs::Message);
    Put(shown.data(), shown.size());
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

namespace {

// The length of the well-formed UTF-8 sequence at the start of `rest`, or 0
// when it does not start one (overlong forms and surrogates included).
size_t Utf8Length(std::string_view rest) {
    const unsigned char lead = static_cast<unsigned char>(rest[0]);
    size_t length;
    unsigned char low = 0x80, high = 0xBF;  // bounds of the second byte
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        if (lead == 0xE0) low = 0xA0;
        if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        if (lead == 0xF0) low = 0x90;
        if (lead == 0xF4) high = 0x8F;
    } else {
        return 0;
    }
    if (rest.size() < length) return 0;
    for (size_t i = 1; i < length; ++i) {
        const unsigned char c = static_cast<unsigned char>(rest[i]);
        if (c < (i == 1 ? low : 0x80) || c > (i == 1 ? high : 0xBF)) return 0;
    }
    return length;
}

void Escape(std::string& shown, std::string_view bytes) {
    for (unsigned char c : bytes) {
        char hex[8];
        snprintf(hex, sizeof hex, "\\x%02X", c);
        shown += hex;
    }
}

}  // namespace

std::string ShownText(std::string_view bytes, ShownAs as) {
    std::string shown;
    shown.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size();) {
        const unsigned char c = static_cast<unsigned char>(bytes[i]);
        if (c >= 0x80) {
            const size_t length = Utf8Length(bytes.substr(i));
            // U+0080 to U+009F are the C1 controls, CSI among them.
            const bool control =
                length == 0 ? c < 0xA0
                            : (c == 0xC2 && static_cast<unsigned char>(bytes[i + 1]) < 0xA0);
            const size_t n = length == 0 ? 1 : length;
            if (control)
                Escape(shown, bytes.substr(i, n));
            else
                shown.append(bytes.substr(i, n));
            i += n;
            continue;
        }
        bool keep = c >= 0x20 && c != 0x7F;
        if (as == ShownAs::Message) {
            keep = keep || c == '\t' || c == '\n' ||
                   (c == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n');
        } else {
            keep = keep && c != '"' && c != '\\';
        }
        if (keep)
            shown += static_cast<char>(c);
        else
            Escape(shown, bytes.substr(i, 1));
        ++i;
    }
    return shown;
}
