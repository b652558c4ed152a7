// Atomic file replacement on POSIX: a temporary file in the same folder, flushed to disk, then
// renamed over the target (rename is atomic within one file system).
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "platform/files.h"

namespace textorin {

bool replace_file(const std::filesystem::path& path, ByteSpan bytes) {
    std::string temp = path.string() + ".XXXXXX";
    const int fd = mkstemp(temp.data());
    if (fd < 0) return false;
    bool ok = true;
    for (std::size_t done = 0; ok && done < bytes.size();) {
        const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
        ok = n > 0;
        if (ok) done += static_cast<std::size_t>(n);
    }
    // mkstemp makes the file private: the new file takes the old one's permissions instead.
    struct stat old;
    const mode_t mode = stat(path.c_str(), &old) == 0 ? old.st_mode & 07777 : 0644;
    ok = ok && fchmod(fd, mode) == 0 && fsync(fd) == 0;
    ok = close(fd) == 0 && ok;
    ok = ok && rename(temp.c_str(), path.c_str()) == 0;
    if (!ok) unlink(temp.c_str());
    return ok;
}

}  // namespace textorin
