#pragma once

#include <QFile>
#include <QList>
#include <QRect>
#include <QString>

#include <stdexcept>
#include <string>

#include "x_session.h"

namespace quorvane::e2e {

inline const QRect kSmallMonitor{0, 0, 1024, 768};
inline const QRect kLargeMonitor{1024, 0, 1280, 1024};

// A 1024 x 768 monitor left of a 1280 x 1024 one; `primary` 0 is the left one.
inline MonitorLayout SideBySide(size_t primary = 0)
{
    return MonitorLayout{{kSmallMonitor, kLargeMonitor}, primary};
}

// Language numbers: the order of the blocks of the text catalogue.
enum class Language { Japanese = 1, English = 2, Deutsch = 3 };

// The title of a step as the dialog shows it: the step's title line in the
// language's block of the sample catalogue, cut or padded with blanks to
// exactly 30 characters, as UTF-8.
inline std::string StepTitle(int step, Language language = Language::English)
{
    constexpr int kBlockLines = 74;
    constexpr int kTitleLength = 30;
    QFile file(QUORVANE_DATA_DIR "/LcdTFile.txt");
    if (!file.open(QIODevice::ReadOnly)) {
        throw std::runtime_error("cannot read " + file.fileName().toStdString());
    }
    const QList<QByteArray> lines = file.readAll().split('\n');
    const qsizetype index = (static_cast<int>(language) - 1) * kBlockLines + 11 + 8 * (step - 1);
    if (index >= lines.size()) {
        throw std::runtime_error("the sample catalogue has no line " + std::to_string(index + 1));
    }
    QList<uint> characters = QString::fromUtf8(lines[index]).remove('\r').toUcs4();
    characters.resize(kTitleLength, U' ');
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(characters.data()), kTitleLength).toStdString();
}

}  // namespace quorvane::e2e
