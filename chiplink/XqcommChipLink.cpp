#include "XqcommChipLink.h"

#include "xqcomm.h"

static_assert(zyne::kChipReplyCapacity == XQ_MAX_REPLY_LEN, "reply buffers must fit the library's replies");
static_assert(zyne::kNoChipHandle == XQ_INVALID_HANDLE);

namespace zyne {

ChipHandle XqcommChipLink::open(const std::string& deviceName) {
    return XQ_Open(deviceName.c_str(), 0, 0);
}

int XqcommChipLink::close(ChipHandle handle) {
    return XQ_Close(handle);
}

int XqcommChipLink::comm(ChipHandle handle, const unsigned char* frame, int length, unsigned int* replyLength,
                         unsigned char* reply, int timeout) {
    return XQ_Comm(handle, length, frame, replyLength, reply, timeout);
}

} // namespace zyne
