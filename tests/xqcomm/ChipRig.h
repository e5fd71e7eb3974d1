#pragma once

// A host with the chip model installed as the library's OS layer for one test, and handles that
// close themselves so a failing test leaves nothing open for the next one.

#include "FakeChip.h"
#include "xqcomm.h"

namespace xqcomm::test {

struct ChipRig {
    fake::FakeSystem system;
    ChipRig() { installSystem(&system); }
    ~ChipRig() { installSystem(nullptr); }
    ChipRig(const ChipRig&) = delete;
    ChipRig& operator=(const ChipRig&) = delete;
};

class OpenHandle {
public:
    explicit OpenHandle(const char* name) : handle_(XQ_Open(name, 0, 0)) {}
    ~OpenHandle() { close(); }
    OpenHandle(const OpenHandle&) = delete;
    OpenHandle& operator=(const OpenHandle&) = delete;
    int close() {
        const int result = handle_ == XQ_INVALID_HANDLE ? -1 : XQ_Close(handle_);
        handle_ = XQ_INVALID_HANDLE;
        return result;
    }
    XQ_HANDLE get() const { return handle_; }
    bool isOpen() const { return handle_ != XQ_INVALID_HANDLE; }

private:
    XQ_HANDLE handle_;
};

} // namespace xqcomm::test
