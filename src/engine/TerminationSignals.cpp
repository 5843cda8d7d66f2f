#include "engine/TerminationSignals.h"

#include <QSocketNotifier>

#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace quillabe {

namespace {
int signalPipe[2] = {-1, -1};

void onSignal(int sig) {
    auto byte = static_cast<unsigned char>(sig);
    [[maybe_unused]] ssize_t n = write(signalPipe[1], &byte, 1);
}
} // namespace

TerminationSignals::TerminationSignals(std::function<void(int)> handler, QObject* parent)
    : QObject(parent), handler_(std::move(handler)) {
    if (pipe2(signalPipe, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    auto* notifier = new QSocketNotifier(signalPipe[0], QSocketNotifier::Read, this);
    connect(notifier, &QSocketNotifier::activated, this, [this] {
        unsigned char buf[16];
        ssize_t n = 0;
        while ((n = read(signalPipe[0], buf, sizeof buf)) > 0)
            for (ssize_t i = 0; i < n; ++i) {
                received_ = buf[i];
                if (handler_)
                    handler_(received_);
            }
    });
    struct sigaction sa {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

TerminationSignals::~TerminationSignals() {
    signal(SIGTERM, SIG_DFL);
    signal(SIGINT, SIG_DFL);
    close(signalPipe[0]);
    close(signalPipe[1]);
    signalPipe[0] = signalPipe[1] = -1;
}

} // namespace quillabe
