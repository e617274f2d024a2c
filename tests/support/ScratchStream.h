// A scratch stream for tests and fuzz targets: an anonymous file, read and
// written in binary, removed when closed.
#ifndef TESTS_SUPPORT_SCRATCH_STREAM_H
#define TESTS_SUPPORT_SCRATCH_STREAM_H

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

#include <Vantrel/ByteIO.h>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <process.h>
#include <sys/stat.h>
#endif

using Stream = FileHandle;

// The Windows C runtime's tmpfile picks its names without a guard against
// other threads or processes, so two callers can end up sharing one file
// (mixed records) or the loser gets null. There the stream is made by hand:
// a name of this process and a counter, created exclusively, removed on close.
inline Stream ScratchStream() {
#ifdef _WIN32
    static std::atomic<unsigned> counter{0};
    const char* dir = std::getenv("TEMP");
    std::FILE* file = nullptr;
    for (int attempt = 0; !file && attempt < 1000; ++attempt) {
        char name[1024];
        std::snprintf(name, sizeof name, "%s\\vantrel-scratch-%d-%u.tmp", dir ? dir : ".",
                      _getpid(), counter.fetch_add(1));
        const int fd = _open(name, _O_CREAT | _O_EXCL | _O_RDWR | _O_BINARY | _O_TEMPORARY,
                             _S_IREAD | _S_IWRITE);
        if (fd >= 0) file = _fdopen(fd, "w+b");
    }
#else
    std::FILE* file = std::tmpfile();
#endif
    if (!file) std::abort();
    return Stream(file);
}

// A scratch stream holding this text, positioned at its start.
inline Stream StreamOfText(const std::string& text) {
    Stream s = ScratchStream();
    if (!text.empty()) std::fwrite(text.data(), 1, text.size(), s.get());
    std::rewind(s.get());
    return s;
}

#endif
