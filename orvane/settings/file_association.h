// The ".MP3" and ".M3U" associations that make the shell hand files to WinPlay3.
#pragma once

#include <string>
#include <string_view>

#include "association_host.h"
#include "classes_registry.h"

namespace orvane {

inline constexpr std::string_view kNoAssociationText =
    "You have not set the association of .MP3 and .M3U file, now you must specify the "
    "location of WinPlay3.EXE, and I will set the correct association for you.";
inline constexpr std::string_view kAssociationFailedText =
    "Setting association of .MP3 and .M3U fails, Orvane Manager maybe work abnormaly !!";
inline constexpr std::string_view kPlayerNotFoundText =
    "WinPlay3.EXE not found, MP3 files won't be played correctly !! :(";
inline constexpr std::string_view kAssociationSetText =
    "Set Association of .MP3 and .M3U file successly !! Welcome to Orvane Manager !! :)";

struct TFileTypeInfo {
    std::string description;
    std::string contentType;
    std::string command;  // the program of the open command, without its arguments
};

// The program part of an open command: a command starting with a double quote runs to
// the closing quote, any other is cut before its first space.
std::string ProgramOfCommand(std::string_view command);
// The open command for a program: quoted when its path holds a space, then " %1".
std::string OpenCommandFor(std::string_view programPath);

bool SetFileTypeInfo(ClassesRegistry& registry, std::string_view extension,
                     std::string_view typeKey, std::string_view description,
                     std::string_view command, std::string_view contentType);
TFileTypeInfo GetFileTypeInfo(const ClassesRegistry& registry, std::string_view extension);

// At start: true when both associations name WinPlay3 when it returns.
bool CheckAssociation(ClassesRegistry& registry, AssociationHost& host);
// Asks for WinPlay3.EXE and registers both extensions; true when they were written.
bool AskPlayerLocation(ClassesRegistry& registry, AssociationHost& host);

}  // namespace orvane
