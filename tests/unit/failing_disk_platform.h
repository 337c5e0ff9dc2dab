#pragma once
// A disk platform for tests: it passes every call to the real system, records
// the calls the file services make, and can make one chosen call fail or come
// back short, as a full disk or a failing device would. Installing it is scoped:
// the system platform is back when the double goes.

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "files/disk_platform.h"

namespace quorvane {

enum class DiskCall { kSeek, kRead, kWrite, kSetEnd, kFlush, kClose };

struct RecordedCall {
    DiskCall call;
    std::string path;  // of the file the channel was opened on
    // The file's position just before the call; a seek's offset instead.
    std::int64_t at;
    std::int32_t count;  // bytes asked of a read or a write
    SeekOrigin origin;   // of a seek
};

// Which call goes wrong: the nth (from 1) of `call` since the fault was armed,
// counting only seeks from `origin` to `offset` where those are given.
struct DiskFault {
    DiskCall call;
    int nth = 1;
    std::optional<SeekOrigin> origin;
    std::optional<std::int64_t> offset;
    // For a write: the bytes that do reach the file before the device is full.
    // No value makes the call fail outright, touching nothing.
    std::optional<std::int32_t> shortWrite;
};

// The nth call of its kind fails outright.
inline DiskFault Failing(DiskCall call, int nth = 1) {
    DiskFault fault{call, nth, std::nullopt, std::nullopt, std::nullopt};
    return fault;
}
// The first seek from `origin` (to `offset`, where given) fails.
inline DiskFault FailingSeek(SeekOrigin origin, std::optional<std::int64_t> offset = {}) {
    DiskFault fault{DiskCall::kSeek, 1, origin, offset, std::nullopt};
    return fault;
}
// The nth write stops after `fits` bytes, as on a device that has just filled up.
inline DiskFault ShortWrite(std::int32_t fits, int nth = 1) {
    DiskFault fault{DiskCall::kWrite, nth, std::nullopt, std::nullopt, fits};
    return fault;
}

class FailingDiskPlatform final : public DiskPlatform {
  public:
    FailingDiskPlatform();
    FailingDiskPlatform(const FailingDiskPlatform&) = delete;
    FailingDiskPlatform& operator=(const FailingDiskPlatform&) = delete;
    ~FailingDiskPlatform() override;

    // Replaces any earlier fault and restarts its count.
    void Arm(const DiskFault& fault);
    void Disarm();
    // Whether the armed call has been made (and so went wrong).
    bool Struck() const;
    const std::vector<RecordedCall>& Calls() const;
    std::vector<RecordedCall> CallsOf(DiskCall call) const;
    void ClearCalls();

    std::unique_ptr<DiskChannel> Open(std::string_view path, DiskOpenMode mode,
                                      DiskShareMode share) override;
    bool Delete(std::string_view path) override;

    struct State;

  private:
    // Shared with the channels, which may outlive the double when a test forgets to close.
    std::shared_ptr<State> state_;
};

}  // namespace quorvane
