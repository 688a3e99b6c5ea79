#include "platform/text_file.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "platform/run_time_error.h"

namespace quorvane {

namespace {

// The line buffer starts as large as the file, up to this.
constexpr std::uintmax_t kLineBufferLimit = 64 * 1024 * 1024;

}  // namespace

TextFile::TextFile(const std::string& path, Decoder decode) : path_(path), decode_(std::move(decode))
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        throw RunTimeError(kFileNotFound, path);
    }
    // Opening a named pipe or a device could wait for ever or never end.
    if (error || !std::filesystem::is_regular_file(status)) {
        throw RunTimeError(kPathFileAccess, path + " is not a readable file");
    }
    stream_.open(path, std::ios::binary);
    if (!stream_) {
        throw RunTimeError(kPathFileAccess, path + " cannot be opened for reading");
    }
    const auto size = std::filesystem::file_size(path, error);
    if (!error) {
        bytes_.reserve(static_cast<size_t>(std::min(size, kLineBufferLimit)));
    }
}

bool TextFile::AtEnd()
{
    const bool atEnd = stream_.peek() == std::char_traits<char>::eof();
    // A failing read is no end of file.
    if (stream_.bad()) {
        throw RunTimeError(kPathFileAccess, path_ + " cannot be read after line " + std::to_string(lineNumber_));
    }
    return atEnd;
}

Text TextFile::ReadLine(size_t keep)
{
    if (AtEnd()) {
        throw RunTimeError(kInputPastEnd, path_ + " ends after line " + std::to_string(lineNumber_));
    }
    std::getline(stream_, bytes_, '\n');
    if (stream_.bad()) {
        throw RunTimeError(kPathFileAccess, path_ + " cannot be read after line " + std::to_string(lineNumber_));
    }
    if (!bytes_.empty() && bytes_.back() == '\r') {
        bytes_.pop_back();
    }
    ++lineNumber_;
    return decode_(bytes_, path_ + ", line " + std::to_string(lineNumber_), keep);
}

}  // namespace quorvane
