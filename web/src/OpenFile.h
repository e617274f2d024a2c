// The file the page has open: what rlsinfo says of it, and, when rlsinfo
// finds it valid, its rays loaded and bound to the preview's surface for
// drawing. An invalid file is not loaded for drawing at all.
#ifndef WEB_OPEN_FILE_H
#define WEB_OPEN_FILE_H

#include <string>
#include <vector>

#include <Vantrel/Rls.h>

#include "ContactSheet.h"
#include "FileReport.h"

struct OpenFile {
    FileReport report;
    std::string json;    // rlsinfo --json's document for the file, without the line feed
    std::string text;    // rlsinfo's report for people
    std::string reason;  // an invalid file: rlsinfo's words after "invalid: "
    RlsRayPtr ray;
    RlsFamilyPtr family;
    SheetContent content;             // the sheet rlspreview draws of the file
    std::vector<const RlsRay*> rays;  // the distinct rays, in the order the file holds them
};

// Reports on the file at path, as rlsinfo would name it, and loads it when
// it is valid. Returns whether it is.
bool OpenSpriteFile(const std::string& path, OpenFile& file);

#endif
