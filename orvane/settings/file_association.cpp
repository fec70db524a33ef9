#include "file_association.h"

#include "text_rules.h"

namespace orvane {

namespace {

constexpr std::string_view kOpenCommandKey = "\\shell\\open\\command";
constexpr std::string_view kPlayerName = "winplay3";

std::string FileNamePart(std::string_view path) {
    const std::size_t sep = path.find_last_of("\\/:");
    return std::string(sep == std::string_view::npos ? path : path.substr(sep + 1));
}

bool NamesPlayer(std::string_view command) {
    return LowerText(command).find(kPlayerName) != std::string::npos;
}

bool RegisterPlayer(ClassesRegistry& registry, std::string_view programPath) {
    const std::string command = OpenCommandFor(programPath);
    const bool mp3 = SetFileTypeInfo(registry, "MP3", "", "MPEG Layer3 Audio Files", command,
                                     "audio/x-mpeg");
    const bool m3u =
        SetFileTypeInfo(registry, "M3U", "", "MP3 List Files", command, "audio/x-mpegurl");
    return mp3 && m3u;
}

}  // namespace

std::string ProgramOfCommand(std::string_view command) {
    if (!command.empty() && command.front() == '"') {
        const std::size_t close = command.find('"', 1);
        return std::string(command.substr(1, close == std::string_view::npos ? close : close - 1));
    }
    const std::size_t space = command.find(' ');
    return std::string(command.substr(0, space));
}

std::string OpenCommandFor(std::string_view programPath) {
    const std::string path(programPath);
    if (path.find(' ') != std::string::npos) return '"' + path + "\" %1";
    return path + " %1";
}

bool SetFileTypeInfo(ClassesRegistry& registry, std::string_view extension,
                     std::string_view typeKey, std::string_view description,
                     std::string_view command, std::string_view contentType) {
    if (extension.empty() || command.empty()) return false;
    std::string ext(extension);
    if (ext.front() != '.') ext.insert(ext.begin(), '.');
    std::string type(typeKey);
    if (type.empty()) type = ext.substr(1) + "file";

    if (!registry.WriteValue(ext, "", type)) return false;
    if (!contentType.empty() && !registry.WriteValue(ext, "Content Type", contentType)) {
        return false;
    }
    if (!registry.WriteValue(type, "", description)) return false;
    std::string openCommand(command);
    if (openCommand.find("%1") == std::string::npos) openCommand = TrimText(command) + " %1";
    return registry.WriteValue(type + std::string(kOpenCommandKey), "", openCommand);
}

TFileTypeInfo GetFileTypeInfo(const ClassesRegistry& registry, std::string_view extension) {
    TFileTypeInfo info;
    std::string ext(extension);
    if (ext.empty() || ext.front() != '.') ext.insert(ext.begin(), '.');
    if (!registry.KeyExists(ext)) return info;
    const std::string type = registry.ReadValue(ext, "").value_or("");
    info.contentType = registry.ReadValue(ext, "Content Type").value_or("");
    if (type.empty() || !registry.KeyExists(type)) return info;
    info.description = registry.ReadValue(type, "").value_or("");
    const std::string commandKey = type + std::string(kOpenCommandKey);
    if (registry.KeyExists(commandKey)) {
        info.command = ProgramOfCommand(registry.ReadValue(commandKey, "").value_or(""));
    }
    return info;
}

bool CheckAssociation(ClassesRegistry& registry, AssociationHost& host) {
    const std::string mp3 = GetFileTypeInfo(registry, "MP3").command;
    const std::string m3u = GetFileTypeInfo(registry, "M3U").command;
    if (NamesPlayer(mp3) && NamesPlayer(m3u)) return true;
    if (NamesPlayer(mp3) && host.FileExists(mp3)) {
        return SetFileTypeInfo(registry, "M3U", "", "MP3 List Files", OpenCommandFor(mp3),
                               "audio/x-mpegurl");
    }
    host.ShowMessage(kNoAssociationText, TMessageIcon::Information);
    return AskPlayerLocation(registry, host);
}

bool AskPlayerLocation(ClassesRegistry& registry, AssociationHost& host) {
    const auto chosen = host.FindPlayer();
    if (!chosen) {
        host.ShowMessage(kAssociationFailedText, TMessageIcon::Warning);
        return false;
    }
    if (LowerText(FileNamePart(*chosen)) != "winplay3.exe") {
        host.ShowMessage(kPlayerNotFoundText, TMessageIcon::Information);
        return false;
    }
    // A failed write is reported as the failure it is, never as success.
    if (!RegisterPlayer(registry, *chosen)) {
        host.ShowMessage(kAssociationFailedText, TMessageIcon::Warning);
        return false;
    }
    host.ShowMessage(kAssociationSetText, TMessageIcon::Information);
    return true;
}

}  // namespace orvane
