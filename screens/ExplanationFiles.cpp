#include "ExplanationFiles.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>

#include <cerrno>
#include <utility>

#include <sys/stat.h>

namespace vyra::ui {

namespace {

// ENOENT says only that some part of the path is missing: the file itself
// when its folder is there, else the folder.
int MissingCode(const QByteArray& path)
{
    const qsizetype slash = path.lastIndexOf('/');
    const QByteArray folder = slash < 0    ? QByteArrayLiteral(".")
                              : slash == 0 ? QByteArrayLiteral("/")
                                           : path.left(slash);
    struct stat status { };
    return ::stat(folder.constData(), &status) == 0 && S_ISDIR(status.st_mode) ? kFileNotFound : kPathNotFound;
}

int ErrorCode(int error, const QByteArray& path)
{
    switch (error) {
    case ENOENT:
        return MissingCode(path);
    case ENOTDIR:
        return kPathNotFound;
    case EACCES:
    case EPERM:
        return kPermissionDenied;
    case EIO:
        return kDeviceIoError;
    case EMFILE:
    case ENFILE:
        return kTooManyFiles;
    case ENXIO:
    case ENODEV:
        return kDeviceUnavailable;
#ifdef ENOMEDIUM
    case ENOMEDIUM:
        return kDiskNotReady;
#endif
    case ENOSPC:
        return kDiskFull;
    case EEXIST:
        return kFileAlreadyExists;
    case ENOMEM:
    case EFBIG:
    case EOVERFLOW:
        return kDocumentTooLarge;
    default:
        return kPathFileAccessError;
    }
}

}  // namespace

int FileErrorCode(const Failure& failure, const QString& name)
{
    switch (failure.kind) {
    case Failure::Kind::NotRegular:
        return kPathFileAccessError;
    case Failure::Kind::TooLarge:
        return kDocumentTooLarge;
    case Failure::Kind::System:
    case Failure::Kind::Other:
        break;
    }
    return ErrorCode(failure.errorNumber, QFile::encodeName(name));
}

DocumentBytes WorkingDirectoryFiles::ReadFile(const QString& path) const
{
    Expected<std::string> read = ReadRegularFile(QFile::encodeName(path).toStdString(), m_maxBytes);
    if (read) {
        return *std::move(read);
    }
    return FileError{FileErrorCode(read.Error(), path)};
}

// A document that is there but cannot be read is reported as it is, never
// replaced by the installed copy.
DocumentBytes WorkingDirectoryFiles::ReadDocument(const QString& name) const
{
    DocumentBytes local = ReadFile(name);
    const bool bareName = !name.contains(QLatin1Char('/'));
    if (local != DocumentBytes(FileError{kFileNotFound}) || !bareName || m_installedFolder.isEmpty()) {
        return local;
    }
    DocumentBytes installed = ReadFile(m_installedFolder + QLatin1Char('/') + name);
    return std::holds_alternative<std::string>(installed) ? installed : local;
}

QString InstalledDocumentsFolder()
{
    return QCoreApplication::applicationDirPath() + QStringLiteral("/../share/vyrasensorselector");
}

}  // namespace vyra::ui
