// What every file implementation must do alike with folders, checked once over the fake and
// once over Wine's real file system: each test program defines MakeFilesContractSubject.
#pragma once

#include "platform/files.h"

#include <memory>

namespace petarino::platform {

class FilesContractSubject {
public:
    virtual ~FilesContractSubject() = default;

    virtual Files& files() = 0;
    // An empty folder of the test's own, ending with its separator; it goes with the subject.
    virtual FilePath Folder() = 0;
};

std::unique_ptr<FilesContractSubject> MakeFilesContractSubject();

} // namespace petarino::platform
