// The client program run as a user runs it, for the tests that drive it
// under their own Xvfb: a sample installation made by mkinstall in the
// current directory, the twclient process started there (its output in
// "stdout.txt" and "stderr.txt"), its window found by title, and waits for
// the frames it draws into that window.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/Xvfb.h"

namespace tw::test {

// Runs mkinstall into the current directory and appends extraConfig to its
// "tw.cfg"; false (with mkinstall's output in "mkinstall.txt") on failure.
bool MakeSampleInstallation(const std::string& mkinstall, const std::string& extraConfig);

class ClientProcess {
public:
    // Starts the program at path in the current directory.
    explicit ClientProcess(const std::string& path);
    // Starts argv[0] with its arguments in the current directory, with each
    // "NAME=value" of env set and each bare "NAME" unset, its standard
    // output and error both in the file output.
    ClientProcess(const std::vector<std::string>& argv, const std::vector<std::string>& env,
                  const std::string& output);
    // A process still running is asked to end (SIGTERM, so that a script
    // can stop what it started) and killed when it has not within seconds.
    ~ClientProcess();
    ClientProcess(const ClientProcess&) = delete;
    ClientProcess& operator=(const ClientProcess&) = delete;

    bool Running();
    // The exit status, or -1 when it did not end within the time-out.
    int Wait();

private:
    pid_t pid_ = -1;
    bool exited_ = false;
    int status_ = -1;
};

// The client's window ("Tarrowmere") once it is open; 0 when the client
// ended or the time-out passed first.
XWindow WaitForClientWindow(XvfbClient& x, ClientProcess& client);
// Waits until the client has drawn into the window count times; false when
// it ended or a wait timed out.
bool WaitForFrames(XvfbClient& x, XWindow window, ClientProcess& client, int count);
// Types the account and the password into the main menu's login box and
// presses Enter, as a player does.
void TypeAccount(XvfbClient& x, XWindow window, const std::string& account,
                 const std::string& password);

}  // namespace tw::test
