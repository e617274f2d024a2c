// The decoders behind both faces' loaders: the classic LoadRLSprite,
// LoadRlsRay and RlsFamilyLoad hand a decoder's fault to ReportFatal, the
// safe face's TryLoadSprite, TryLoadRay and TryLoadFamily hand it back in a
// LoadError. There is no other reading of the formats in the library.
//
// Each decoder reads one record, ray or family from a ByteSource and returns
// it, or returns null with a LoadFault: the text the classic loader reports
// and the offset of the field or record at fault. A decoder never calls
// ReportFatal and changes no process-wide state: before it returns a failure
// it has released everything it built, and what it returns is checked for
// the pitch but not yet bound. BindLoaded binds it once the whole load has
// succeeded, so a failed load leaves spritePitch as it was.
#ifndef VANTREL_SRC_LOAD_DECODERS_H
#define VANTREL_SRC_LOAD_DECODERS_H

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <utility>

#include <Vantrel/ByteIO.h>
#include <Vantrel/Fatal.h>
#include <Vantrel/RLSprite.h>
#include <Vantrel/Rls.h>

struct LoadFault {
    std::string text;     // the classic loader's text, e.g. "LoadRlsRay: Not a RlsRay file"
    int64_t offset = -1;  // the source's offset of the field or record at fault; -1: none
};

// Fills fault and gives null, for `return Refuse(...)` in a decoder.
inline std::nullptr_t Refuse(LoadFault& fault, std::string text, int64_t offset) {
    fault.text = std::move(text);
    fault.offset = offset;
    return nullptr;
}

// The texts of the failures that happen before a decoder runs.
inline constexpr const char* kRLSpriteOpenFault = "LoadRLSprite: Unable to open file";
inline constexpr const char* kRlsRayOpenFault = "LoadRlsRay: Unable to open file";
inline constexpr const char* kRlsFamilyOpenFault = "RlsFamily: Unable to open file";

// A non-zero pitch is checked as binding to it would check it (a negative
// one gives "BindRLSprite: Bad pitch" where the first sprite would be bound).
RLSpritePtr DecodeRLSprite(ByteSource& source, int32_t pitch, LoadFault& fault);
RlsRayPtr DecodeRlsRay(ByteSource& source, int32_t pitch, LoadFault& fault);
RlsFamilyPtr DecodeRlsFamily(ByteSource& source, int32_t pitch, LoadFault& fault);

// Binds what a decoder returned to pitch (nothing for 0): each sprite once,
// a ray shared by several slots of a family included.
void BindLoaded(RLSprite& sprite, int32_t pitch);
void BindLoaded(RlsRay& ray, int32_t pitch);
void BindLoaded(RlsFamily& family, int32_t pitch);

// The classic face over a decoder: the file opened (or the caller's stream
// borrowed), decoded, closed, then either the fault handed to ReportFatal or
// what was loaded bound and returned. Nothing is left to release or close
// when the report is made.
template <typename Loaded>
using Decoder = Loaded (*)(ByteSource&, int32_t, LoadFault&);

template <typename Loaded>
Loaded LoadOrReport(Decoder<Loaded> decode, const char* openFault, const char* path, int32_t pitch,
                    std::FILE* stream) {
    StreamInUse file(path, stream, "rb");
    if (!file) ReportFatalOrAbort(openFault);
    ByteSource source = ByteSource::OfFile(file.get());
    LoadFault fault;
    Loaded loaded = decode(source, pitch, fault);
    file.Close();
    if (!loaded) ReportFatalOrAbort(fault.text.c_str());
    BindLoaded(*loaded, pitch);
    return loaded;
}

// A check of the bytes left that a source of unknown size cannot answer
// when it is due (a pipe, reader callbacks). A source of known size refuses
// at once what does not fit; for the others the check is settled when the
// decoder stops, by seeing whether the bytes were there after all, so that
// every source refuses the same bytes with the same text.
class RoomCheck {
public:
    // False when the count bytes after the source's position are certainly
    // not there.
    bool Begin(ByteSource& source, uint64_t count) {
        from_ = source.Offset();
        count_ = count;
        const StreamRoom room = source.RoomFor(count);
        open_ = room == StreamRoom::kUnknown;
        return room != StreamRoom::kShort;
    }
    // Whether Begin was answered at once (the source knows its size).
    bool Answered() const { return !open_; }
    // Whether the bytes Begin asked for are there; asks the source only when
    // they have not all been read yet.
    bool Held(ByteSource& source) const {
        if (!open_) return true;
        const auto consumed = static_cast<uint64_t>(source.Offset() - from_);
        return consumed >= count_ || source.HasAtLeast(count_ - consumed);
    }

private:
    int64_t from_ = 0;
    uint64_t count_ = 0;
    bool open_ = false;
};

#endif
