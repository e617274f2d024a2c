// The names of the temporary output files: "<target>.tmp-<pid>-<8 hex digits>",
// beside the target. The writer's process id in the name lets a later run
// tell a leftover of a killed writer from a file that is still being written.
#ifndef UTILS_COMMON_SHELL_PLATFORM_TEMPORARY_NAME_H
#define UTILS_COMMON_SHELL_PLATFORM_TEMPORARY_NAME_H

#include <cstdint>
#include <string>
#include <string_view>

// ".tmp-<pid>-<random as 8 lower-case hex digits>", appended to the target's path.
std::string TemporarySuffix(std::uint32_t pid, std::uint32_t random);

// The writer's process id when name is exactly targetName followed by a
// suffix TemporarySuffix makes (a decimal pid of 1 to 4294967295 without
// leading zeros, then 8 lower-case hex digits); 0 for every other name.
// targetName and name are file names without their folder.
std::uint32_t TemporaryWriter(std::string_view name, std::string_view targetName);

#endif
