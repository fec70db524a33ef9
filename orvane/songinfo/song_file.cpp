#include "song_file.h"

#include "file_song_stream.h"
#include "song_scan.h"
#include "system_path.h"

#include <filesystem>
#include <system_error>

namespace orvane {

std::int32_t ReadMpegInfo(TSongStream& stream, TMpegInfo* info)
{
    const TSongScan scan = ScanSong(stream);
    if (!scan.hasHeader) return 0;
    if (info != nullptr) *info = scan.info;
    return scan.seconds;
}

std::int32_t ReadMpegInfo(const std::string& fileName, TMpegInfo* info)
{
    TFileSongStream stream(fileName, TFileSongStream::TMode::Read);
    if (!stream.IsOpen()) return 0;
    return ReadMpegInfo(stream, info);
}

bool ReadTag(TSongStream& stream, TTagBytes& record)
{
    const auto size = stream.Size();
    if (!size || *size < record.size()) return false;
    TTagBytes bytes{};
    if (stream.ReadAt(*size - bytes.size(), bytes) != bytes.size()) return false;
    record = bytes;
    return HasTagMarker(bytes);
}

bool ReadTag(const std::string& fileName, TTagBytes& record)
{
    TFileSongStream stream(fileName, TFileSongStream::TMode::Read);
    return stream.IsOpen() && ReadTag(stream, record);
}

TWriteTagOutcome WriteTag(TSongStream& stream, const TTagBytes& record)
{
    const auto size = stream.Size();
    if (!size) return {TWriteTagResult::Failed, "the file size cannot be read"};
    std::uint64_t at = *size;
    TTagBytes old{};
    if (*size >= old.size()) {
        if (stream.ReadAt(*size - old.size(), old) != old.size()) {
            return {TWriteTagResult::Failed, "the end of the file cannot be read"};
        }
        if (HasTagMarker(old)) at = *size - old.size();
    }
    if (stream.WriteAt(at, record)) return {TWriteTagResult::Written, {}};
    // Put back what was there: the old tag, or the file's old length.
    if (at == *size) {
        stream.Truncate(*size);
    } else {
        stream.WriteAt(at, old);
    }
    return {TWriteTagResult::Failed, "the tag cannot be written"};
}

TWriteTagOutcome WriteTag(const std::string& fileName, const TTagBytes& record)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(SystemPath(fileName), error)) {
        return {TWriteTagResult::NotWritable,
                "Cannot write the tag of " + fileName + ": the file does not exist"};
    }
    if (IsReadOnlyFile(fileName)) {
        return {TWriteTagResult::NotWritable,
                "Cannot write the tag of " + fileName + ": the file is read-only"};
    }
    TFileSongStream stream(fileName, TFileSongStream::TMode::ReadWrite);
    if (!stream.IsOpen()) {
        return {TWriteTagResult::Failed, "Cannot open " + fileName + ": " + stream.OpenError()};
    }
    TWriteTagOutcome outcome = WriteTag(stream, record);
    if (!stream.Close() && outcome.result == TWriteTagResult::Written) {
        outcome = {TWriteTagResult::Failed, "the tag cannot be written"};
    }
    if (outcome.result == TWriteTagResult::Failed && outcome.error.find(fileName) == std::string::npos) {
        outcome.error = "Cannot write the tag of " + fileName + ": " + outcome.error;
    }
    return outcome;
}

TSongFileInfo ReadSongFileInfo(TSongStream& stream)
{
    TSongFileInfo result;
    const TSongScan scan = ScanSong(stream);
    if (!scan.readable) {
        result.error = "the file size cannot be read";
        return result;
    }
    result.readable = true;
    if (scan.hasHeader) {
        result.header = scan.info;
        result.seconds = scan.seconds;
    }
    if (scan.hasTrailingTag) result.tag = DecodeTag(scan.trailer);
    return result;
}

TSongFileInfo ReadSongFileInfo(const std::string& fileName)
{
    TFileSongStream stream(fileName, TFileSongStream::TMode::Read);
    if (!stream.IsOpen()) {
        TSongFileInfo result;
        result.error = stream.OpenError();
        return result;
    }
    return ReadSongFileInfo(stream);
}

}  // namespace orvane
