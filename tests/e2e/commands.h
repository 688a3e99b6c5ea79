#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

#include <optional>
#include <string>

namespace quorvane::e2e {

// Runs a short command to its end in `environment`: its standard output, or
// nothing when it fails or does not end within ten seconds.
std::optional<QByteArray> RunCommand(const QProcessEnvironment& environment, const QStringList& command,
                                     const QByteArray& input = {});
// The same, throwing with the command's standard error when it fails.
QByteArray RunCommandChecked(const QProcessEnvironment& environment, const QStringList& command,
                             const QByteArray& input = {});

// The environment of the test program without the settings that would take
// Qt elsewhere or pick another language.
QProcessEnvironment NeutralEnvironment();

// A log file's text, for failure reports; empty when it cannot be read.
std::string FileText(const QString& path);

}  // namespace quorvane::e2e
