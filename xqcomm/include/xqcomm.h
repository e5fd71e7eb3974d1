/*
 * xqcomm: talks to the USB interface chip (vendor 0xC216) of the AWT controller.
 *
 * A chip presents itself as a HID interface ("xq_hid<n>"), a CD-ROM drive ("xq_cdrom<d>") or a
 * removable disk ("xq_udisk<d>"). XQ_Open returns a handle; every other call takes it. Handles are
 * 32-bit keys into the library's table of open devices: 0 and -1 are never valid.
 *
 * Reply buffers: XQ_Comm, XQ_GetDevSn and HID_Ctrl_Comm take a reply buffer without its size.
 * Every such buffer must hold XQ_MAX_REPLY_LEN bytes. The library never writes more than that:
 * a reply that would not fit ends the exchange with XQ_STATUS_REPLY_TOO_LONG.
 *
 * Calls on one handle are serialised, so threads may share a handle. XQ_Close waits for a call
 * in progress on the handle to finish.
 */
#ifndef XQCOMM_H
#define XQCOMM_H

#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

#if defined(XQCOMM_BUILDING)
#define XQCOMM_API __attribute__((visibility("default")))
#else
#define XQCOMM_API
#endif

typedef int32_t XQ_HANDLE;
#define XQ_INVALID_HANDLE ((XQ_HANDLE)-1)

/* Most bytes written to any reply buffer: payload plus the 2-byte status word. */
#define XQ_MAX_REPLY_LEN 1024

/* Status words. Other values are the chip's own status word.
   A chip may answer any 16-bit status word, these values included, so the value alone does not
   say who answered. XQ_Comm, XQ_GetDevSn and HID_Ctrl_Comm therefore leave a chip's status word
   where it arrived, right after the payload in the reply buffer (high byte first), and on one of
   the library's own codes they set the length to 0 and the buffer's first two bytes to 0. Every
   library code has a non-zero high byte, so XQ_IsChipStatus below tells the two apart. */
#define XQ_STATUS_OK 0x0001u
#define XQ_STATUS_BAD_HANDLE 0xFFFFu     /* bad handle or argument, or no usable report length */
#define XQ_STATUS_SEND_FAILED 0xFFF4u    /* a feature report could not be sent */
#define XQ_STATUS_READ_FAILED 0xFFF3u    /* a feature report could not be read (device gone) */
#define XQ_STATUS_BAD_CHUNK 0xFFF6u      /* a reply chunk's length byte exceeds the chunk */
#define XQ_STATUS_REPLY_TOO_LONG 0xFFF5u /* the reply exceeds XQ_MAX_REPLY_LEN */
#define XQ_STATUS_SHORT_REPLY 0xFFF8u    /* the reply has fewer than 2 bytes */
#define XQ_STATUS_TIMED_OUT 0x6FF0u      /* no final reply chunk within 900 seconds */
#define XQ_STATUS_EMPTY_SERIAL 0xF0E0u   /* XQ_GetDevSn: the chip answered an empty serial number */

/* 1 when status, returned with this payload length and reply buffer, is the chip's own status
   word; 0 when it is one of the library's codes. */
static inline int XQ_IsChipStatus(int status, unsigned int receiveLength, const unsigned char* receiveBuffer) {
    return receiveLength <= XQ_MAX_REPLY_LEN - 2 && receiveBuffer[receiveLength] == ((status >> 8) & 0xFF) &&
           receiveBuffer[receiveLength + 1] == (status & 0xFF);
}

/* Opens "xq_hid<n>" (n from 1, in a stable order of the present chips), "xq_cdrom<d>" or
   "xq_udisk<d>" (d = 1..9). The prefix ignores case. The two integers are not used.
   Returns a handle or XQ_INVALID_HANDLE; a chip HID interface already open is refused. */
XQCOMM_API XQ_HANDLE XQ_Open(const char* deviceName, int reserved1, int reserved2);

/* Returns 0 when the device closed, -1 for a bad handle or a failed close. */
XQCOMM_API int XQ_Close(XQ_HANDLE handle);

/* Sends one command block and receives the reply into receiveBuffer (XQ_MAX_REPLY_LEN bytes).
   *receiveLength gets the payload length without the trailing status word (0 on a library
   error). timeout (0..600, larger counts as 600) is passed to the chip as its wait value.
   Returns the chip's status word or one of the XQ_STATUS_* codes above. HID handles only. */
XQCOMM_API int XQ_Comm(XQ_HANDLE handle, int sendLength, const unsigned char* sendBuffer,
                       unsigned int* receiveLength, unsigned char* receiveBuffer, int timeout);

/* Reads the chip's serial number into serialBuffer (XQ_MAX_REPLY_LEN bytes) and its length into
 *serialLength. Returns XQ_STATUS_OK, XQ_STATUS_EMPTY_SERIAL or the failing status. */
XQCOMM_API int XQ_GetDevSn(XQ_HANDLE handle, unsigned int* serialLength, unsigned char* serialBuffer);

/* The raw exchange behind XQ_Comm with the wait byte given directly. */
XQCOMM_API int HID_Ctrl_Comm(XQ_HANDLE handle, const unsigned char* sendBuffer, unsigned int sendLength,
                             unsigned char* receiveBuffer, unsigned int* receiveLength, int waitValue);

/* Passes one SCSI command to a CD-ROM or disk handle. *senseLength (at most 32) and *dataLength
   (at most 65536) give the buffer sizes and receive the lengths returned; on failure *dataLength
   receives the error number. The logical unit is that of the opened device; the argument is
   accepted for compatibility. Returns 1 on success, 0 on failure. */
XQCOMM_API int BotUdiskTransmit(XQ_HANDLE handle, int logicalUnit, unsigned char* senseLength,
                                unsigned char* senseBuffer, int timeoutSeconds, int cdbLength,
                                const unsigned char* cdb, int dataIn, unsigned int* dataLength,
                                unsigned char* dataBuffer);

#ifdef __cplusplus
}
#endif

#endif
