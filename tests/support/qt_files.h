// Small file helpers for the Qt test programs.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QString>

namespace qz::fakes {

// The whole file, or "<missing>" when it cannot be read.
inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

// Writes the file whole, making its folder first; false when that fails.
inline bool WriteAll(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Puts the build's program folder (qzgrep, qztags, ...) first on PATH.
inline void PutBuildProgramsOnPath() {
    const QByteArray bin = QDir(QCoreApplication::applicationDirPath() + "/../bin").absolutePath().toUtf8();
    qputenv("PATH", bin + ":" + qgetenv("PATH"));
}

}  // namespace qz::fakes
