#pragma once
#include <memory>
#include <vector>

class BaseEntity;

// What the four level classes share: the ground colour, the map size and the list of
// every entity in construction order (which is also the update and drawing order).
class cLevel {
  public:
    int red = 0;
    int green = 0;
    int blue = 0;
    int mapWidth = 0;
    int mapHeight = 0;
    std::vector<BaseEntity*> entities;

    // Sets the map size, centres the camera on the map and reserves the list.
    void init(int width, int height, int extra);
    int getWidth() const { return mapWidth; }
    int getHeight() const { return mapHeight; }

    // The first entity of the kind (0: any kind) that the car is touching, or null.
    BaseEntity* findNearbyEntity(int kind);

    // Allocates one array per kind; the level keeps it alive, and the constructors of
    // its entities append them to `entities`.
    template <class T> T* makeEntities(int count) {
        std::shared_ptr<T[]> array(new T[count]);
        entityArrays.push_back(array);
        return array.get();
    }

    std::vector<std::shared_ptr<void>> entityArrays;
};

// The terrain codes of the generators and their ground colours. The third ground
// grows nothing: water on levels 1 to 3, red ground on level 4.
enum Terrain { TerrainGrass = 0, TerrainDesert = 1, TerrainBare = 2 };
void setGroundColour(cLevel& level, int red, int green, int blue);
void setTerrainColour(cLevel& level, int terrain);     // levels 1 to 3
void setHellTerrainColour(cLevel& level, int terrain); // level 4
