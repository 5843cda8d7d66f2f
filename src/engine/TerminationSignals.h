#pragma once
// SIGTERM and SIGINT delivered to the event loop: the handler runs on the main thread, where it may
// close windows or stop a batch like the user does.

#include <QObject>

#include <functional>

namespace quillabe {

class TerminationSignals : public QObject {
    Q_OBJECT
public:
    // Installs the signal handlers; one instance at a time.
    explicit TerminationSignals(std::function<void(int signal)> handler, QObject* parent = nullptr);
    ~TerminationSignals() override;
    // The last signal received, 0 if none.
    int Received() const { return received_; }

private:
    std::function<void(int)> handler_;
    int received_ = 0;
};

} // namespace quillabe
