#pragma once
#include "world/Random.h"

// Scatters the entities of one array over the map, in array order: no spacing and no
// rejection, so entities may overlap each other and the car's starting point.
template <class T> void placeAll(T* array, int count, int width, int height) {
    if (count <= 0) return;
    const MapPoints points(width, height);
    for (int i = 0; i < count; ++i) {
        Point point = points.draw();
        array[i].setPosition(point.x, point.y);
    }
}
