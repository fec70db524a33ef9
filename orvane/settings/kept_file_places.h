// Where the files the program keeps (Velmor.INI, the set files, OVM.M3U) are written: their
// first place when it can be written, otherwise the per-user folder of the program, where
// they are read back on later starts. A song, a tag or a file the user names is never moved.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "folder_access.h"

namespace orvane {

class KeptFilePlaces {
  public:
    // perUserFolder: PerUserFolder() on Windows (empty: no fallback).
    KeptFilePlaces(FolderAccess& access, std::string perUserFolder);

    // The folder the files of firstFolder are written to: firstFolder when a file can be
    // made there; else the per-user folder (made when missing) when a file can be made
    // there; else firstFolder, where the write then fails and is reported as before.
    std::string FolderFor(const std::string& firstFolder);

    // FolderFor for a file that the next start reads back (marker). When the files move to
    // the per-user folder and its copy of marker is not there yet, the copy is made now (the
    // first place's file, or an empty one) and the move is noted for Notice, which names
    // the files `what` ("Velmor.INI"; "its set files", "OVM.M3U"). A later start finds the
    // copy and notes nothing.
    std::string Keep(const std::string& firstFolder, std::string_view marker,
                     const std::vector<std::string>& what);

    // What to say once about the moves noted this run (empty when none): "Orvane cannot
    // write to C:\windows; it keeps Velmor.INI in ...\orvane instead."
    std::string Notice() const;

  private:
    struct Move {
        std::string folder;
        std::vector<std::string> what;
    };
    FolderAccess& access_;
    std::string perUser_;
    std::vector<Move> moves_;
};

}  // namespace orvane
