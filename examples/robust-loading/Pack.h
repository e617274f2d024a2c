// The game's pack: its asset files gathered into one block of bytes, as a
// game ships them in one archive (or compiled into the program).
//
// The layout, all numbers little-endian:
//
//     offset  size  field
//     0       4     "VPAK"
//     4       4     N, the number of entries
//     8       ...   N entries, one after the other:
//                     2  L, the length of the name (1 to 65535)
//                     L  the name (a file name such as wasp.sh; no folder)
//                     4  S, the size of the data
//                     S  the data: the file's bytes, unchanged
//
// Nothing is compressed or aligned; the data of an entry is used where it
// lies in the pack.
#ifndef ROBUST_LOADING_PACK_H
#define ROBUST_LOADING_PACK_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

struct PackFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// The pack of the files, in the order given.
std::vector<uint8_t> BuildPack(const std::vector<PackFile>& files);

// One entry of a pack in memory: its data points into the pack.
struct PackEntry {
    std::string name;
    const uint8_t* data = nullptr;
    size_t size = 0;
};

// What a pack holds. A damaged pack gives the entries before the damage and
// says where it found it: fault is then not empty, faultOffset its byte.
struct PackContents {
    std::vector<PackEntry> entries;
    std::string fault;
    size_t faultOffset = 0;
};

// Reads the entries of the size bytes at pack; never reads outside them.
PackContents ReadPack(const uint8_t* pack, size_t size);

#endif
