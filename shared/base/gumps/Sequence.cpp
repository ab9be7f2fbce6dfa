// Recording and playing effect sequences.
#include "gumps/Sequence.h"

#include <map>

#include "ByteReader.h"
#include "SoundManager.h"
#include "TWReport.h"
#include "gumps/GumpManager.h"
#include "world/Mobile.h"
#include "world/ObjectManager.h"
#include "world/ViewHooks.h"

namespace {

// Every live sequence by id; ids are never reused within a run.
std::map<M_DWORD, CSequence*> g_sequences;
M_DWORD g_nextId = 1;

CMobile* FindMobile(M_DWORD serial) {
    CDynamicObj* object = CObjectManager::FindObject(serial);
    return object && object->IsMobile() ? static_cast<CMobile*>(object) : nullptr;
}

}  // namespace

CSequence::CSequence() {
    TWReport::print("CSequence::CSequence(): begin.\n");
    id = g_nextId++;
    g_sequences[id] = this;
}

CSequence::~CSequence() {
    g_sequences.erase(id);
    if (g_currentSequence == this) g_currentSequence = nullptr;
}

void CSequence::AddPacket(CSequence* sequence, int kind, const M_BYTE* bytes, int length) {
    if (!sequence || length < 0 || length > MAX_RECORD_BYTES || (length && !bytes)) return;
    if (static_cast<int>(sequence->steps.size()) >= MAX_STEPS) {
        if (!sequence->overflowReported)
            TWReport::warning("CSequence::AddPacket: more than %d steps; the rest are dropped.\n",
                              MAX_STEPS);
        sequence->overflowReported = true;
        return;
    }
    sequence->steps.push_back(Step{kind, std::vector<M_BYTE>(bytes, bytes + length)});
}

void CSequence::Start(int count) {
    repetitions = count;
    current = 0;
    if (steps.empty() || count <= 0) {
        delete this;
        return;
    }
    running = true;
    stepEnded = false;
    Play(steps[current]);
    Run();
}

bool CSequence::Advance() {
    if (current + 1 < steps.size()) {
        ++current;
        return true;
    }
    if (--repetitions <= 0) return false;
    current = 0;
    return true;
}

void CSequence::Run() {
    running = true;
    while (stepEnded) {
        stepEnded = false;
        if (!Advance()) {
            running = false;
            delete this;
            return;
        }
        Play(steps[current]);
    }
    running = false;
}

void CSequence::StepDone() {
    stepEnded = true;
    if (!running) Run();
}

void CSequence::StepDone(M_DWORD id) {
    if (CSequence* sequence = Find(id)) sequence->StepDone();
}

void CSequence::StepDoneLater(M_DWORD id) {
    if (CSequence* sequence = Find(id)) sequence->endLater = true;
}

void CSequence::RunPending() {
    // Ending a step may delete sequences or make new ones: collect first.
    std::vector<M_DWORD> ended;
    for (auto& [id, sequence] : g_sequences)
        if (sequence->endLater) ended.push_back(id);
    for (M_DWORD id : ended) {
        CSequence* sequence = Find(id);
        if (!sequence) continue;
        sequence->endLater = false;
        sequence->StepDone();
    }
}

CSequence* CSequence::Find(M_DWORD id) {
    auto it = g_sequences.find(id);
    return it == g_sequences.end() ? nullptr : it->second;
}

void CSequence::reset() {
    while (!g_sequences.empty()) delete g_sequences.begin()->second;
    g_nextId = 1;
    g_sequencing = FALSE;
    g_currentSequence = nullptr;
}

void CSequence::Play(const Step& step) {
    const M_BYTE* bytes = step.data.data();
    const int length = static_cast<int>(step.data.size());
    switch (step.kind) {
        case ANIMATION_RECORD:
        case ANIMATION_RECORD_2: {
            // u32 mobile, u16 action, frame count, repeat count, forward
            // flag, repeat flag, delay (the last three are not applied).
            ByteReader r(bytes, length);
            const M_DWORD serial = r.u32le();
            const int action = r.u16le(), frames = r.u16le(), repeat = r.u16le();
            CMobile* mobile = r.ok() ? FindMobile(serial) : nullptr;
            if (!mobile) {
                stepEnded = true;
                return;
            }
            mobile->UpdateAnimation();
            const BOOL listed = mobile->inList;
            if (listed) mobile->RemoveFromDrawList();
            mobile->animActive = TRUE;
            mobile->animFrame = 0;
            mobile->animAction = static_cast<M_WORD>(action);
            mobile->animFrameCount = static_cast<M_WORD>(frames);
            mobile->animRepeat = static_cast<M_WORD>(repeat);
            mobile->animBackward = 0;
            mobile->animActionOffset = 0;
            mobile->animTimer = 0;
            mobile->sequenceId = id;
            world::Draw().StartMobileAnimation(mobile);
            if (listed) mobile->AddToDrawList();
            // A full animation table plays nothing: the step ends here.
            if (mobile->animTableIndex < 0) {
                mobile->sequenceId = 0;
                mobile->animActive = FALSE;
                stepEnded = true;
            }
            return;
        }
        case SOUND_RECORD: {
            ByteReader r(bytes, length);
            const int sound = r.u16le(), x = r.u16le(), y = r.u16le(), z = r.u16le();
            if (r.ok()) SoundManager::PlayPositional(sound, x, y, z, 1.0f);
            stepEnded = true;
            return;
        }
        default:
            if ((step.kind >= 0 && step.kind <= 6) || (step.kind >= 9 && step.kind <= 15)) {
                if (!tw::Service<SequenceEffects>::Get().PlayEffect(id, step.kind, bytes, length))
                    stepEnded = true;
                return;
            }
            // An unknown kind would leave the sequence waiting for ever: end
            // it here.
            TWReport::warning("CSequence::Play: step of unknown kind %d; the sequence ends.\n",
                              step.kind);
            repetitions = 0;
            current = steps.size();
            stepEnded = true;
            return;
    }
}

void HandleSequenceMessage(int value) {
    if (value == 0) {
        if (g_sequencing) {
            CGumpManager::OpenWaitingGump("already sequencing!", nullptr, 0, 0, 0);
            return;
        }
        g_sequencing = TRUE;
        g_currentSequence = new CSequence();
        return;
    }
    if (!g_sequencing) {
        CGumpManager::OpenWaitingGump("not sequencing!", nullptr, 0, 0, 0);
        return;
    }
    g_sequencing = FALSE;
    CSequence* sequence = g_currentSequence;
    if (sequence) sequence->Start(value & 255);
}
