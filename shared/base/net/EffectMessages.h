// What the effect and sequence messages (0x70, 0x54, 0x7B) ask of the
// modules above the network core: the world view launches graphic effects,
// and the gump framework records and plays effect sequences.  The view
// implements this interface and main installs it at start-up; tests install
// recording doubles.
#pragma once

#include "Service.h"
#include "TWTypes.h"
#include "world/Coords.h"

class CObj;

class EffectMessages {
public:
    static constexpr const char* kServiceName = "EffectMessages";
    virtual ~EffectMessages() = default;

    // CGumpManager::CreateEffect: type, the source and target mobiles (null
    // when the serial names none), art, positions and p1..p6.
    virtual void CreateEffect(int type, CObj* source, CObj* target, int art, Coords sourcePos,
                              Coords targetPos, const M_BYTE p[6]) = 0;
    // While a sequence is recorded, the sound becomes its step and TRUE is
    // answered; FALSE otherwise (the sound is then played).
    virtual BOOL RecordSound(int sound, int x, int y, int z) = 0;
    // The sequence message's value: 0 begins recording, n > 0 ends and plays.
    virtual void SequenceMessage(int value) = 0;
};

namespace net {
inline EffectMessages& Effects() {
    return tw::Service<EffectMessages>::Get();
}
}  // namespace net
