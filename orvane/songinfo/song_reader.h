// A song file opened only to be read, in the cheapest way the system offers (play times of a
// thousand files at a time).
#pragma once

#include <memory>
#include <string>

#include "song_stream.h"

namespace orvane {

// Null when the file cannot be opened. Writing to the stream fails.
std::unique_ptr<TSongStream> OpenSongForReading(const std::string& fileName);

}  // namespace orvane
