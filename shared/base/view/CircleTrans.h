// The circle of transparency: statics above the player that overlap a
// screen-space disc are drawn fading out toward its centre.  Only what its
// callers use so far is declared here.  It is not built yet: the operations
// reach the installed CircleTransService (and the see-through list the
// world model asks about, CircleOfTransparency of world/ViewHooks.h).
#pragma once

#include "Service.h"
#include "world/ViewHooks.h"

class CircleTransService {
public:
    static constexpr const char* kServiceName = "CCircleTrans";
    virtual ~CircleTransService() = default;
    virtual void Reset() = 0;
    virtual void ClearSeeThroughList() = 0;
    virtual void SetRadius(int radius) = 0;
    virtual void SetPosition(int x, int y) = 0;
};

class CCircleTrans {
public:
    // Start-up: the circle back to its configured radius and position.
    static void Reset() { Service().Reset(); }
    // Empties the list of draw items marked see-through (war mode changed).
    static void ClearSeeThroughList() { Service().ClearSeeThroughList(); }
    // Radius clamped to 2..256.
    void SetRadius(int radius) { Service().SetRadius(radius); }
    // Centre clamped into the play area.
    void SetPosition(int x, int y) { Service().SetPosition(x, y); }
    // The see-through entry of an item, or null.
    CCircleTransEntry* FindEntry(const CDrawItem* item) {
        return tw::Service<CircleOfTransparency>::Get().FindEntry(item);
    }
    // Drops an entry whose item is being destroyed.
    void RemoveEntry(CCircleTransEntry* entry) {
        tw::Service<CircleOfTransparency>::Get().RemoveEntry(entry);
    }

private:
    static CircleTransService& Service() { return tw::Service<CircleTransService>::Get(); }
};

// The one circle; it keeps no state of its own (the installed service
// does).
inline CCircleTrans theCircleTrans;
