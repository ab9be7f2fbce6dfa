// Effect sequences.  Between a 0x7B message with count 0 and the next one
// with a count n, the server's effects, sounds and mobile animations are
// recorded as steps of a CSequence instead of being shown; the closing
// message plays the steps one after another, each starting when the one
// before has ended, and the whole list n times.  A sequence owns itself and
// deletes itself after its last step.
//
// Steps keep the objects they name by serial, and everything that ends a
// step (an effect gump that closes, a mobile whose animation stops or which
// is deleted) names the sequence by its id, never by pointer: a sequence
// that is gone is simply not found.  Playing is a loop, not a recursion, so
// however many steps end at once (sounds, skipped steps) the stack stays
// flat.  Effect steps are made by the world view, which draws them
// (SequenceEffects below).  Main thread only.
#pragma once

#include <vector>

#include "Service.h"
#include "TWTypes.h"
#include "gumps/Gump.h"

// The world view's side: makes the effect gump of an effect step (kinds 0-6
// and 9-15) as the step of sequence `id`; FALSE when the step's object is
// gone or the record is malformed (the step is then skipped).
class SequenceEffects {
public:
    static constexpr const char* kServiceName = "SequenceEffects";
    virtual ~SequenceEffects() = default;
    virtual BOOL PlayEffect(M_DWORD id, int kind, const M_BYTE* bytes, int length) = 0;
};

class CSequence {
public:
    // Record kinds (the effect kinds 0-6 and 9-15 are the effect module's).
    static constexpr int ANIMATION_RECORD = 7;
    static constexpr int SOUND_RECORD = 8;
    static constexpr int ANIMATION_RECORD_2 = 16;
    // The server decides how many steps it sends; more than this are
    // dropped with one log line.
    static constexpr int MAX_STEPS = 4096;
    static constexpr int MAX_RECORD_BYTES = 64;

    struct Step {
        int kind;
        std::vector<M_BYTE> data;
    };

    CSequence();
    virtual ~CSequence();
    CSequence(const CSequence&) = delete;
    CSequence& operator=(const CSequence&) = delete;

    // Appends a copy of a record of that kind (null sequence: nothing).
    static void AddPacket(CSequence* sequence, int kind, const M_BYTE* bytes, int length);
    // Plays the recorded list `repetitions` times (1..255) from its first
    // step; an empty sequence (or a count of 0) deletes itself at once.
    // The sequence may be gone when this returns.
    void Start(int repetitions);
    // The current step has ended: the next one plays (the first again for
    // the next pass), or the sequence deletes itself after the last.
    void StepDone();
    // The same for the sequence of that id, at once or, for StepDoneLater,
    // at the next RunPending (an effect gump or a mobile's animation ends
    // inside a gump walk, the drawing pass or a destructor); nothing when
    // the sequence is gone.
    static void StepDone(M_DWORD id);
    static void StepDoneLater(M_DWORD id);
    // Once a frame (CGumpManager::Update): the steps that ended later.
    static void RunPending();
    static CSequence* Find(M_DWORD id);
    // Test support: every sequence deleted, ids from 1 again.
    static void reset();

    M_DWORD id = 0;
    std::vector<Step> steps;
    size_t current = 0;
    int repetitions = 0;

private:
    // Performs the current step; the step may end inside (stepEnded).
    void Play(const Step& step);
    // Advances while steps end at once; deletes the sequence at the end.
    void Run();
    // Moves to the next step (or pass); false after the last.
    bool Advance();

    bool running = false;
    bool stepEnded = false;
    bool endLater = false;
    bool overflowReported = false;
};

// The sequence message 0x7B: 0 starts recording ("already sequencing!"
// while one records), n > 0 ends it and plays it n times ("not
// sequencing!" when none records).
void HandleSequenceMessage(int value);

// Set while a sequence is being recorded; the recorded sequence.
extern BOOL g_sequencing;
extern CSequence* g_currentSequence;
