#pragma once

#include <QFile>
#include <QString>

#include <string>
#include <utility>

namespace kelvora {

// A file name as the bytes the system is given. A command line's name is
// kept byte for byte, even where it is not valid UTF-8; a name from a Qt
// dialog is encoded the way Qt opens files.
struct FilePath {
    FilePath(std::string nativeBytes)
        : bytes(std::move(nativeBytes))
    {
    }
    FilePath(const QString& path)
        : bytes(QFile::encodeName(path).toStdString())
    {
    }

    std::string bytes;
};

}  // namespace kelvora
