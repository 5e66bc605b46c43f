#pragma once

#include <QByteArray>
#include <QString>

// Every file the program writes goes through here: the content is written to a
// temporary file beside the target and renamed over it only when complete, so
// a crash or a full disk leaves either the old or the new file, never half of one.
namespace AtomicFile {

// Writes data to path. Returns false and fills *error (when given) on failure;
// the previous file is then untouched.
bool Write(const QString& path, const QByteArray& data, QString* error = nullptr);

}  // namespace AtomicFile
