#pragma once
#include "entities/BaseEntity.h"

// Exits to a fresh level. The frame draws them as rings; their speckle image is
// built at construction but only handed out, never drawn.
class Exit : public BaseEntity {
  public:
    SDL_Surface* currentSprite() override { return image; }

  protected:
    Exit(int exitKind, int touchRadius) : BaseEntity(exitKind, touchRadius) {}
    ~Exit();
    // Leaves the current level for a new level `target`, announced by `soundPath`.
    void switchLevel(int target, const char* soundPath);
    // At most 49 coloured cells on an 11x11 transparent image.
    void buildImage(Uint32 (*pickColour)(SDL_Surface*));

    SDL_Surface* image = nullptr;
};

class Portal final : public Exit {
  public:
    Portal();
    void hit(int how) override;
};

class Hellrift final : public Exit {
  public:
    Hellrift();
    void hit(int how) override;
};
