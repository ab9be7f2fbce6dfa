// Coords: a map position passed by value.
#pragma once

class Coords {
public:
    Coords() = default;
    Coords(short x_, short y_, short z_) : x(x_), y(y_), z(z_) {}

    short x = 0;
    short y = 0;
    short z = 0;
};

// The player's position: FALSE while no player object exists.
int GetPlayerCoords(Coords* where);
