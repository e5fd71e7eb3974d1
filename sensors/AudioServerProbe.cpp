#include "AudioServerProbe.h"

#include <QDeadlineTimer>

#include <pulse/pulseaudio.h>

namespace zyne {

bool audioServerAnswers(int timeoutMs, QString* server) {
    pa_mainloop* loop = pa_mainloop_new();
    pa_context* context = pa_context_new(pa_mainloop_get_api(loop), "vx-zyne-plus-rgb diagnose");
    bool ready = false;
    QString reason = QStringLiteral("no answer within %1 ms").arg(timeoutMs);
    if (pa_context_connect(context, nullptr, PA_CONTEXT_NOAUTOSPAWN, nullptr) >= 0) {
        const QDeadlineTimer deadline(timeoutMs);
        while (!deadline.hasExpired()) {
            const pa_context_state_t state = pa_context_get_state(context);
            if (state == PA_CONTEXT_READY) {
                ready = true;
                break;
            }
            if (!PA_CONTEXT_IS_GOOD(state)) {
                reason = QString::fromUtf8(pa_strerror(pa_context_errno(context)));
                break;
            }
            // Bounded wait: at most 10 ms per turn, so the deadline holds.
            pa_mainloop_prepare(loop, 10000);
            pa_mainloop_poll(loop);
            pa_mainloop_dispatch(loop);
        }
    } else {
        reason = QString::fromUtf8(pa_strerror(pa_context_errno(context)));
    }
    if (server)
        *server = ready ? QString::fromUtf8(pa_context_get_server(context)) : reason;
    pa_context_disconnect(context);
    pa_context_unref(context);
    pa_mainloop_free(loop);
    return ready;
}

} // namespace zyne
