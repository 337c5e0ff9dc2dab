#include "failing_disk_platform.h"

#include <algorithm>
#include <iterator>

namespace quorvane {

struct FailingDiskPlatform::State {
    std::vector<RecordedCall> calls;
    std::optional<DiskFault> fault;
    int matched = 0;

    // Whether this call is the armed one; a fault strikes once.
    bool Strikes(DiskCall call, std::int64_t offset = 0, SeekOrigin origin = SeekOrigin::kStart) {
        if (!fault || fault->call != call) {
            return false;
        }
        if (call == DiskCall::kSeek && ((fault->origin && *fault->origin != origin) ||
                                        (fault->offset && *fault->offset != offset))) {
            return false;
        }
        if (++matched != fault->nth) {
            return false;
        }
        return true;
    }
};

namespace {

using State = FailingDiskPlatform::State;

class FailingChannel final : public DiskChannel {
  public:
    FailingChannel(std::unique_ptr<DiskChannel> inner, std::string path,
                   std::shared_ptr<State> state)
        : inner_(std::move(inner)), path_(std::move(path)), state_(std::move(state)) {}

    std::optional<std::int64_t> Seek(std::int64_t offset, SeekOrigin origin) override {
        Record(DiskCall::kSeek, offset, 0, origin);
        if (state_->Strikes(DiskCall::kSeek, offset, origin)) {
            return std::nullopt;
        }
        return inner_->Seek(offset, origin);
    }

    std::optional<std::int32_t> Read(void* buffer, std::int32_t count) override {
        Record(DiskCall::kRead, Here(), count);
        if (state_->Strikes(DiskCall::kRead)) {
            return std::nullopt;
        }
        return inner_->Read(buffer, count);
    }

    std::optional<std::int32_t> Write(const void* data, std::int32_t count) override {
        Record(DiskCall::kWrite, Here(), count);
        if (!state_->Strikes(DiskCall::kWrite)) {
            return inner_->Write(data, count);
        }
        std::optional<std::int32_t> fits = state_->fault->shortWrite;
        if (!fits) {
            return std::nullopt;
        }
        return inner_->Write(data, std::min(*fits, count));
    }

    bool SetEnd() override {
        Record(DiskCall::kSetEnd, Here(), 0);
        return !state_->Strikes(DiskCall::kSetEnd) && inner_->SetEnd();
    }

    bool Flush() override {
        Record(DiskCall::kFlush, Here(), 0);
        return !state_->Strikes(DiskCall::kFlush) && inner_->Flush();
    }

    bool Close() override {
        Record(DiskCall::kClose, -1, 0);
        // The real file is closed either way, as the system closes a handle whose
        // CloseHandle reports a failure.
        bool closed = inner_->Close();
        return !state_->Strikes(DiskCall::kClose) && closed;
    }

  private:
    // Asked of the inner channel, so it is not itself recorded or counted.
    std::int64_t Here() { return inner_->Seek(0, SeekOrigin::kCurrent).value_or(-1); }

    void Record(DiskCall call, std::int64_t at, std::int32_t count,
                SeekOrigin origin = SeekOrigin::kStart) {
        state_->calls.push_back({call, path_, at, count, origin});
    }

    std::unique_ptr<DiskChannel> inner_;
    std::string path_;
    std::shared_ptr<State> state_;
};

}  // namespace

FailingDiskPlatform::FailingDiskPlatform() : state_(std::make_shared<State>()) {
    SetDiskPlatformForTesting(this);
}

FailingDiskPlatform::~FailingDiskPlatform() {
    SetDiskPlatformForTesting(nullptr);
}

void FailingDiskPlatform::Arm(const DiskFault& fault) {
    state_->fault = fault;
    state_->matched = 0;
}

void FailingDiskPlatform::Disarm() {
    state_->fault.reset();
}

bool FailingDiskPlatform::Struck() const {
    return state_->fault && state_->matched >= state_->fault->nth;
}

const std::vector<RecordedCall>& FailingDiskPlatform::Calls() const {
    return state_->calls;
}

std::vector<RecordedCall> FailingDiskPlatform::CallsOf(DiskCall call) const {
    std::vector<RecordedCall> found;
    std::copy_if(state_->calls.begin(), state_->calls.end(), std::back_inserter(found),
                 [call](const RecordedCall& c) { return c.call == call; });
    return found;
}

void FailingDiskPlatform::ClearCalls() {
    state_->calls.clear();
}

std::unique_ptr<DiskChannel> FailingDiskPlatform::Open(std::string_view path, DiskOpenMode mode,
                                                       DiskShareMode share) {
    std::unique_ptr<DiskChannel> inner = SystemDiskPlatform().Open(path, mode, share);
    if (!inner) {
        return nullptr;
    }
    return std::make_unique<FailingChannel>(std::move(inner), std::string(path), state_);
}

bool FailingDiskPlatform::Delete(std::string_view path) {
    return SystemDiskPlatform().Delete(path);
}

}  // namespace quorvane
