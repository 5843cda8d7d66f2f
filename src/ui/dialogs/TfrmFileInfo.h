#pragma once
// The File Information window: the media library's full report of one file in a read-only,
// fixed-pitch memo, with OK and "Save File Info..." centred in a bottom panel.

#include <QDialog>

#include <string>
#include <vector>

class QPlainTextEdit;
class QPushButton;
class QWidget;

namespace quillabe {

class TfrmFileInfo : public QDialog {
    Q_OBJECT
public:
    explicit TfrmFileInfo(QWidget* parent = nullptr);

    // Copies the current message texts into the window, then centres the buttons.
    void ApplyLanguage();
    // Fills the memo with the report of the file; does nothing when no file exists there.
    void ShowFileInfo(const std::string& path);
    // Places OK and Save as one group in the middle of the bottom panel.
    void CenterButtons();
    // Writes the report, one line per memo line, to the file; a failure is told to the user
    // and gives false.
    bool SaveFileInfo(const std::string& path);

    // The report's lines as the library gave them (the memo shows them as text).
    const std::vector<std::string>& ReportLines() const { return lines_; }
    QPlainTextEdit* Memo() const { return memo_; }
    QPushButton* OkButton() const { return btnOK_; }
    QPushButton* SaveButton() const { return btnSave_; }
    QWidget* BottomPanel() const { return panel_; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void btnSaveClick();

    QPlainTextEdit* memo_;
    QWidget* panel_;
    QPushButton* btnOK_;
    QPushButton* btnSave_;
    QString saveFilter_;
    QString defaultFileName_;
    std::vector<std::string> lines_;
};

// Opens the File Information window of the file, centred over `parent`, and shows it modally;
// does nothing when no file exists under the path (it was deleted after it was listed).
void ShowFileInformation(const std::string& path, QWidget* parent);

} // namespace quillabe
