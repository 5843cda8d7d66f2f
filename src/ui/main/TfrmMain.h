#pragma once
// The main window.

#include <QWidget>

namespace quillabe {

class TfrmMain : public QWidget {
    Q_OBJECT
public:
    explicit TfrmMain(QWidget* parent = nullptr);

    // False when the creation handler ended the program (a message was shown); the caller quits.
    bool Created() const { return created_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void FormCreate();
    bool ApplyLanguage();
    void CenterOnScreen();

    bool created_ = false;
    bool closing_ = false;
};

} // namespace quillabe
