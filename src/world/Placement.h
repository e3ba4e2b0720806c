#pragma once
#include "world/Random.h"

// Scatters the entities of one array over the map, in array order: no spacing and no
// rejection, so entities may overlap each other and the car's starting point.
template <class T> void placeAll(T* array, int count, int width, int height) {
    for (int i = 0; i < count; ++i) {
        Point point = randomMapPoint(width, height);
        array[i].setPosition(point.x, point.y);
    }
}
