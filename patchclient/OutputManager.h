// COutputManager: where the patch program reports.  Progress lines, errors and
// the server's message of the day go to standard output.  The manager also
// holds "patchlog" open for the whole run (created when missing, never
// truncated) and progress counters for a progress display that is not drawn.
// main owns the one instance; the session holds a reference.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

class COutputManager {
public:
    COutputManager();
    ~COutputManager();
    COutputManager(const COutputManager&) = delete;
    COutputManager& operator=(const COutputManager&) = delete;

    // The text unchanged; callers end each line with "\n".
    COutputManager& operator<<(const char* text);
    COutputManager& operator<<(const std::string& text);
    // The server's message of the day, its control characters escaped
    // (ShownText).
    void DoMessage(const char* text, unsigned length);
    void Log(const char* text);

    // Kept for a progress display that is not drawn.
    void SetProgressRange(std::uint32_t min, std::uint32_t max);
    void SetProgressStatus(std::uint32_t value);
    void IncreaseProgressStatus(std::uint32_t step);

private:
    void Put(const char* text, size_t length);

    std::uint32_t m_progressMin = 0;
    std::uint32_t m_progressMax = 1;
    std::uint32_t m_progressValue = 0;
    int m_log = -1;
};

// Text from the server as it may reach a terminal: control characters (C0,
// DEL and C1, the latter as single bytes or UTF-8 encoded) become visible
// "\xNN" escapes, so that no escape sequence retitles the window, moves the
// cursor or clears the screen.  Other bytes, UTF-8 letters included, pass.
// A message keeps its line ends (LF, CR LF) and tabs; a name shown between
// double quotes on one line has those escaped too, with '"' and '\'.
enum class ShownAs { Message, QuotedName };
std::string ShownText(std::string_view bytes, ShownAs as);
