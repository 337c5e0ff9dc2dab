#pragma once
// OLE for the UI thread, from the first message to the end of the process.

#include <ole2.h>

namespace quorvane {

class OleSession {
  public:
    OleSession() : initialised_(SUCCEEDED(OleInitialize(nullptr))) {}
    ~OleSession() {
        if (initialised_) {
            OleUninitialize();
        }
    }
    OleSession(const OleSession&) = delete;
    OleSession& operator=(const OleSession&) = delete;

  private:
    bool initialised_;
};

}  // namespace quorvane
