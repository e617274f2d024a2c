#include <Vantrel/DebugLog.h>

#include <cstdarg>
#include <cstring>
#include <string>

int16_t DebugLogEnabled = 0;
int16_t DebugLogFlush = 1;

namespace {

constexpr size_t kPathBufferSize = 512;
constexpr size_t kMessageBufferSize = 1024;

std::FILE* logStream = nullptr;
std::string logPath;
bool hasPath = false;

// vsnprintf's result clipped to what the buffer holds.
int StoredLength(int wanted, size_t size) {
    if (wanted < 0 || size == 0) return 0;
    return static_cast<size_t>(wanted) < size ? wanted : static_cast<int>(size - 1);
}

}  // namespace

std::FILE* OpenDebugLog(const char* folder) {
    CloseDebugLog();
    char path[kPathBufferSize];
    int wanted = std::snprintf(path, sizeof path, "%sdebug.txt", folder);
    if (wanted < 0 || static_cast<size_t>(wanted) >= sizeof path) return nullptr;
    logPath = path;
    hasPath = true;
    logStream = std::fopen(path, "w");
    return logStream;
}

void CloseDebugLog() {
    logPath.clear();
    hasPath = false;
    if (logStream != nullptr) std::fclose(logStream);
    logStream = nullptr;
}

void DebugPrintf(const char* format, ...) {
    if (DebugLogEnabled == 0 || logStream == nullptr) return;
    char message[kMessageBufferSize];
    va_list arguments;
    va_start(arguments, format);
    int length =
        StoredLength(std::vsnprintf(message, sizeof message, format, arguments), sizeof message);
    va_end(arguments);

    size_t written = std::fwrite(message, 1, static_cast<size_t>(length), logStream);
    bool failed = written != static_cast<size_t>(length) ||
                  (DebugLogFlush != 0 && std::fflush(logStream) != 0);
    if (failed) {
        std::fclose(logStream);
        logStream = nullptr;
        return;
    }
    if (DebugLogFlush != 0) logStream = std::freopen(logPath.c_str(), "a", logStream);
}

int FormatString(char* buffer, size_t size, const char* format, ...) {
    if (buffer == nullptr || size == 0) return 0;
    buffer[0] = '\0';
    va_list arguments;
    va_start(arguments, format);
    int wanted = std::vsnprintf(buffer, size, format, arguments);
    va_end(arguments);
    return StoredLength(wanted, size);
}

const char* DebugLogPath() {
    return hasPath ? logPath.c_str() : nullptr;
}

std::FILE* DebugLogStream() {
    return logStream;
}

void ResetDebugLog() {
    CloseDebugLog();
    DebugLogEnabled = 0;
    DebugLogFlush = 1;
}
