#include "song_file.h"

#include "file_song_stream.h"
#include "song_reader.h"
#include "song_scan.h"
#include "system_path.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace orvane {

std::int32_t ReadMpegInfo(TSongStream& stream, TMpegInfo* info) {
    const TSongScan scan = ScanSong(stream);
    if (!scan.hasHeader)
        return 0;
    if (info != nullptr)
        *info = scan.info;
    return scan.seconds;
}

std::int32_t ReadMpegInfo(const std::string& fileName, TMpegInfo* info) {
    const std::unique_ptr<TSongStream> stream = OpenSongForReading(fileName);
    if (stream == nullptr)
        return 0;
    return ReadMpegInfo(*stream, info);
}

bool ReadTag(TSongStream& stream, TTagBytes& record) {
    const auto size = stream.Size();
    if (!size || *size < record.size())
        return false;
    TTagBytes bytes{};
    if (stream.ReadAt(*size - bytes.size(), bytes) != bytes.size())
        return false;
    record = bytes;
    return HasTagMarker(bytes);
}

bool ReadTag(const std::string& fileName, TTagBytes& record) {
    TFileSongStream stream(fileName, TFileSongStream::TMode::Read);
    return stream.IsOpen() && ReadTag(stream, record);
}

TWriteTagOutcome WriteTag(TSongStream& stream, const TTagBytes& record) {
    const auto size = stream.Size();
    if (!size)
        return {TWriteTagResult::Failed, "the file size cannot be read"};
    std::uint64_t at = *size;
    TTagBytes old{};
    if (*size >= old.size()) {
        if (stream.ReadAt(*size - old.size(), old) != old.size()) {
            return {TWriteTagResult::Failed, "the end of the file cannot be read"};
        }
        if (HasTagMarker(old))
            at = *size - old.size();
    }
    if (stream.WriteAt(at, record))
        return {TWriteTagResult::Written, {}};
    // Put back what was there: the old tag, or the file's old length.
    if (at == *size) {
        stream.Truncate(*size);
    } else {
        stream.WriteAt(at, old);
    }
    return {TWriteTagResult::Failed, "the tag cannot be written"};
}

TWriteTagOutcome WriteTag(const std::string& fileName, const TTagBytes& record) {
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
    if (outcome.result == TWriteTagResult::Failed &&
        outcome.error.find(fileName) == std::string::npos) {
        outcome.error = "Cannot write the tag of " + fileName + ": " + outcome.error;
    }
    return outcome;
}

TSongFileInfo ReadSongFileInfo(TSongStream& stream, TTagTextCodec& codec) {
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
    if (scan.hasTrailingTag)
        result.tag = DecodeTag(scan.trailer);
    if (!scan.leadingTag.empty()) {
        result.id3v2 = ParseId3v2Tag(scan.leadingTag, codec);
    } else if (scan.leadingTagLength > 0) {
        result.id3v2 = ReadId3v2Tag(stream, codec);
    }
    return result;
}

TSongFileInfo ReadSongFileInfo(const std::string& fileName, TTagTextCodec& codec) {
    TFileSongStream stream(fileName, TFileSongStream::TMode::Read);
    if (!stream.IsOpen()) {
        TSongFileInfo result;
        result.error = stream.OpenError();
        return result;
    }
    return ReadSongFileInfo(stream, codec);
}

namespace {

constexpr std::uint64_t kLargestTag = 64u << 20;

std::optional<std::vector<std::uint8_t>> ReadTagBytes(TSongStream& stream) {
    std::vector<std::uint8_t> head(10);
    if (stream.ReadAt(0, head) != head.size())
        return std::nullopt;
    const std::uint64_t length = Id3v2TagLength(head);
    if (length == 0 || length > kLargestTag)
        return std::nullopt;
    head.resize(static_cast<std::size_t>(length));
    if (stream.ReadAt(0, head) != head.size())
        return std::nullopt;
    return head;
}

// The new tag, then every byte of the old file after the old tag, into a file beside it.
bool RewriteBeside(const std::string& fileName, TFileSongStream& old, std::uint64_t oldTagLength,
                   const std::vector<std::uint8_t>& tag, std::string& error) {
    const std::string temp = fileName + ".tmp~";
    std::FILE* out = std::fopen(temp.c_str(), "wb");
    if (out == nullptr) {
        error = "Cannot write the tag of " + fileName + ": a file cannot be made beside it";
        return false;
    }
    // Every byte up to the size found first must be copied: a read that fails on the way
    // stops the rewrite instead of cutting the audio short.
    const auto size = old.Size();
    bool ok = size && std::fwrite(tag.data(), 1, tag.size(), out) == tag.size();
    std::vector<std::uint8_t> block(1u << 20);
    for (std::uint64_t at = oldTagLength; ok && at < *size;) {
        const std::size_t got = old.ReadAt(at, block);
        ok = got > 0 && std::fwrite(block.data(), 1, got, out) == got;
        at += got;
    }
    ok = ok && std::fflush(out) == 0;
    // Windows renames nothing over a file that is still open.
    ok = old.Close() && ok;
    ok = std::fclose(out) == 0 && ok;
    std::error_code failed;
    if (ok) {
        std::filesystem::rename(SystemPath(temp), SystemPath(fileName), failed);
    }
    if (!ok || failed) {
        std::filesystem::remove(SystemPath(temp), failed);
        error = "Cannot write the tag of " + fileName + ": the file cannot be rewritten";
        return false;
    }
    return true;
}

}  // namespace

std::optional<TId3v2Tag> ReadId3v2Tag(TSongStream& stream, TTagTextCodec& codec) {
    const auto bytes = ReadTagBytes(stream);
    return bytes ? ParseId3v2Tag(*bytes, codec) : std::nullopt;
}

TWriteTagOutcome WriteId3v2Values(const std::string& fileName, const TTagRecord& values,
                                  TTagTextCodec& codec) {
    TFileSongStream stream(fileName, TFileSongStream::TMode::ReadWrite);
    if (!stream.IsOpen())
        return {TWriteTagResult::Failed, "Cannot open " + fileName + ": " + stream.OpenError()};
    const auto bytes = ReadTagBytes(stream);
    const auto tag = bytes ? ParseId3v2Tag(*bytes, codec) : std::nullopt;
    if (!tag || tag->tagLength != bytes->size())
        return {TWriteTagResult::Written, {}};  // none to keep in step
    const std::vector<std::uint8_t> rendered = RenderId3v2Tag(*tag, values, codec, tag->tagLength);
    if (rendered.size() == tag->tagLength) {
        if (stream.WriteAt(0, rendered) && stream.Close())
            return {TWriteTagResult::Written, {}};
        stream.WriteAt(0, *bytes);
        return {TWriteTagResult::Failed,
                "Cannot write the tag of " + fileName + ": the tag cannot be written"};
    }
    std::string error;
    if (!RewriteBeside(fileName, stream, tag->tagLength, rendered, error))
        return {TWriteTagResult::Failed, error};
    return {TWriteTagResult::Written, {}};
}

TWriteTagOutcome WriteSongTags(const std::string& fileName, const TTagRecord& values,
                               TTagTextCodec& codec) {
    return WriteSongTags(fileName, values, values, codec);
}

TWriteTagOutcome WriteSongTags(const std::string& fileName, const TTagRecord& id3v1,
                               const TTagRecord& id3v2Values, TTagTextCodec& codec) {
    std::error_code error;
    if (IsReadOnlyFile(fileName) || !std::filesystem::is_regular_file(SystemPath(fileName), error))
        return WriteTag(fileName, EncodeTag(id3v1));  // says which
    const TWriteTagOutcome v2 = WriteId3v2Values(fileName, id3v2Values, codec);
    if (v2.result != TWriteTagResult::Written)
        return v2;
    return WriteTag(fileName, EncodeTag(id3v1));
}

}  // namespace orvane
