#include "platform/qt/utf8_text.h"

#include <QStringDecoder>
#include <algorithm>

#include "platform/run_time_error.h"

namespace quorvane {

Text DecodeUtf8(std::string_view bytes, const std::string& where, size_t keep)
{
    // A line may be megabytes long: ASCII, the usual case, is copied straight
    // into the result, and only the characters kept are converted.
    const auto* first = reinterpret_cast<const unsigned char*>(bytes.data());
    const auto* last = first + bytes.size();
    if (std::all_of(first, last, [](unsigned char byte) { return byte < 0x80; })) {
        return Text(first, first + std::min(bytes.size(), keep));
    }
    // A byte-order mark stays a character: lines are taken whole.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError()) {
        throw RunTimeError(kInvalidCall, where + " is not valid UTF-8 text");
    }
    // Valid UTF-8 decodes to no lone surrogate.
    Text result;
    result.reserve(std::min(static_cast<size_t>(text.size()), keep));
    for (qsizetype i = 0; i < text.size() && result.size() < keep; ++i) {
        const QChar unit = text.at(i);
        if (unit.isHighSurrogate() && i + 1 < text.size()) {
            result.push_back(QChar::surrogateToUcs4(unit, text.at(++i)));
        } else {
            result.push_back(unit.unicode());
        }
    }
    return result;
}

}  // namespace quorvane
