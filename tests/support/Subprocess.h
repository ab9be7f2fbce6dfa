// Runs a program as a child process for tests: in a given directory, with
// extra environment entries, standard output captured, killed when it runs
// past its time-out.
#pragma once

#include <string>
#include <vector>

namespace tw::test {

struct ProcessResult {
    int status = -1;  // exit status; -1 when it did not exit normally
    bool timedOut = false;
    std::string out;  // everything written to standard output
};

// argv[0] is the program's path.  Each env entry "NAME=value" replaces or
// adds that variable for the child only.
ProcessResult RunProcess(const std::vector<std::string>& argv, const std::string& dir,
                         const std::vector<std::string>& env, int timeoutMs);

}  // namespace tw::test
