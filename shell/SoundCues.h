#pragma once
// The program's sound cues, by the file names the commands play them under, and
// where a cue is found. A cue is looked up by its bare name in the current
// folder first, so a user's own file of that name wins, then among the
// program's data files, where the build places the short cues we synthesise.
#include <string>

inline constexpr const char* kCueClick = "click05a.wav";    // a count down, a job done
inline constexpr const char* kCueChime = "iky1b_8b.wav";    // the timer's step, an Exif batch
inline constexpr const char* kCueBlip = "ksl5a_8.wav";      // a count up, a thumbnail batch
inline constexpr const char* kCueTickOdd = "se-037a.wav";   // odd timer ticks
inline constexpr const char* kCueTickEven = "se-037b.wav";  // even timer ticks

// The path to play for a cue name: currentDir/name when that file exists,
// else the data file of that name (FindDataFile); empty when neither exists.
std::string FindCueFile(const std::string& name, const std::string& currentDir,
                        const std::string& executablePath);
// The same for this process's current folder and executable.
std::string FindCueFile(const std::string& name);
