// What a name typed at the terminal prompt means and how Tab completes it:
// pure functions of the typed text, the proposed path's folder and a listing.
#include "shell/terminal/FileCompletion.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

TEST(FileCompletion, ATypedNameIsTakenInTheFolderOnScreen) {
    struct Case {
        std::string typed;
        std::string proposedFolder;
        std::string home;
        std::string path;
    };
    const Case cases[] = {
        {"wasp00.tga", "/art/ships/", "/home/ann", "/art/ships/wasp00.tga"},
        {"sub/wasp00.tga", "/art/", "/home/ann", "/art/sub/wasp00.tga"},
        {"../other/x.sh", "/art/ships/", "/home/ann", "/art/ships/../other/x.sh"},
        {"./x.sh", "/art/", "", "/art/./x.sh"},
        {"/out/wasp.sh", "/art/", "/home/ann", "/out/wasp.sh"},
        {"~/wasp.sh", "/art/", "/home/ann", "/home/ann/wasp.sh"},
        {"~/wasp.sh", "/art/", "/home/ann/", "/home/ann/wasp.sh"},
        {"~/wasp.sh", "/art/", "/", "/wasp.sh"},
        {"~", "/art/", "/home/ann", "/home/ann"},
        {"~/wasp.sh", "/art/", "", "/art/~/wasp.sh"},  // no home: a plain name
        {"~ann/x.sh", "/art/", "/home/ann", "/art/~ann/x.sh"},
        {"x.sh", "", "/home/ann", "x.sh"},  // a proposed path without a folder
        {"", "/art/", "/home/ann", ""},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ResolveTypedPath(c.typed, c.proposedFolder, c.home), c.path)
            << c.typed << " in " << c.proposedFolder;
    }
    EXPECT_EQ(FolderOfProposed("/art/ships/*.tga"), "/art/ships/");
    EXPECT_EQ(FolderOfProposed("/wasp.sh"), "/");
    EXPECT_EQ(FolderOfProposed("*.tga"), "");
}

TEST(FileCompletion, ThePlaceToCompleteIsTheFolderOfTheTypedName) {
    struct Case {
        std::string typed;
        std::string folder;
        std::string partial;
    };
    const Case cases[] = {
        {"wa", "/art/", "wa"},
        {"", "/art/", ""},
        {"ships/wa", "/art/ships/", "wa"},
        {"/out/fa", "/out/", "fa"},
        {"/", "/", ""},
        {"~/sp", "/home/ann/", "sp"},
        {"~/", "/home/ann/", ""},
        {"/art/*.tga", "/art/", "*.tga"},
    };
    for (const Case& c : cases) {
        CompletionPlace place = PlaceToComplete(c.typed, "/art/", "/home/ann");
        EXPECT_EQ(place.folder, c.folder) << c.typed;
        EXPECT_EQ(place.partial, c.partial) << c.typed;
    }
}

TEST(FileCompletion, TabCompletesOneMatchOrTheSharedPrefix) {
    const std::vector<FolderEntry> listing = {
        {".", true},
        {"..", true},
        {"wasp00.tga", false},
        {"wasp01.tga", false},
        {"waves", true},
        {"rock.tga", false},
        {"rocks", true},
        {".hidden", false},
        {"caf\xc3\xa9", false},
        {"caf\xc3\xa8", false},
        {"hull.sh", false},
    };
    struct Case {
        const char* what;
        std::string partial;
        std::string addition;
        std::vector<std::string> matches;
    };
    const Case cases[] = {
        {"one file completes fully", "h", "ull.sh", {"hull.sh"}},
        {"one folder completes with a slash", "wav", "es/", {"waves/"}},
        {"a whole folder name gets its slash", "waves", "/", {"waves/"}},
        {"a whole file name stays", "hull.sh", "", {"hull.sh"}},
        {"several: the shared prefix", "wasp", "0", {"wasp00.tga", "wasp01.tga"}},
        {"several sharing nothing more", "wasp0", "", {"wasp00.tga", "wasp01.tga"}},
        {"a file and a folder", "wa", "", {"wasp00.tga", "wasp01.tga", "waves/"}},
        {"a name that is the prefix of another", "rock", "", {"rock.tga", "rocks/"}},
        {"no match", "x", "", {}},
        {"hidden names need a dot",
         "",
         "",
         {"caf\xc3\xa8", "caf\xc3\xa9", "hull.sh", "rock.tga", "rocks/", "wasp00.tga", "wasp01.tga",
          "waves/"}},
        {"a dot shows hidden names", ".h", "idden", {".hidden"}},
        {"never half a UTF-8 character", "ca", "f", {"caf\xc3\xa8", "caf\xc3\xa9"}},
        {"a pattern completes nothing", "w*", "", {}},
        {"case matters", "W", "", {}},
    };
    for (const Case& c : cases) {
        Completion completion = CompleteName(c.partial, listing);
        EXPECT_EQ(completion.addition, c.addition) << c.what;
        EXPECT_EQ(completion.matches, c.matches) << c.what;
    }
}

}  // namespace
