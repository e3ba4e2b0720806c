#pragma once
#include <memory>
#include <vector>

class cLevel;
class cLevel1;
class cLevel2;
class cLevel3;
class cLevel4;

// Holds the current level. A portal switches levels from inside the frame's walk over
// the old level's entities, so a destroyed level's entities are kept until the next
// frame begins (releaseRetiredEntities) instead of being freed under the walk's feet.
class cGame {
  public:
    int levelNumber = 0;
    cLevel* currentLevel = nullptr;

    void enterLevel(int n);
    void destroyLevel(int n);
    void destroyCurrentLevel();

    // Frees the entities of levels destroyed since the last call.
    void releaseRetiredEntities();

    std::vector<std::shared_ptr<void>> retiredEntities;
};

extern cGame game;

extern cLevel1* level1Map;
extern cLevel2* level2Map;
extern cLevel3* level3Map;
extern cLevel4* level4Map;
