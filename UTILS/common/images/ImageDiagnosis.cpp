#include "images/ImageDiagnosis.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>
#include <vector>

#include <Vantrel/ByteIO.h>
#include "images/ImageNames.h"
#include "images/PngArt.h"

namespace {

constexpr size_t kTgaHeaderSize = 18;

struct Signature {
    const char* bytes;
    size_t size;
    size_t offset;
    const char* name;
};

// The formats painting programs save most, by the bytes they start with.
// None of them can be mistaken for a TGA header: the second byte of a TGA
// (its colour map type) is 0 or 1.
constexpr Signature kSignatures[] = {
    {"\x89PNG\r\n\x1a\n", 8, 0, "PNG"},
    {"\xFF\xD8\xFF", 3, 0, "JPEG"},
    {"GIF87a", 6, 0, "GIF"},
    {"GIF89a", 6, 0, "GIF"},
    {"8BPS", 4, 0, "Photoshop"},
    {"BM", 2, 0, "BMP"},
    {"WEBP", 4, 8, "WebP"},  // after "RIFF" and the chunk size
};

bool Matches(const Signature& s, const uint8_t* head, size_t headSize) {
    if (s.offset == 8 && (headSize < 4 || std::memcmp(head, "RIFF", 4) != 0)) return false;
    return headSize >= s.offset + s.size && std::memcmp(head + s.offset, s.bytes, s.size) == 0;
}

std::string Number(uint64_t value) {
    return std::to_string(value);
}

// "a", "a and b", "a, b and c".
std::string JoinAsList(const std::vector<std::string>& parts) {
    std::string text;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) text += (i + 1 == parts.size()) ? " and " : ", ";
        text += parts[i];
    }
    return text;
}

std::string PngNameFor(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos && dot > 0) name.resize(dot);
    return name + ".png";
}

std::string ExportRemedy() {
    return PngArtIsReadable() ? "export the artwork as PNG, or as an uncompressed 24-bit TGA"
                              : "export the artwork as an uncompressed 24-bit TGA";
}

ImageFault ForeignFault(const char* format, const std::string& path) {
    ImageFault fault{ImageFaultKind::Foreign,
                     std::string("it is a ") + format + " image, not a TGA file", ExportRemedy()};
    if (std::strcmp(format, "PNG") == 0) {
        if (PngArtIsReadable()) {
            fault.remedy = HasPngName(path)
                               ? "export it again; it is not a PNG file the tools can read"
                               : "name it " + PngNameFor(path) + " and the tools convert it as PNG";
        } else {
            fault.remedy = "this build reads no PNG; " + ExportRemedy();
        }
    }
    return fault;
}

struct TgaHead {
    uint8_t idLength, colourMapType, imageType;
    bool colourMapFieldsZero;
    uint16_t xOrigin, yOrigin, width, height;
    uint8_t depth;
};

TgaHead ParseHead(const uint8_t* h) {
    auto u16 = [h](size_t at) { return static_cast<uint16_t>(h[at] | (h[at + 1] << 8)); };
    TgaHead t{};
    t.idLength = h[0];
    t.colourMapType = h[1];
    t.imageType = h[2];
    t.colourMapFieldsZero = h[3] == 0 && h[4] == 0 && h[5] == 0 && h[6] == 0 && h[7] == 0;
    t.xOrigin = u16(8);
    t.yOrigin = u16(10);
    t.width = u16(12);
    t.height = u16(14);
    t.depth = h[16];
    return t;
}

bool KnownTgaType(uint8_t type) {
    return type == 1 || type == 2 || type == 3 || type == 9 || type == 10 || type == 11;
}

// Reasons and remedies of a header the reader does not take, all that apply.
struct Findings {
    std::vector<std::string> reasons;
    std::vector<std::string> remedies;  // each "with ..." / "without ..."
    bool headerRefused = false;         // beyond depth and size
    bool noPicture = false;             // a side of 0
    void Add(std::string reason, std::string remedy, bool refusesHeader) {
        reasons.push_back(std::move(reason));
        if (!remedy.empty()) remedies.push_back(std::move(remedy));
        headerRefused = headerRefused || refusesHeader;
    }
};

Findings Examine(const TgaHead& t) {
    Findings f;
    const std::string type = " (TGA image type " + Number(t.imageType) + ")";
    if (t.imageType == 9) {
        f.Add("it is colour-mapped and run-length compressed" + type,
              "as 24-bit RGB with RLE compression off", true);
    } else if (t.imageType == 10 || t.imageType == 11) {
        f.Add("it is run-length compressed" + type, "with RLE compression off", true);
    } else if (t.imageType == 1) {
        f.Add("it is colour-mapped" + type, "as 24-bit RGB instead of a palette image", true);
    } else if (t.colourMapType == 1) {
        f.Add("it carries a colour map", "without a colour map", true);
    } else if (!t.colourMapFieldsZero) {
        f.Add("its colour map fields are not 0 although it has no colour map",
              "as a plain 24-bit RGB image without a colour map", true);
    }
    if (t.idLength != 0) {
        f.Add("it has an image ID field of " + Number(t.idLength) + " bytes",
              "without an image ID (comment) field", true);
    }
    if (t.xOrigin != 0 || t.yOrigin != 0) {
        f.Add("its origin is (" + Number(t.xOrigin) + ", " + Number(t.yOrigin) + "), not (0, 0)",
              "with its x and y origin set to 0", true);
    }
    if (t.depth != 8 && t.depth != 24 && t.depth != 32) {
        f.Add("it has " + Number(t.depth) + "-bit pixels", "with 24 or 32 bits per pixel", false);
    }
    if (t.width == 0 || t.height == 0) {
        f.Add(std::string("it is ") + (t.width == 0 ? "0 pixels wide" : "0 pixels high"), "",
              false);
        f.noPicture = true;
    }
    return f;
}

// Bytes the reader expects: header and pixels (nothing else is read).
uint64_t ExpectedTgaSize(const TgaHead& t) {
    return kTgaHeaderSize + uint64_t{t.width} * t.height * (t.depth / 8u);
}

}  // namespace

ImageFault DiagnoseImageBytes(const uint8_t* head, size_t headSize, uint64_t fileSize,
                              const std::string& path) {
    for (const Signature& s : kSignatures) {
        if (Matches(s, head, headSize)) return ForeignFault(s.name, path);
    }
    if (fileSize == 0) {
        return {ImageFaultKind::Foreign, "the file is empty", ExportRemedy()};
    }
    if (headSize < kTgaHeaderSize || fileSize < kTgaHeaderSize) {
        return {ImageFaultKind::Foreign,
                "it is only " + Number(fileSize) + " bytes long, too short for a TGA header",
                ExportRemedy()};
    }
    const TgaHead t = ParseHead(head);
    if (t.colourMapType > 1 || !KnownTgaType(t.imageType)) {
        return {ImageFaultKind::Foreign, "it is not a TGA file (its header fits no TGA layout)",
                ExportRemedy()};
    }
    const Findings f = Examine(t);
    if (!f.reasons.empty()) {
        ImageFault fault;
        fault.kind = f.headerRefused ? ImageFaultKind::Refused : ImageFaultKind::Unusable;
        fault.reason = JoinAsList(f.reasons);
        if (f.noPicture) {
            fault.remedy = "the file holds no picture; export the artwork again";
        } else {
            fault.remedy = "save it again " + JoinAsList(f.remedies);
        }
        return fault;
    }
    const uint64_t expected = ExpectedTgaSize(t);
    if (fileSize < expected) {
        return {ImageFaultKind::CutShort,
                "its pixel data ends at byte " + Number(fileSize) + " of " + Number(expected),
                "the file was cut off; save or copy it again"};
    }
    return {};
}

namespace {

ImageFault FolderFault() {
    return {ImageFaultKind::Unopened, "it is a folder, not a file", "choose an image file"};
}

bool IsFolder(const std::string& path) {
    std::error_code error;
    return std::filesystem::is_directory(path, error);
}

// The diagnosis of the bytes of an open file, read from its start.
ImageFault DiagnoseOpenFile(std::FILE* stream, const std::string& path) {
    uint8_t head[kTgaHeaderSize] = {};
    size_t got = 0;
    if (std::fseek(stream, 0, SEEK_SET) == 0) got = std::fread(head, 1, sizeof head, stream);
    uint64_t size = got;
    if (std::fseek(stream, 0, SEEK_END) == 0) {
        const long end = std::ftell(stream);
        if (end >= 0) size = static_cast<uint64_t>(end);
    }
    return DiagnoseImageBytes(head, got, size, path);
}

}  // namespace

ImageFault DiagnoseImageStream(std::FILE* stream, const std::string& path) {
    if (IsFolder(path)) return FolderFault();
    return DiagnoseOpenFile(stream, path);
}

ImageFault DiagnoseImageFile(const std::string& path) {
    if (IsFolder(path)) return FolderFault();
    errno = 0;
    FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        if (errno == ENOENT) {
            return {ImageFaultKind::Unopened, "there is no such file", "check its name and folder"};
        }
        const int code = errno;
        return {ImageFaultKind::Unopened,
                std::string("it cannot be opened (") + std::strerror(code) + ")",
                "check that it may be read"};
    }
    return DiagnoseOpenFile(file.get(), path);
}

namespace {

std::string Explained(const std::string& start, const ImageFault& fault) {
    if (fault.kind == ImageFaultKind::None) return start;
    return start + ": " + fault.reason + "; " + fault.remedy;
}

std::string CantLoadText(const std::string& path, ImageFault fault) {
    if (fault.kind == ImageFaultKind::None) {
        fault = {ImageFaultKind::CutShort, "it changed while it was read",
                 "wait until it is saved completely and try again"};
    }
    return Explained("Can't load " + path, fault);
}

std::string UnusableText(const std::string& path, const ImageFault& fault) {
    const std::string start = "Must be an uncompressed 8, 24 or 32-bit RGB color file";
    if (fault.kind == ImageFaultKind::None) return start + ": " + path;
    return Explained(start + ": " + path, fault);
}

}  // namespace

std::string CantLoadImageText(const std::string& path) {
    return CantLoadText(path, DiagnoseImageFile(path));
}
std::string CantLoadImageText(std::FILE* stream, const std::string& path) {
    return CantLoadText(path, DiagnoseImageStream(stream, path));
}

std::string UnusableImageText(const std::string& path) {
    return UnusableText(path, DiagnoseImageFile(path));
}
std::string UnusableImageText(std::FILE* stream, const std::string& path) {
    return UnusableText(path, DiagnoseImageStream(stream, path));
}
