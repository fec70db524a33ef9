// Writes RIFF files chunk by chunk: a chunk is created with a zero size, and
// its size is filled in (and an odd size padded) when it is ascended out of.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "binary_file.h"

namespace brevant {

class WaveFileWriter {
public:
    // Creates (or replaces) the file.
    bool create(const std::string& path);
    bool isOpen() const { return file_.isOpen(); }
    // Opens a "RIFF" chunk holding the form type `form` ("WAVE").
    bool createRiff(std::string_view form);
    bool createChunk(std::string_view id);
    // Appends to the innermost open chunk. Fails when the chunk sizes would no
    // longer fit their 32-bit fields.
    bool write(const void* src, std::size_t n);
    // Closes the innermost open chunk: writes its size and pads it to even length.
    bool ascend();
    bool flush() { return file_.flush(); }
    // Closes the file as it stands; open chunks keep the sizes written so far.
    bool close();
    std::size_t openChunks() const { return starts_.size(); }

private:
    bool header(std::string_view id);

    BinaryFile file_;
    std::vector<std::int64_t> starts_;  // offsets of the open chunks' headers
    std::int64_t end_ = 0;
};

}  // namespace brevant
