#pragma once

#include "FileAccess.h"

#include <QString>

#include <cstddef>
#include <string>
#include <utility>
#include <variant>

namespace vyra::ui {

// Error numbers of a failed document load, the numbers the viewer's messages
// are keyed by. The viewer tells any other number as it stands.
enum FileErrorCode : int {
    kDocumentTooLarge = 7,
    kFileNotFound = 53,
    kDeviceIoError = 57,
    kFileAlreadyExists = 58,
    kDiskFull = 61,
    kTooManyFiles = 67,
    kDeviceUnavailable = 68,
    kPermissionDenied = 70,
    kDiskNotReady = 71,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
    // The bytes were read but are no rich-text document the viewer can show.
    kInvalidFileFormat = 321,
};

struct FileError {
    int code = 0;

    bool operator==(const FileError&) const = default;
};

using DocumentBytes = std::variant<std::string, FileError>;

// Where the explanation documents come from. The program reads them by
// bare name from its working directory; tests hand in their own.
class ExplanationFiles {
public:
    virtual ~ExplanationFiles() = default;

    // The whole content of the document called name, or the error number of
    // the failure. A name without a folder is looked up in the working
    // directory.
    virtual DocumentBytes ReadDocument(const QString& name) const = 0;
};

// The error number of a failed read of the document called name, by the
// table below.
int FileErrorCode(const Failure& failure, const QString& name);

// The documents as files, relative names resolved against the process's
// working directory at the time of each read. Failures map to:
//   53 the file does not exist in an existing folder;
//   76 a folder of the name does not exist, or is not a folder;
//   70 access is refused (EACCES, EPERM);
//   57 the device reports an input/output error (EIO);
//   67 the process or system has too many open files (EMFILE, ENFILE);
//   68 the device behind the name is not there (ENXIO, ENODEV);
//   71 the drive has no medium in it (ENOMEDIUM);
//   61 no space left (ENOSPC) and 58 exists (EEXIST), which a read should
//      never meet, keep their own numbers;
//    7 the file is larger than maxBytes, or memory runs out (ENOMEM, EFBIG,
//      EOVERFLOW);
//   75 the name is a folder or anything but a regular file, the name is too
//      long or loops through links, and every other failure.
// Only regular files are read: a pipe or device of that name would block or
// never end. A bare name the working directory does not have (53) is read
// from the installed folder, when one is given; its failure there is the
// same 53.
class WorkingDirectoryFiles final : public ExplanationFiles {
public:
    // The largest document read, in bytes: the rich-text reader refuses
    // anything larger anyway.
    static constexpr std::size_t kMaxDocumentBytes = 64u * 1024u * 1024u;

    explicit WorkingDirectoryFiles(std::size_t maxBytes = kMaxDocumentBytes, QString installedFolder = {})
        : m_maxBytes(maxBytes), m_installedFolder(std::move(installedFolder))
    {
    }

    DocumentBytes ReadDocument(const QString& name) const override;

private:
    DocumentBytes ReadFile(const QString& path) const;

    std::size_t m_maxBytes;
    QString m_installedFolder;
};

// The documents folder of an installed program: share/vyrasensorselector
// beside the folder of the running program's binary.
QString InstalledDocumentsFolder();

}  // namespace vyra::ui
