#include "sample_data.h"

#include <QList>
#include <QString>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace quorvane::e2e {
namespace {

constexpr int kBlockLines = 74;
constexpr int kTitleLength = 30;

const std::filesystem::path kSampleFolder = QUORVANE_DATA_DIR;

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        throw std::runtime_error("cannot read " + path.string());
    }
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// Lines without their CR LF or LF.
std::vector<std::string> Lines(const std::string& bytes)
{
    std::vector<std::string> lines;
    std::istringstream stream(bytes);
    std::string line;
    while (std::getline(stream, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        lines.push_back(line);
    }
    return lines;
}

}  // namespace

std::string StepTitle(Language language, int step)
{
    const auto lines = Lines(FileBytes(kSampleFolder / "LcdTFile.txt"));
    const size_t number = static_cast<size_t>((static_cast<int>(language) - 1) * kBlockLines + 12 + 8 * (step - 1));
    if (lines.size() < number) {
        throw std::runtime_error("the sample catalogue has no line " + std::to_string(number));
    }
    QList<uint> characters = QString::fromStdString(lines[number - 1]).toUcs4();
    characters.resize(kTitleLength, U' ');
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.data()), kTitleLength).toStdString();
}

void CopySampleData(const std::filesystem::path& folder)
{
    for (const char* name : {"LcLCFile.txt", "LcdTFile.txt"}) {
        if (!std::filesystem::is_regular_file(kSampleFolder / name)) {
            throw std::runtime_error("the sample data folder " + kSampleFolder.string() + " has no " + name);
        }
    }
    using std::filesystem::copy_options;
    std::filesystem::copy(kSampleFolder, folder, copy_options::recursive | copy_options::overwrite_existing);
}

void KeepFirstLines(const std::filesystem::path& file, int count)
{
    const std::string bytes = FileBytes(file);
    size_t end = 0;
    for (int line = 0; line < count && end != std::string::npos; ++line) {
        end = bytes.find('\n', end);
        if (end != std::string::npos) {
            ++end;
        }
    }
    std::ofstream(file, std::ios::binary | std::ios::trunc) << bytes.substr(0, end);
}

}  // namespace quorvane::e2e
