#include "edit/file_watch.h"

namespace qzt {

void FileWatch::know(const std::string& path, const FileStamp& stamp, std::optional<uint64_t> fingerprint) {
    path_ = path;
    stamp_ = stamp;
    fingerprint_ = fingerprint;
}

bool FileWatch::changed(uint64_t nowMs) {
    if (!due(nowMs)) return false;
    lastCheckMs_ = nowMs;
    const FileStamp stamp = fileStamp(path_.c_str());
    if (stamp == stamp_) return false;
    stamp_ = stamp;
    if (!fingerprint_) return true;
    const std::optional<uint64_t> fingerprint = fileFingerprint(path_.c_str());
    if (fingerprint == fingerprint_) return false;
    fingerprint_ = fingerprint;
    return true;
}

}  // namespace qzt
