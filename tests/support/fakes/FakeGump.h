// The gump framework's globals for tests without the framework: the
// keyboard focus, the top-level list, the teardown flag, the drag gump and
// recorded sequences; a gump that records the keys and buttons it gets, and
// a wrapper that puts a gump of any kind into the top-level list while it
// lives.
#pragma once

#include <string>
#include <vector>

#include "gumps/Gump.h"

namespace tw::fake {

class RecordingGump : public CGump {
public:
    int HandleKey(int code) override {
        calls.push_back("HandleKey " + std::to_string(code));
        return 1;
    }
    BOOL CapturesKeys() override { return captureField != nullptr; }
    CGump* GetKeyCaptureField() override { return captureField; }
    void HandleButton(CGump*) override { calls.push_back("HandleButton"); }

    CGump* captureField = nullptr;
    std::vector<std::string> calls;
};

// CGump::BringToFront, Minimize and Restore in order, with the gump:
// "BringToFront", "Minimize", "Restore".
struct GumpStackCall {
    std::string what;
    const CGump* gump;
};
std::vector<GumpStackCall>& GumpStackCalls();

// Links a gump at the head of the top-level list (or of a parent's
// children) and takes it out again when it is deleted, as the framework's
// destructor does; counts the deletions of every listed gump.
void LinkGump(CGump* gump, CGump* parent);
void UnlinkGump(CGump* gump);
int& DeletedGumps();

template <typename Kind>
class Listed : public Kind {
public:
    explicit Listed(CObj* shows = nullptr, CGump* parent = nullptr) {
        this->owner = shows;
        LinkGump(this, parent);
    }
    ~Listed() override {
        UnlinkGump(this);
        ++DeletedGumps();
    }
};

struct GumpFrameworkCalls {
    std::vector<const CGump*> broughtToFront;
    int dragGumpsMade = 0;
    // Records added to sequences: kind and bytes.
    struct Record {
        int kind;
        std::vector<unsigned char> bytes;
    };
    std::vector<Record> sequenceRecords;
};
GumpFrameworkCalls& GumpFramework();

}  // namespace tw::fake
