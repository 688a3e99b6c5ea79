#pragma once

#include <QByteArray>
#include <QProcessEnvironment>
#include <QStringList>

#include <optional>
#include <string>

namespace quorvane::e2e {

// Runs a short command in `environment`: its standard output, or nothing
// when it fails or outlasts ten seconds.
std::optional<QByteArray> RunCommand(const QProcessEnvironment& environment, const QStringList& command);
// The same, throwing with the command's standard error when it fails.
QByteArray RunCommandChecked(const QProcessEnvironment& environment, const QStringList& command,
                             const QByteArray& input = {});

// This process's environment without the settings that would take Qt
// elsewhere or pick another language.
QProcessEnvironment NeutralEnvironment();

// A log file's text for a failure report.
std::string FileText(const QString& path);

}  // namespace quorvane::e2e
