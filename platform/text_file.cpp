#include "platform/text_file.h"

#include <filesystem>
#include <system_error>

#include "platform/run_time_error.h"

namespace quorvane {

TextFile::TextFile(const std::string& path, Decoder decode) : path_(path), decode_(std::move(decode))
{
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) {
        throw RunTimeError(kFileNotFound, path);
    }
    if (error || std::filesystem::is_directory(status)) {
        throw RunTimeError(kPathFileAccess, path + " is not a readable file");
    }
    stream_.open(path, std::ios::binary);
    if (!stream_) {
        throw RunTimeError(kPathFileAccess, path + " cannot be opened for reading");
    }
}

bool TextFile::AtEnd()
{
    return stream_.peek() == std::char_traits<char>::eof();
}

Text TextFile::ReadLine()
{
    if (AtEnd()) {
        throw RunTimeError(kInputPastEnd, path_ + " ends after line " + std::to_string(lineNumber_));
    }
    std::string bytes;
    std::getline(stream_, bytes, '\n');
    if (stream_.bad()) {
        throw RunTimeError(kPathFileAccess, path_ + " cannot be read after line " + std::to_string(lineNumber_));
    }
    if (!bytes.empty() && bytes.back() == '\r') {
        bytes.pop_back();
    }
    ++lineNumber_;
    return decode_(bytes, path_ + ", line " + std::to_string(lineNumber_));
}

}  // namespace quorvane
