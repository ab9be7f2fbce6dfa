// Land cells: a plain cell and a cell drawn with a texture.  Only their
// pools build them; the world view sets them up from the map (the tile, the
// corner heights and what it derives from them for drawing).
#pragma once

#include "TWTypes.h"
#include "world/Obj.h"

// One land cell as the map code hands it over: its cell and height.
struct TerrainLocation {
    short x;
    short y;
    short z;
};

class CTerrain : public CDrawItem {
public:
    CTerrain();
    ~CTerrain() override;
    void Release() override;
    void Accept(DrawItemVisitor& visitor) override { visitor.Visit(*this); }
    BOOL IsTerrain() override { return TRUE; }

    // The land tile word of the cell (world view).
    int tile = 0;
};

class CTexTerr : public CDrawItem {
public:
    CTexTerr();
    ~CTexTerr() override;
    void Release() override;
    void Accept(DrawItemVisitor& visitor) override { visitor.Visit(*this); }
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

    // Set up by the world view: the land tile word, the corner heights (the
    // cell's own, east, south, west), the darkness of each corner 0..15,
    // whether the diamond folds along its north-south diagonal, the highest
    // corner of each of its two triangles, and whether it faces away from
    // the viewer and is not drawn.
    int tile = 0;
    signed char corners[4] = {};
    M_BYTE cornerLight[4] = {};
    M_BYTE foldsNorthSouth = 0;
    M_BYTE highestCorner[2] = {};
    M_BYTE facesAway = 0;
};

CTerrain* NewTerrain(int tile, const TerrainLocation* where);
CTexTerr* NewTexTerr(int tile, const TerrainLocation* where, const signed char* corners);
