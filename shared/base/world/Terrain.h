// Land cells: a plain cell and a cell drawn with a texture.  Only their
// pools build them; the world view sets them up from the map.
#pragma once

#include "TWTypes.h"
#include "world/Obj.h"

class CTerrain : public CDrawItem {
public:
    CTerrain();
    ~CTerrain() override;
    void Release() override;
    BOOL IsTerrain() override { return TRUE; }
};

class CTexTerr : public CDrawItem {
public:
    CTexTerr();
    ~CTexTerr() override;
    void Release() override;
    BOOL IsTerrain() override { return TRUE; }
    BOOL IsTexTerr() override { return TRUE; }
    // Heights from the cell's four corners (walking code): the mean of the
    // diagonal the cell is folded along, the lowest corner, and the height
    // of the edge or corner a direction points at.
    int GetStandZ() override;
    int GetLowZ() override;
    int GetZToward(int direction) override;

    // The lighting normals of the cell from its corner heights (world view).
    void CalcNormals(const signed char* corners);
};

CTerrain* NewTerrain(int tile, const TerrainLocation* where);
CTexTerr* NewTexTerr(int tile, const TerrainLocation* where, const signed char* corners);
