#pragma once
// The main window.

#include <QWidget>

#include <memory>

namespace quillabe {

class TRedirector;

class TfrmMain : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);
    ~TfrmMain() override;

    // False when the creation handler ended the program (a message was shown); the caller quits.
    bool Created() const { return created_; }
    // Closes the window for a termination signal. Nobody may be asked anything then: a failure to
    // save the settings goes to stderr instead of a message box, and the program ends.
    void CloseForSignal();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    bool ApplyLanguage();
    void CenterOnScreen();

    // The one process runner; destroying it kills an encoder still running (KillOnDestroy).
    std::unique_ptr<TRedirector> Redirector;
    bool created_ = false;
    bool closing_ = false;
    bool unattended_ = false; // closing for a signal
};

} // namespace quillabe
