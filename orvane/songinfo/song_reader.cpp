#include "song_reader.h"

#include "file_song_stream.h"

namespace orvane {

std::unique_ptr<TSongStream> OpenSongForReading(const std::string& fileName) {
    auto stream = std::make_unique<TFileSongStream>(fileName, TFileSongStream::TMode::Read);
    if (!stream->IsOpen())
        return nullptr;
    return stream;
}

}  // namespace orvane
