// CreateEffect: the server's graphic effects turned into missile gumps, or,
// while a sequence is recorded, into its step records; and the playing of
// those records.  Records are little-endian and name objects by serial:
//
//   kind 0  (type 2)          u16 x, y, z, art, u8 p1..p4               12
//   kind 1  (type 3)          u32 object, u16 art, u8 p1..p4            10
//   kind 2  (type 1)          u32 object                                 4
//   kind 3  (type 0 pos-pos)  u16 art, sx, sy, sz, tx, ty, tz, p1 p5 p6 17
//   kind 4  (type 0 pos-obj)  u16 art, sx, sy, sz, u32 target, p1 p5 p6 15
//   kind 5  (type 0 obj-pos)  u16 art, u32 source, tx, ty, tz, p1 p5 p6 15
//   kind 6  (type 0 obj-obj)  u16 art, u32 source, u32 target, p1 p5 p6 13
//   kinds 9-15: kinds 0-6 followed by u32 hue, u32 blend mode (kind 11:
//   the object alone)
#include <vector>

#include "ByteReader.h"
#include "ByteWriter.h"
#include "gumps/Sequence.h"
#include "net/EffectMessages.h"
#include "view/Missile.h"
#include "view/ViewServices.h"
#include "world/ObjectManager.h"

namespace {

constexpr int kExtended = 9;

M_DWORD SerialOf(CObj* object) {
    return object && object->IsDynamic() ? static_cast<CDynamicObj*>(object)->GetSerial() : 0;
}

void WritePos(ByteWriter& w, Coords c) {
    w.u16le(static_cast<M_WORD>(c.x))
        .u16le(static_cast<M_WORD>(c.y))
        .u16le(static_cast<M_WORD>(c.z));
}

Coords ReadPos(ByteReader& r) {
    const short x = static_cast<short>(r.u16le()), y = static_cast<short>(r.u16le());
    return Coords(x, y, static_cast<short>(r.u16le()));
}

// The record kind of a request (without the extended offset), or -1 when
// nothing is made.
int KindOf(const EffectRequest& e) {
    switch (e.type) {
        case 0:
            return e.source ? (e.target ? 6 : 5) : (e.target ? 4 : 3);
        case 1:
            return e.source ? 2 : -1;
        case 2:
            return 0;
        case 3:
            return e.source ? 1 : -1;
        default:
            return -1;
    }
}

void Record(const EffectRequest& e, int kind, bool extended, M_DWORD hue, M_DWORD blend) {
    std::vector<M_BYTE> bytes;
    ByteWriter w(bytes);
    switch (kind) {
        case 0:
            WritePos(w, e.targetPos);
            w.u16le(e.art);
            for (int i = 0; i < 4; ++i) w.u8(e.p[i]);
            break;
        case 1:
            w.u32le(SerialOf(e.source)).u16le(e.art);
            for (int i = 0; i < 4; ++i) w.u8(e.p[i]);
            break;
        case 2:
            w.u32le(SerialOf(e.source));
            break;
        default:
            w.u16le(e.art);
            if (kind == 3 || kind == 4)
                WritePos(w, e.sourcePos);
            else
                w.u32le(SerialOf(e.source));
            if (kind == 3 || kind == 5)
                WritePos(w, e.targetPos);
            else
                w.u32le(SerialOf(e.target));
            w.u8(e.p[0]).u8(e.p[4]).u8(e.p[5]);
            break;
    }
    if (extended && kind != 2) w.u32le(hue).u32le(blend);
    CSequence::AddPacket(g_currentSequence, extended ? kind + kExtended : kind, bytes.data(),
                         static_cast<int>(bytes.size()));
}

CMissileGump* Make(const EffectRequest& e, M_DWORD hue, M_DWORD blend) {
    switch (e.type) {
        case 0: {
            const int speed = e.p[0], fixedDirection = e.p[4], arrival = e.p[5];
            if (e.source && e.target)
                return new CMissileGump(e.source, e.target, e.art, speed, fixedDirection, arrival,
                                        hue, blend);
            if (e.source)
                return new CMissileGump(e.source, e.targetPos, e.art, speed, fixedDirection,
                                        arrival, hue, blend);
            if (e.target)
                return new CMissileGump(e.sourcePos, e.target, e.art, speed, fixedDirection,
                                        arrival, hue, blend);
            return new CMissileGump(e.art, e.sourcePos, e.targetPos, speed, fixedDirection, arrival,
                                    hue, blend);
        }
        case 1:
            return e.source ? new CMissileGump(e.source) : nullptr;
        case 2:
            return new CMissileGump(e.targetPos, e.art, e.p[0], e.p[1], e.p[2], e.p[3], hue, blend);
        case 3:
            return e.source ? new CMissileGump(e.source, e.art, e.p[0], e.p[1], e.p[2], e.p[3], hue,
                                               blend)
                            : nullptr;
        default:
            return nullptr;
    }
}

void Create(const EffectRequest& e, bool extended, M_DWORD hue, M_DWORD blend) {
    const int kind = KindOf(e);
    if (kind < 0) return;
    if (g_sequencing && g_currentSequence) {
        Record(e, kind, extended, hue, blend);
        return;
    }
    if (CMissileGump* gump = Make(e, hue, blend)) gump->PutInGump(nullptr);
}

// An object named by a record: only one that still exists.
CObj* Find(M_DWORD serial) {
    return serial ? CObjectManager::FindObject(serial) : nullptr;
}

class ViewEffects final : public EffectMessages, public SequenceEffects {
public:
    void CreateEffect(int type, CObj* source, CObj* target, int art, Coords sourcePos,
                      Coords targetPos, const M_BYTE p[6]) override {
        EffectRequest e;
        e.type = type;
        e.source = source;
        e.target = target;
        e.art = art;
        e.sourcePos = sourcePos;
        e.targetPos = targetPos;
        for (int i = 0; i < 6; ++i) e.p[i] = p[i];
        ::CreateEffect(e);
    }
    BOOL RecordSound(int sound, int x, int y, int z) override {
        if (!g_sequencing || !g_currentSequence) return FALSE;
        std::vector<M_BYTE> bytes;
        ByteWriter w(bytes);
        w.u16le(sound).u16le(x).u16le(y).u16le(z);
        CSequence::AddPacket(g_currentSequence, CSequence::SOUND_RECORD, bytes.data(),
                             static_cast<int>(bytes.size()));
        return TRUE;
    }
    void SequenceMessage(int value) override { HandleSequenceMessage(value); }
    BOOL PlayEffect(M_DWORD id, int kind, const M_BYTE* bytes, int length) override {
        CMissileGump* gump = PlayEffectRecord(kind, bytes, length);
        if (!gump) return FALSE;
        gump->SetSequence(id);
        return TRUE;
    }
};

}  // namespace

void CreateEffect(const EffectRequest& request) {
    Create(request, false, 0, 0);
}

void CreateExtendedEffect(const EffectRequest& request, M_DWORD hue, M_DWORD blend) {
    Create(request, true, hue, blend);
}

CMissileGump* PlayEffectRecord(int kind, const M_BYTE* bytes, int length) {
    const bool extended = kind >= kExtended;
    const int base = extended ? kind - kExtended : kind;
    ByteReader r(bytes, static_cast<size_t>(length));
    EffectRequest e;
    // A record that names an object which is gone is skipped: the object
    // is never touched.
    bool objectGone = false;
    auto object = [&](M_DWORD serial) {
        CObj* found = Find(serial);
        if (!found || !found->IsMobile()) objectGone = true;
        return found;
    };
    switch (base) {
        case 0:
            e.type = 2;
            e.targetPos = ReadPos(r);
            e.art = r.u16le();
            for (int i = 0; i < 4; ++i) e.p[i] = r.u8();
            break;
        case 1:
            e.type = 3;
            e.source = object(r.u32le());
            e.art = r.u16le();
            for (int i = 0; i < 4; ++i) e.p[i] = r.u8();
            break;
        case 2:
            e.type = 1;
            e.source = object(r.u32le());
            break;
        case 3:
        case 4:
        case 5:
        case 6:
            e.type = 0;
            e.art = r.u16le();
            if (base == 3 || base == 4)
                e.sourcePos = ReadPos(r);
            else
                e.source = object(r.u32le());
            if (base == 3 || base == 5)
                e.targetPos = ReadPos(r);
            else
                e.target = object(r.u32le());
            e.p[0] = r.u8();
            e.p[4] = r.u8();
            e.p[5] = r.u8();
            break;
        default:
            return nullptr;
    }
    M_DWORD hue = 0, blend = 0;
    if (extended && base != 2) {
        hue = r.u32le();
        blend = r.u32le();
    }
    if (!r.ok() || objectGone) return nullptr;
    CMissileGump* gump = Make(e, hue, blend);
    if (gump) gump->PutInGump(nullptr);
    return gump;
}

EffectMessages& ViewEffectMessages() {
    static ViewEffects effects;
    return effects;
}

SequenceEffects& ViewSequenceEffects() {
    return static_cast<ViewEffects&>(ViewEffectMessages());
}
