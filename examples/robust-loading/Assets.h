// The game's assets: each pack entry loaded with the safe loaders, or the
// reason it could not be.
#ifndef ROBUST_LOADING_ASSETS_H
#define ROBUST_LOADING_ASSETS_H

#include <cstdint>
#include <string>
#include <vector>

#include <Vantrel/Vantrel.h>

#include "Pack.h"

// How the loaders get an entry's bytes: all at once from memory, or through
// reader callbacks, as from an archive that streams.
enum class LoadFrom { Memory, Reader };

struct Asset {
    std::string name;
    vantrel::RlsRayPtr ray;        // a .sh entry that loaded
    vantrel::RlsFamilyPtr family;  // a .shp entry that loaded
    // What the game draws for it; null when it did not load (a placeholder
    // is drawn instead).
    const RLSprite* sprite = nullptr;
    std::string description;  // what it holds, or why it did not load
};

// Loads every entry, binding its sprites to pitch; a .sh name loads as a
// ray, a .shp name as a family, any other name is refused. Never ends the
// process: an entry that does not load becomes an asset without a sprite.
std::vector<Asset> LoadAssets(const std::vector<PackEntry>& entries, int32_t pitch, LoadFrom from);

// An asset without a sprite for a damaged pack: the entries after the damage.
Asset DamagedPack(const PackContents& contents);

#endif
