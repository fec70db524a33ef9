// Set files: the resource header, the object stream and its Items.Data block.
// Whatever a read accepts whole is written again and must read back equal.
#include <cctype>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz_temp_file.h"
#include "set_file_format.h"
#include "set_file_io.h"

using namespace orvane;

namespace {

// Resource names are written upper case (they are matched without regard to case).
TSetFileImage upperName(TSetFileImage image)
{
    for (char& c : image.resourceName) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return image;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const TSetFileReadResult read = ReadSetFile(std::span<const std::uint8_t>(data, size));
    if (!read.ok()) return 0;

    std::size_t cut = 0;
    const auto bytes = WriteSetFile(read.image, &cut);
    FUZZ_CHECK(cut == 0);
    const TSetFileReadResult again = ReadSetFile(bytes);
    FUZZ_CHECK(again.ok());
    FUZZ_CHECK(again.image == upperName(read.image));
    // The loader from disk reads what the image reader reads.
    const auto path = fuzzing::writeScratch("set.ovm", data, size);
    const TSetFileReadResult loaded = LoadSetFile(path);
    FUZZ_CHECK(loaded.ok() && loaded.image == read.image);
    return 0;
}
