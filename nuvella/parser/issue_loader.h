// Loads one issue file into the library and enters it into the outline.
#pragma once

#include <cstddef>
#include <string>

#include "issue_library.h"
#include "marker_question.h"
#include "oem_converter.h"
#include "outline_sink.h"
#include "readable_file.h"

namespace nuvella {

// What a load needs from its surroundings; all of it outlives the load.
struct LoadContext {
    OutlineSink& sink;
    OemConverter& converter;
    MarkerQuestion& question;
    IssueLibrary& library;
    FileOpener& files = systemFiles();
};

enum class LoadResult { Loaded, CannotRead, Empty, NoMarker, Declined, OutOfMemory };

// `interactive` is true when the user chose the file: a missing marker is then asked about
// instead of passed over. The file entry is labelled with `path` exactly as given. The marker
// test reads only the head of the file: the rest is read once the file is known to be wanted.
LoadResult loadIssueFile(const std::string& path, LoadContext& context, bool interactive);

// Enters the outline of an issue without keeping the issue, for a printer that needs nothing
// but the entries: the text passes through one buffer of `partBytes` that is reused, split a
// part of whole lines at a time, so a large issue costs no fresh memory. The start piece an
// entry is given is valid only during its insert call. Never asks about a missing marker;
// the outline is the one loadIssueFile enters.
inline constexpr std::size_t kStreamPartBytes = std::size_t{1} << 20;
LoadResult streamIssueFile(const std::string& path, LoadContext& context,
                           std::size_t partBytes = kStreamPartBytes);

inline bool LoadIssue(const std::string& path, LoadContext& context, bool interactive) {
    return loadIssueFile(path, context, interactive) == LoadResult::Loaded;
}

}  // namespace nuvella
