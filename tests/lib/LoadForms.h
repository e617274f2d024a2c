// The loaders' inputs in every form, for the tests and the fuzz target that
// compare them: one set of bytes loaded from a path, from memory, through a
// reader (in pieces, with and without skip), and by the classic loader from
// a stream, each summed up as an Outcome that can be compared whole.
#ifndef TESTS_LIB_LOAD_FORMS_H
#define TESTS_LIB_LOAD_FORMS_H

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <Vantrel/Rls.h>
#include <Vantrel/TryLoad.h>
#include "support/ScratchStream.h"
#include "support/TestFatal.h"

namespace load_forms {

using Bytes = std::vector<uint8_t>;

// tests/data: named by CTest, else found from this file's name as the
// compiler saw it (absolute, or relative to the build folder).
inline std::filesystem::path TestDataFolder() {
    if (const char* named = std::getenv("VANTREL_TEST_DATA")) return named;
    const std::filesystem::path here = std::filesystem::path(__FILE__).parent_path() / "../data";
    return std::filesystem::exists(here) ? here : ".." / here;
}

inline Bytes ReadFileBytes(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// One line of tests/data/hostile/expected.txt: a file and what loading it
// at pitch must say (an empty message: it loads; offset -1: no byte).
struct HostileCase {
    std::string name;
    int32_t pitch = 0;
    std::string message;
    int64_t offset = -1;
    Bytes bytes;
};

inline std::vector<HostileCase> HostileCases() {
    const std::filesystem::path folder = TestDataFolder() / "hostile";
    std::vector<HostileCase> cases;
    std::ifstream table(folder / "expected.txt");
    for (std::string line; std::getline(table, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream fields(line);
        HostileCase c;
        std::string pitch, offset;
        std::getline(fields, c.name, '|');
        std::getline(fields, pitch, '|');
        std::getline(fields, c.message, '|');
        std::getline(fields, offset, '|');
        c.pitch = std::stoi(pitch);
        c.offset = std::stoll(offset);
        c.bytes = ReadFileBytes(folder / c.name);
        cases.push_back(std::move(c));
    }
    return cases;
}

enum class FileKind { kRay, kFamily, kSprite };

inline FileKind KindOfName(const std::string& name) {
    if (name.ends_with(".shp")) return FileKind::kFamily;
    if (name.ends_with(".rec")) return FileKind::kSprite;
    return FileKind::kRay;
}

// A reader over bytes that hands out at most `piece` bytes a call.
struct PieceReader {
    const Bytes* bytes = nullptr;
    size_t at = 0;
    size_t piece = 1;
    bool ended = false;
    int callsAfterTheEnd = 0;  // the loaders promise none

    static int Read(void* user, char* data, int size) {
        auto* r = static_cast<PieceReader*>(user);
        if (r->ended) ++r->callsAfterTheEnd;
        const size_t n = std::min({static_cast<size_t>(size), r->piece, r->bytes->size() - r->at});
        std::copy_n(r->bytes->data() + r->at, n, data);
        r->at += n;
        if (n == 0) r->ended = true;
        return static_cast<int>(n);
    }
    static void Skip(void* user, int count) {
        auto* r = static_cast<PieceReader*>(user);
        r->at = std::min(r->bytes->size(), r->at + static_cast<size_t>(count));
    }
    static int Eof(void* user) {
        auto* r = static_cast<PieceReader*>(user);
        return r->at == r->bytes->size();
    }
};

enum class Form { kPath, kMemory, kReaderByBytes, kReaderWithSkip, kClassicStream };
constexpr Form kForms[] = {Form::kPath, Form::kMemory, Form::kReaderByBytes, Form::kReaderWithSkip,
                           Form::kClassicStream};

// What a load gave: the error, and what was loaded, written out as text.
struct Outcome {
    std::string message;
    std::string path;
    int64_t offset = -1;
    std::string content;  // empty when nothing loaded
    bool operator==(const Outcome&) const = default;
};

inline void Append(std::string& to, int64_t value) {
    to += std::to_string(value);
    to += ' ';
}

inline void Describe(std::string& to, const RLSprite& s) {
    for (int64_t v : {int64_t{s.runWordCount}, int64_t{s.edgeWordCount}, int64_t{s.pointCount},
                      int64_t{s.hotSpot}, int64_t{s.bounds.left}, int64_t{s.bounds.top},
                      int64_t{s.bounds.right}, int64_t{s.bounds.bottom}, int64_t{s.boundPitch}})
        Append(to, v);
    for (int32_t i = 0; i < s.runWordCount; ++i) Append(to, s.runData[i]);
    for (int32_t i = 0; i < s.edgeWordCount; ++i) Append(to, s.edgeData[i]);
    for (int32_t i = 0; i < s.pointCount; ++i) Append(to, s.pointValues[i]);
    for (int32_t i = 0; i < s.pointCount; ++i) Append(to, s.pointPositions[i]);
    to += "| ";
}

inline void Describe(std::string& to, const RlsRay& ray) {
    to += "ray ";
    Append(to, ray.count);
    for (int32_t i = 0; i < ray.count; ++i) Describe(to, *ray.Get(i));
}

// Slots as numbers of distinct rays (-1: empty), then the rays and texts.
inline void Describe(std::string& to, const RlsFamily& family) {
    to += "family ";
    Append(to, family.slotCount);
    Append(to, family.rays.Size());
    std::vector<const RlsRay*> distinct;
    for (int32_t k = 0; k < family.rays.Size(); ++k) {
        const RlsRay* ray = family.rays.Get(k);
        auto at = std::find(distinct.begin(), distinct.end(), ray);
        if (ray != nullptr && at == distinct.end()) at = distinct.insert(at, ray);
        Append(to, ray == nullptr ? -1 : at - distinct.begin());
    }
    for (const RlsRay* ray : distinct) Describe(to, *ray);
    for (int32_t t = 0; t < family.texts.Count(); ++t) {
        to += family.texts.Get(t);
        to += '\n';
    }
}

template <typename Loaded>
Outcome OutcomeOf(const Loaded& loaded, const vantrel::LoadError& error) {
    Outcome outcome{error.message, error.path, error.offset, {}};
    if (loaded) Describe(outcome.content, *loaded);
    return outcome;
}

// The classic loader from a stream: its fatal text, or what it loaded.
inline Outcome LoadClassic(FileKind kind, const Bytes& bytes, int32_t pitch) {
    Outcome outcome;
    Stream stream = ScratchStream();
    if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), stream.get());
    std::rewind(stream.get());
    outcome.message = FatalTextOf([&] {
        if (kind == FileKind::kRay) {
            RlsRayPtr ray(LoadRlsRay(nullptr, pitch, stream.get()));
            Describe(outcome.content, *ray);
        } else if (kind == FileKind::kFamily) {
            RlsFamilyPtr family(RlsFamilyLoad(nullptr, pitch, stream.get()));
            Describe(outcome.content, *family);
        } else {
            RLSpritePtr sprite(LoadRLSprite(nullptr, pitch, stream.get()));
            Describe(outcome.content, *sprite);
        }
    });
    return outcome;
}

template <typename Load>
Outcome Through(Load load) {
    vantrel::LoadError error;
    auto loaded = load(error);
    return OutcomeOf(loaded, error);
}

// Loads bytes in one form; the path form writes them to scratchPath first.
// The classic form gives no path and no offset.
inline Outcome LoadInForm(FileKind kind, const Bytes& bytes, int32_t pitch, Form form,
                          const std::string& scratchPath) {
    using namespace vantrel;
    if (form == Form::kClassicStream) return LoadClassic(kind, bytes, pitch);
    if (form == Form::kPath) {
        FileHandle file(std::fopen(scratchPath.c_str(), "wb"));
        if (!file || (!bytes.empty() &&
                      std::fwrite(bytes.data(), 1, bytes.size(), file.get()) != bytes.size()))
            return Outcome{"the test could not write " + scratchPath, {}, -1, {}};
        file.reset();
        const char* path = scratchPath.c_str();
        if (kind == FileKind::kRay)
            return Through([&](auto& e) { return TryLoadRay(path, pitch, e); });
        if (kind == FileKind::kFamily)
            return Through([&](auto& e) { return TryLoadFamily(path, pitch, e); });
        return Through([&](auto& e) { return TryLoadSprite(path, pitch, e); });
    }
    if (form == Form::kMemory) {
        const uint8_t* data = bytes.data();
        const size_t size = bytes.size();
        if (kind == FileKind::kRay)
            return Through([&](auto& e) { return TryLoadRay(data, size, pitch, e); });
        if (kind == FileKind::kFamily)
            return Through([&](auto& e) { return TryLoadFamily(data, size, pitch, e); });
        return Through([&](auto& e) { return TryLoadSprite(data, size, pitch, e); });
    }
    PieceReader reader{&bytes, 0, form == Form::kReaderByBytes ? size_t{1} : size_t{4093}};
    ReadCallbacks callbacks{&PieceReader::Read, nullptr, nullptr};
    if (form == Form::kReaderWithSkip) {
        callbacks.skip = &PieceReader::Skip;
        callbacks.eof = &PieceReader::Eof;
    }
    Outcome outcome;
    if (kind == FileKind::kRay)
        outcome = Through([&](auto& e) { return TryLoadRay(callbacks, &reader, pitch, e); });
    else if (kind == FileKind::kFamily)
        outcome = Through([&](auto& e) { return TryLoadFamily(callbacks, &reader, pitch, e); });
    else
        outcome = Through([&](auto& e) { return TryLoadSprite(callbacks, &reader, pitch, e); });
    if (reader.callsAfterTheEnd != 0) outcome.message += " (read called after the end)";
    return outcome;
}

}  // namespace load_forms

#endif
