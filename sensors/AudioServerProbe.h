#pragma once

#include <QString>

namespace zyne {

// Asks whether a PulseAudio protocol server (PulseAudio or PipeWire's pulse server) answers,
// waiting at most timeoutMs and never starting one. *server gets the server's address on success,
// the reason on failure.
bool audioServerAnswers(int timeoutMs, QString* server);

} // namespace zyne
