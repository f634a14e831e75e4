#pragma once
// A scratch copy of the generated demo card, so tests may change it.

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QString>

namespace spurwerk::testing {

inline bool CopyFolder(const QString& from, const QString& to) {
    QDir source(from);
    if (!source.exists() || !QDir().mkpath(to)) return false;
    QDirIterator it(from, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QString path = it.next();
        QString target = QDir(to).filePath(source.relativeFilePath(path));
        if (it.fileInfo().isDir() ? !QDir().mkpath(target) : !QFile::copy(path, target)) return false;
    }
    return true;
}

}  // namespace spurwerk::testing
