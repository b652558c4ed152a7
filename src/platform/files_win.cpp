// Atomic file replacement on Windows: a temporary file beside the target, flushed, then moved
// over it with MoveFileExW.
#include <windows.h>

#include "platform/files.h"

namespace textorin {

bool replace_file(const std::filesystem::path& path, ByteSpan bytes) {
    const std::filesystem::path temp = path.wstring() + L".new";
    if (!write_file(temp, bytes)) return false;
    if (!MoveFileExW(temp.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileW(temp.c_str());
        return false;
    }
    return true;
}

}  // namespace textorin
