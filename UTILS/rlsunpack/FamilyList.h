// Takes a family apart into what dessamor reads: each distinct ray as the
// bytes the family stores, and a list naming them slot by slot, then the
// texts as ":" lines.
//
// dessamor numbers rays by the first slot that names them, so a list that
// names ray r as NAME_rR.sh in every slot that uses it gives back the same
// table. The texts are taken from the stored bytes rather than from what a
// loader reads: dessamor writes a text's letter k as the zero byte that ends
// a text, so a loader sees such a text end early, and only the bytes say
// where it really ended.
#ifndef RLSUNPACK_FAMILY_LIST_H
#define RLSUNPACK_FAMILY_LIST_H

#include <cstdint>
#include <string>
#include <vector>

#include "FileMap.h"

struct FamilyParts {
    std::vector<std::vector<uint8_t>> rays;  // ray r's bytes
    std::string list;                        // the dessamor list
    std::vector<std::string> warnings;       // why dessamor would not give it back
};

// bytes: the whole .shp file, map: its well-formed map; name: the file name
// stem used for the rays (NAME_rK.sh).
FamilyParts SplitFamily(const std::vector<uint8_t>& bytes, const FileMap& map,
                        const std::string& name);

#endif
