// The fixture of the speech and text tests that run the real text manager
// and barks: the gump framework's screen and doubles (GumpTestSupport.h), a
// small installation with bitmap fonts 0-9 and the Unicode fonts, the
// application's speech throttle and hues, and an unconnected game
// connection whose output the tests read.
#pragma once

#include <string>
#include <vector>

#include "../gumps/GumpTestSupport.h"
#include "Service.h"
#include "comm/AppSpeech.h"
#include "net/ClientSock.h"

namespace tw::test {

class CommTest : public GumpTest {
protected:
    void SetUp() override;
    void TearDown() override;
    // The gump art of the installation.
    virtual std::vector<std::pair<int, datafiles::Image>> Art();

    // The journal, oldest first, wide lines narrowed ('?' above 127).
    static std::vector<std::string> JournalTexts();
    // The messages written to the connection since the last Forget, split
    // by their lengths (the packet table's, or bytes 1-2 of variable ones).
    std::vector<std::vector<M_BYTE>> Written() const;
    void Forget() { seen_ += Written().size(); }

    CClientSock connection;

private:
    size_t seen_ = 0;
    std::unique_ptr<tw::ScopedService<AppSpeech>> app_;
};

}  // namespace tw::test
