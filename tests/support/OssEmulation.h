// Runs the sound code against the OSS device for real, without a sound
// card: part of a test runs again in a child process with the ALSA OSS
// emulation preloaded, and an ALSA configuration whose dsp0 device writes the
// raw samples it gets to a file.  The parent then reads that file.
//
//   TEST_F(SoundTest, Plays) {
//       if (OssEmulation::InChild()) { ...open /dev/dsp, play...; return; }
//       OssRun run = OssEmulation::RunChild();
//       ...check run.capture...
//   }
#pragma once

#include <string>

namespace tw::test {

struct OssRun {
    int status = -1;      // the child's exit status (0: its test passed)
    std::string capture;  // the bytes written to the device
    std::string output;   // the child's standard output and error
};

class OssEmulation {
public:
    // True inside the child that RunChild started.
    static bool InChild();
    // Runs the current test again in a child under the emulation.
    static OssRun RunChild();
    // The emulation library, or "" when it is not installed.
    static std::string LibraryPath();
};

}  // namespace tw::test
