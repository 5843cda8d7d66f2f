#include "ui/dialogs/TfrmAbout.h"

#include "base/TextUtils.h"
#include "core/StartupConstants.h"
#include "lang/Messages.h"
#include "ui/dialogs/DialogPlacement.h"
#include "ui/skin/SkinPicture.h"
#include "ui/skin/TSkinImage.h"

#include <QFrame>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>

namespace quillabe {

namespace {

constexpr int kPictureLeft = 8;
constexpr int kPictureTop = 8;
constexpr int kPictureWidth = 125;
constexpr int kPictureHeight = 278;
constexpr int kTextLeft = 148;
constexpr int kTextWidth = TfrmAbout::kWidth - kTextLeft - 8;
constexpr int kHomePageTop = 88;
constexpr int kLinkGap = 16;
constexpr int kWarningWidth = 281;
constexpr int kWarningHeight = 86;
constexpr int kBevelTop = 300;
constexpr std::string_view kMailScheme = "mailto:";

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// A label that opens something when clicked, drawn as a link.
class LinkLabel : public QLabel {
public:
    LinkLabel(QWidget* parent, std::function<void()> onClick)
        : QLabel(parent), onClick_(std::move(onClick)) {
        setTextFormat(Qt::PlainText);
        setCursor(Qt::PointingHandCursor);
        QFont underlined = font();
        underlined.setUnderline(true);
        setFont(underlined);
        QPalette navy = palette();
        navy.setColor(QPalette::WindowText, QColor(0, 0, 128));
        setPalette(navy);
    }

protected:
    void mousePressEvent(QMouseEvent* event) override {
        if (event->button() == Qt::LeftButton)
            event->accept(); // the release comes here, not to the window behind
        else
            QLabel::mousePressEvent(event);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        // Released outside the text, the press is taken back.
        if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
            onClick_();
        QLabel::mouseReleaseEvent(event);
    }

private:
    std::function<void()> onClick_;
};

QLabel* plainLabel(QWidget* parent, const char* name, QRect geometry) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    label->setGeometry(geometry);
    return label;
}

// The support address as the link shows it. A language file may give it with its "mailto:"
// already; the click adds the scheme, so it must not stand twice.
std::string bareAddress(std::string text) {
    text = Trim(text);
    if (SameText(std::string_view(text).substr(0, kMailScheme.size()), kMailScheme))
        text.erase(0, kMailScheme.size());
    return text;
}

} // namespace

TfrmAbout::TfrmAbout(QWidget* parent, const std::string& leftPicture, OpenFunction open)
    : QDialog(parent), open_(std::move(open)), picture_(new TSkinImage(this)) {
    setObjectName("frmAbout");
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setFixedSize(kWidth, kHeight);
    QFont font(QStringLiteral("Tahoma"));
    font.setPointSize(8);
    font.setStyleHint(QFont::SansSerif);
    setFont(font);

    picture_->setObjectName("PanelPicture");
    picture_->SetPicture(SkinPicture::Load(leftPicture));
    picture_->setGeometry(kPictureLeft, kPictureTop, kPictureWidth, kPictureHeight);

    title_ = plainLabel(this, "LabelTitle", {kTextLeft, 14, kTextWidth, 26});
    QFont titleFont = font;
    titleFont.setPointSize(14);
    titleFont.setBold(true);
    title_->setFont(titleFont);
    version_ = plainLabel(this, "LabelVersion", {kTextLeft, 44, kTextWidth, 16});
    copyright_ = plainLabel(this, "LabelCopyright", {kTextLeft, 62, kTextWidth, 16});

    homePage_ = new LinkLabel(this, [this] { open_(HomePageTarget()); });
    homePage_->setObjectName("LabelHomePage");
    support_ = new LinkLabel(this, [this] { open_(SupportTarget()); });
    support_->setObjectName("LabelSupport");

    warning_ = plainLabel(
        this, "LabelWarning",
        {kTextLeft, kPictureTop + kPictureHeight - kWarningHeight, kWarningWidth, kWarningHeight});
    warning_->setWordWrap(true);
    warning_->setAlignment(Qt::AlignLeft | Qt::AlignBottom);
    QPalette grey = warning_->palette();
    grey.setColor(QPalette::WindowText, grey.color(QPalette::PlaceholderText));
    warning_->setPalette(grey);

    bevel_ = new QFrame(this);
    bevel_->setObjectName("Bevel1");
    bevel_->setFrameShape(QFrame::HLine);
    bevel_->setFrameShadow(QFrame::Sunken);
    bevel_->setGeometry(kPictureLeft, kBevelTop, kWidth - 2 * kPictureLeft, 2);

    btnOK_ = new QPushButton(this);
    btnOK_->setObjectName("btnOK");
    btnOK_->setGeometry(352, 312, 80, 24);
    btnOK_->setDefault(true);
    // Never holding the focus, it never draws a focus frame; the window takes Enter and Esc.
    btnOK_->setFocusPolicy(Qt::NoFocus);
    connect(btnOK_, &QPushButton::clicked, this, &QDialog::accept);

    ApplyLanguage();
}

void TfrmAbout::ApplyLanguage() {
    setWindowTitle(qs(Msg(MSG_ABOUT_CAPTIAON)));
    title_->setText(qs(Msg(MSG_APPLICATION_TITLE)));
    version_->setText(qs(Msg(MSG_APPLICATION_VERSION) + " " + ProgramVersion));
    copyright_->setText(qs(Msg(MSG_COPYRIGHT)));
    homePage_->setText(qs(Trim(Msg(MSG_HOMEPAGE))));
    support_->setText(qs(bareAddress(Msg(MSG_SUPPORT_MAIL))));
    warning_->setText(qs(Msg(MSG_COPYRIGHT_WARNING)));
    btnOK_->setText(qs(Msg(MSG_OK)));
    // Links are as wide as their text, so the hand shows over the text only.
    const int linkHeight = homePage_->sizeHint().height();
    for (auto [link, top] :
         {std::pair{homePage_, kHomePageTop}, std::pair{support_, kHomePageTop + kLinkGap}})
        link->setGeometry(kTextLeft, top, std::min(link->sizeHint().width(), kTextWidth),
                          linkHeight);
}

std::string TfrmAbout::HomePageTarget() const {
    return homePage_->text().toStdString();
}

std::string TfrmAbout::SupportTarget() const {
    return std::string(kMailScheme) + support_->text().toStdString();
}

void RunAboutDialog(QWidget* owner, const std::string& leftPicture, TfrmAbout::OpenFunction open) {
    TfrmAbout form(owner, leftPicture, std::move(open));
    CenterOver(form, owner);
    form.exec();
}

} // namespace quillabe
