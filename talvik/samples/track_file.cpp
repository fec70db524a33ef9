#include "track_file.h"

#include "file_error.h"
#include "file_names.h"
#include "system_files.h"

namespace talvik {

namespace {
int Seek64(std::FILE* f, std::int64_t offset, int origin) {
#ifdef _WIN32
    return _fseeki64(f, offset, origin);
#else
    return fseeko(f, static_cast<off_t>(offset), origin);
#endif
}
std::int64_t Tell64(std::FILE* f) {
#ifdef _WIN32
    return _ftelli64(f);
#else
    return static_cast<std::int64_t>(ftello(f));
#endif
}
}  // namespace

TrackFile::TrackFile(const std::string& name) : name_(name) {
    CheckNameLength(name);
    file_ = OpenSystemFile(name, "rb");
    if (file_ == nullptr) {
        throw FileError("Cannot open track file " + name);
    }
    // Blocks are read straight into the caller's buffer; a stdio buffer would only copy twice.
    std::setvbuf(file_, nullptr, _IONBF, 0);
    if (Seek64(file_, 0, SEEK_END) != 0 || (size_ = Tell64(file_)) < 0 ||
        Seek64(file_, 0, SEEK_SET) != 0) {
        std::fclose(file_);
        throw FileError("Cannot read track file " + name);
    }
}

TrackFile::~TrackFile() {
    if (file_ != nullptr) {
        std::fclose(file_);
    }
}

void TrackFile::seek(std::int64_t byteOffset) {
    if (Seek64(file_, byteOffset, SEEK_SET) != 0) {
        throw FileError("Cannot seek in track file " + name_);
    }
}

std::size_t TrackFile::read(std::uint8_t* buffer, std::size_t bytes) {
    std::size_t got = std::fread(buffer, 1, bytes, file_);
    if (got < bytes && std::ferror(file_)) {
        throw FileError("Cannot read track file " + name_);
    }
    return got;
}

bool TrackFileExists(const std::string& name) {
    return IsExistingFile(name);
}

}  // namespace talvik
