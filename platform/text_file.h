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
    using Decoder = std::function<Text(std::string_view bytes, const std::string& where)>;

    // Missing file: error 53; a folder or an unreadable file: error 75.
    TextFile(const std::string& path, Decoder decode);

    bool AtEnd() override;
    Text ReadLine() override;

private:
    std::string path_;
    Decoder decode_;
    std::ifstream stream_;
    long lineNumber_ = 0;
};

}  // namespace quorvane
