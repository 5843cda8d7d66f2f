#pragma once
// The output folder box ("editOutputFileName"): free text naming the folder the batch writes to,
// the folder picker behind its Browse button, and the check that the folder exists or may be
// created before anything is written there.

#include <QObject>

#include <string>

class QLineEdit;
class QWidget;

namespace quillabe {

class OutputFolderBox : public QObject {
    Q_OBJECT
public:
    // Creates the box on the parent window.
    explicit OutputFolderBox(QWidget* parent);

    QLineEdit* Edit() const { return edit_; }
    std::string Text() const;
    void SetText(const std::string& folder);

    // Start-up: the last output folder first, then the user's video folder, or the documents
    // folder when there is no video folder.
    void FillAtStartup();
    // Lets the user pick a folder, starting at the box's text; a chosen folder becomes the last
    // output folder and the box's text. The last output folder is written to the settings file
    // whatever the answer.
    void Browse();
    // True when the box names an existing folder or one the user agrees to create and that could
    // be created; otherwise the user is told why and the answer is false.
    bool CheckOutputFolder() const;

private:
    QLineEdit* edit_;
};

} // namespace quillabe
