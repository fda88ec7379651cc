#include "store/KeptCopy.h"

#include "store/AtomicFile.h"

std::string KeepOtherVersion(const std::string& path, const std::string& bytes) {
    for (int attempt = 1; attempt < 100; ++attempt) {
        const std::string name = path + ".其他程序的版本." + std::to_string(attempt);
        std::string existing;
        if (AtomicFile::read(name, 1, existing) != FileRead::Missing) continue;
        return AtomicFile::write(name, bytes) == FileWrite::Written ? name : std::string();
    }
    return {};
}
