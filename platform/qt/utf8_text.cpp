#include "platform/qt/utf8_text.h"

#include <QList>
#include <QStringDecoder>

#include "platform/run_time_error.h"

namespace quorvane {

Text DecodeUtf8(std::string_view bytes, const std::string& where)
{
    // A byte-order mark stays a character: lines are taken whole.
    QStringDecoder decoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom);
    const QString text = decoder.decode(QByteArrayView(bytes.data(), static_cast<qsizetype>(bytes.size())));
    if (decoder.hasError()) {
        throw RunTimeError(kInvalidCall, where + " is not valid UTF-8 text");
    }
    const QList<uint> codePoints = text.toUcs4();
    return Text(codePoints.begin(), codePoints.end());
}

}  // namespace quorvane
