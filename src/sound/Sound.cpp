#include "sound/Sound.h"
#include "platform/Platform.h"

namespace {
PlayObserver playObserver = nullptr;
} // namespace

void setPlayObserver(PlayObserver observer) { playObserver = observer; }

cSound::cSound() {
    Mix_OpenAudio(22050, AUDIO_S16LSB, 2, 128);
    deviceOpen = true;
    enabled = 1;
}

cSound::~cSound() { close(); }

int cSound::play(const char* path) {
    if (!enabled) return 0;
    if (playObserver) playObserver(path);
    Mix_Chunk* chunk = chunkFor(path);
    if (!chunk) return -1;
    return Mix_PlayChannelTimed(-1, chunk, 0, -1);
}

Mix_Chunk* cSound::chunkFor(const char* path) {
    auto found = chunks.find(path);
    if (found != chunks.end()) return found->second;
    SDL_RWops* stream = SDL_RWFromFile(platform::soundPath(path).c_str(), "rb");
    if (!stream) return nullptr;
    Mix_Chunk* chunk = Mix_LoadWAV_RW(stream, 1);
    if (chunk) chunks[path] = chunk;
    return chunk;
}

void cSound::close() {
    if (!deviceOpen) return;
    deviceOpen = false;
    Mix_HaltChannel(-1);
    for (auto& entry : chunks)
        Mix_FreeChunk(entry.second);
    chunks.clear();
    Mix_CloseAudio();
}
