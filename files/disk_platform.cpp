#include "files/disk_platform.h"

namespace quorvane {
namespace {

DiskPlatform* installedPlatform = nullptr;

}  // namespace

DiskPlatform& CurrentDiskPlatform() {
    return installedPlatform ? *installedPlatform : SystemDiskPlatform();
}

void SetDiskPlatformForTesting(DiskPlatform* platform) {
    installedPlatform = platform;
}

}  // namespace quorvane
