#pragma once

#include <fstream>
#include <functional>
#include <string>
#include <string_view>

#include "platform/os_services.h"

namespace quorvane {

// A text file read line by line. Lines end in CR LF or a bare LF; a line end
// after the last line adds no line. Each line is decoded on its own so that a
// decoding error can name the line.
class TextFile final : public TextLines {
public:
    // Decodes all of `bytes`, giving their first `keep` characters.
    using Decoder = std::function<Text(std::string_view bytes, const std::string& where, size_t keep)>;

    // Missing file: error 53; a folder, a pipe, a device or an unreadable
    // file: error 75, as is a read that fails later.
    TextFile(const std::string& path, Decoder decode);

    bool AtEnd() override;
    Text ReadLine(size_t keep = kWholeLine) override;

private:
    std::string path_;
    Decoder decode_;
    std::ifstream stream_;
    // One buffer for every line of the file: a long line is not copied again
    // and again as it grows.
    std::string bytes_;
    long lineNumber_ = 0;
};

}  // namespace quorvane
