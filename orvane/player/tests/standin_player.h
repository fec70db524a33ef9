// Test helpers for the stand-in player (winplay3_standin): register it as the program of
// ".MP3" and ".M3U" through the manager's own association code, and read what it logged.
#pragma once
#include <string>
#include <vector>

namespace orvane::test {

// The stand-in's Windows path (the build folder seen as drive Z:).
std::string StandinPlayerPath();

// Registers the stand-in through AskPlayerLocation and points its log at logFile (through
// the environment the shell passes on). True when both associations were written.
bool RegisterStandinPlayer(const std::string& logFile,
                           const std::string& playerPath = StandinPlayerPath());

// The logged lines ("OPEN <file>", "LINE <line>", "CLOSE"); empty when there is no log.
std::vector<std::string> ReadStandinLog(const std::string& logFile);

// Waits, pumping this thread's messages, until the log holds at least count lines.
std::vector<std::string> WaitForStandinLog(const std::string& logFile, std::size_t count,
                                           int timeoutMs = 15000);

// Waits until a "WinPlay3" window exists (present) or no longer does.
bool WaitForPlayerWindow(bool present, int timeoutMs = 15000);

// Closes every stand-in window left over and removes the associations.
void RemoveStandinPlayer();

}  // namespace orvane::test
