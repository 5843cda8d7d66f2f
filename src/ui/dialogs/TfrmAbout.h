#pragma once
// The About window: the skin's tall picture on the left; to its right the product's title,
// version and maker, the home page and the support address as links, and the legal notice; OK
// below a separator line. OK never takes the focus, so it never shows a focus frame; Enter and
// Esc close the window all the same.

#include <QDialog>

#include <functional>
#include <string>

class QFrame;
class QLabel;
class QPushButton;

namespace quillabe {

class TSkinImage;

class TfrmAbout : public QDialog {
    Q_OBJECT
public:
    static constexpr int kWidth = 441;
    static constexpr int kHeight = 344;

    using OpenFunction = std::function<void(const std::string& target)>;

    // `leftPicture`: the full path of the skin's picture, empty for none. `open` opens what a
    // link names (an address, or "mailto:" and the support address).
    TfrmAbout(QWidget* parent, const std::string& leftPicture, OpenFunction open);

    void ApplyLanguage();
    // What a click on each link opens.
    std::string HomePageTarget() const;
    std::string SupportTarget() const;

    TSkinImage* PanelPicture() const { return picture_; }
    QLabel* LabelTitle() const { return title_; }
    QLabel* LabelVersion() const { return version_; }
    QLabel* LabelCopyright() const { return copyright_; }
    QLabel* LabelHomePage() const { return homePage_; }
    QLabel* LabelSupport() const { return support_; }
    QLabel* LabelWarning() const { return warning_; }
    QFrame* Bevel() const { return bevel_; }
    QPushButton* BtnOK() const { return btnOK_; }

private:
    OpenFunction open_;
    TSkinImage* picture_;
    QLabel* title_;
    QLabel* version_;
    QLabel* copyright_;
    QLabel* homePage_;
    QLabel* support_;
    QLabel* warning_;
    QFrame* bevel_;
    QPushButton* btnOK_;
};

// The About command: the window centred over the owner's window, shown modally and destroyed
// when it closes.
void RunAboutDialog(QWidget* owner, const std::string& leftPicture, TfrmAbout::OpenFunction open);

} // namespace quillabe
