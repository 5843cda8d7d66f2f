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
};

} // namespace quillabe
