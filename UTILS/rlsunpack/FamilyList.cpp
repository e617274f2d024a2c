#include "FamilyList.h"

#include <Vantrel/Rls.h>

namespace {

// dessamor's limits: six slots, ten texts, list lines of 255 characters.
constexpr size_t kDessamorSlots = 6;
constexpr size_t kDessamorTexts = 10;
constexpr size_t kListLineLength = 255;

// As a list line: a name that begins with a colon would read as a text.
std::string RayFileName(const std::string& name, int ray) {
    return (name.starts_with(":") ? "./" : "") + name + "_r" + std::to_string(ray) + ".sh";
}

// The texts as dessamor wrote them: each ends with a zero byte; zero bytes
// beyond the announced count were the letter k inside the last text.
std::vector<std::string> StoredTexts(const std::vector<uint8_t>& bytes, const FileMap& map,
                                     std::vector<std::string>& warnings) {
    std::vector<std::string> pieces(1);
    for (size_t at = static_cast<size_t>(map.family.textsOffset); at < bytes.size(); ++at) {
        if (bytes[at] == 0)
            pieces.emplace_back();
        else
            pieces.back().push_back(static_cast<char>(bytes[at] ^ kRlsTextMask));
    }
    if (!pieces.back().empty()) warnings.push_back("the last text has no zero byte after it");
    pieces.pop_back();  // after the last zero byte
    std::vector<std::string> texts;
    const size_t count = map.family.textCount;
    for (size_t t = 0; t < pieces.size(); ++t) {
        if (texts.size() < count)
            texts.push_back(pieces[t]);
        else
            texts.back() += 'k' + pieces[t];
    }
    if (texts.size() < count) warnings.push_back("the file holds fewer texts than it announces");
    return texts;
}

}  // namespace

FamilyParts SplitFamily(const std::vector<uint8_t>& bytes, const FileMap& map,
                        const std::string& name) {
    FamilyParts parts;
    for (const RayMap& ray : map.family.rays)
        parts.rays.emplace_back(bytes.begin() + ray.offset, bytes.begin() + ray.offset + ray.size);

    std::string& list = parts.list;
    list += "// Family unpacked by rlsunpack: one line per slot, then the texts.\n";
    const std::vector<uint8_t>& table = map.family.table;
    if (table.size() != kDessamorSlots)
        parts.warnings.push_back("it has " + std::to_string(table.size()) +
                                 " slots; dessamor always writes 6");
    for (uint8_t entry : table) {
        if (entry == kRlsHandledSlot) {
            parts.warnings.push_back("an empty slot cannot be named in a list; it is left out");
            continue;
        }
        list += RayFileName(name, entry) + "\n";
    }
    const std::vector<std::string> texts = StoredTexts(bytes, map, parts.warnings);
    if (texts.size() > kDessamorTexts)
        parts.warnings.push_back("it has " + std::to_string(texts.size()) +
                                 " texts; dessamor keeps 10");
    for (const std::string& text : texts) {
        if (text.find_first_of("\r\n") != std::string::npos || text.size() + 1 > kListLineLength)
            parts.warnings.push_back("a text holds a line break or is longer than a list line");
        list += ":" + text + "\n";
    }
    return parts;
}
