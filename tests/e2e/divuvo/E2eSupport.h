#pragma once
// Clips made with ffmpeg's lavfi sources, the adapter run on them, and ffprobe's view of results;
// the adapter started as the program starts it, and the processes of its group.

#include "support/ChildRun.h"
#include "support/MediaFacts.h"
#include "support/TestClips.h"

#include <sys/types.h>

#include <chrono>
#include <string>
#include <vector>

namespace quillabe::test {

// Ten minutes of 22050 Hz mono sound, for runs that must still be busy when they are stopped.
const std::string& LongSound();

std::vector<std::string> Words(const std::string& options); // split at blanks
ProcessOutput RunDivuvo(const std::string& input, const std::string& options,
                        const std::string& output);
// The adapter's command line for Spawn: the access code, the input, the options, the output.
std::vector<std::string> DivuvoArgv(const std::string& input, const std::string& options,
                                    const std::string& output);

// Starts argv in a process group of its own, as the program starts the adapter, with standard
// input on /dev/null and standard output and error on one pipe; `console` gets its read end.
// `env` entries ("NAME=value") replace or extend the test's environment. -1 on failure.
pid_t SpawnInOwnGroup(const std::vector<std::string>& argv, int& console,
                      const std::vector<std::string>& env = {});
// Appends what the pipe holds, waiting up to `wait` for the first byte; false at its end.
bool ReadSome(int fd, std::string& into, std::chrono::milliseconds wait);

// Processes of a group that are still alive (zombies waiting for a reaper do not count).
std::vector<pid_t> LiveMembers(pid_t group);
bool WaitUntilEmpty(pid_t group, std::chrono::milliseconds limit);

} // namespace quillabe::test
