// The base fixture of every test: each test runs in its own fresh temporary
// working directory (the services write "TWReport0.log", "tw.cfg" and the like
// there), and the static services are reset before and after it.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace tw::test {

// Registers a reset that runs before and after every test (services above the
// base layer add theirs from their own support code).  Resets run in reverse
// order of registration after the base services' own.
void AddServiceReset(std::function<void()> reset);
void ResetServices();

// Whole-file helpers for the working directory.
void WriteFile(const std::string& name, const std::string& bytes);
void WriteFile(const std::string& name, const std::vector<unsigned char>& bytes);
std::string ReadFile(const std::string& name);
bool FileExists(const std::string& name);

class TwTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    const std::string& dir() const { return dir_; }
    // The report file's text so far.
    std::string ReportLog() const { return ReadFile(dir_ + "/TWReport0.log"); }

private:
    std::string dir_;
    std::string oldDir_;
};

// Captures everything written to standard error (file descriptor 2) while it
// lives; text() may be read at any time.
class StderrCapture {
public:
    StderrCapture();
    ~StderrCapture();
    StderrCapture(const StderrCapture&) = delete;
    StderrCapture& operator=(const StderrCapture&) = delete;

    std::string text();

private:
    int savedFd_ = -1;
    std::string path_;
};

}  // namespace tw::test
