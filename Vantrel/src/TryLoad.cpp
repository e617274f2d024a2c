#include <Vantrel/TryLoad.h>

#include <cstdio>
#include <utility>

#include "LoadDecoders.h"

namespace vantrel {

namespace {

// Runs one decoder over a source and either binds what it returned or moves
// its fault into error.
template <typename Loaded>
Loaded Finish(Decoder<Loaded> decode, ByteSource& source, int32_t pitch, LoadError& error) {
    LoadFault fault;
    Loaded loaded = decode(source, pitch, fault);
    if (loaded) {
        BindLoaded(*loaded, pitch);
    } else {
        error.message = std::move(fault.text);
        error.offset = fault.offset;
    }
    return loaded;
}

template <typename Loaded>
Loaded FromPath(Decoder<Loaded> decode, const char* openFault, const char* path, int32_t pitch,
                LoadError& error) {
    error = LoadError{};
    error.path = path != nullptr ? path : "";
    const FileHandle file(path != nullptr ? std::fopen(path, "rb") : nullptr);
    if (!file) {
        error.message = openFault;
        return nullptr;
    }
    ByteSource source = ByteSource::OfFile(file.get());
    return Finish(decode, source, pitch, error);
}

template <typename Loaded>
Loaded FromMemory(Decoder<Loaded> decode, const void* bytes, size_t size, int32_t pitch,
                  LoadError& error) {
    error = LoadError{};
    ByteSource source = ByteSource::OfMemory(bytes, size);
    return Finish(decode, source, pitch, error);
}

template <typename Loaded>
Loaded FromReader(Decoder<Loaded> decode, const ReadCallbacks& reader, void* user, int32_t pitch,
                  LoadError& error) {
    error = LoadError{};
    ByteSource source = ByteSource::OfCallbacks(reader, user);
    return Finish(decode, source, pitch, error);
}

}  // namespace

RlsRayPtr TryLoadRay(const char* path, int32_t pitch, LoadError& error) {
    return FromPath(DecodeRlsRay, kRlsRayOpenFault, path, pitch, error);
}
RlsRayPtr TryLoadRay(const void* bytes, size_t size, int32_t pitch, LoadError& error) {
    return FromMemory(DecodeRlsRay, bytes, size, pitch, error);
}
RlsRayPtr TryLoadRay(const ReadCallbacks& reader, void* user, int32_t pitch, LoadError& error) {
    return FromReader(DecodeRlsRay, reader, user, pitch, error);
}

RlsFamilyPtr TryLoadFamily(const char* path, int32_t pitch, LoadError& error) {
    return FromPath(DecodeRlsFamily, kRlsFamilyOpenFault, path, pitch, error);
}
RlsFamilyPtr TryLoadFamily(const void* bytes, size_t size, int32_t pitch, LoadError& error) {
    return FromMemory(DecodeRlsFamily, bytes, size, pitch, error);
}
RlsFamilyPtr TryLoadFamily(const ReadCallbacks& reader, void* user, int32_t pitch,
                           LoadError& error) {
    return FromReader(DecodeRlsFamily, reader, user, pitch, error);
}

RLSpritePtr TryLoadSprite(const char* path, int32_t pitch, LoadError& error) {
    return FromPath(DecodeRLSprite, kRLSpriteOpenFault, path, pitch, error);
}
RLSpritePtr TryLoadSprite(const void* bytes, size_t size, int32_t pitch, LoadError& error) {
    return FromMemory(DecodeRLSprite, bytes, size, pitch, error);
}
RLSpritePtr TryLoadSprite(const ReadCallbacks& reader, void* user, int32_t pitch,
                          LoadError& error) {
    return FromReader(DecodeRLSprite, reader, user, pitch, error);
}

}  // namespace vantrel
