#include "ui/main/MediaPanel.h"

#include "lang/Messages.h"
#include "ui/skin/SkinLayout.h"
#include "ui/skin/SkinPalette.h"

#include <QEvent>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollArea>

#include <algorithm>
#include <cstdlib>

namespace quillabe {

namespace {

// Which box shows which field, and the caption beside it, in the probe's field order.
struct FieldPlace {
    std::string TFileItem::*field;
    int box;   // EditBoxN
    int label; // LabelN
    MsgId caption;
};
constexpr std::array<FieldPlace, 16> kFieldPlaces = {{
    {&TFileItem::CompleteName, 1, 8, MSG_COMPLETENAME},
    {&TFileItem::FileSize, 3, 10, MSG_FILESIZE},
    {&TFileItem::Format, 5, 12, MSG_FORMAT},
    {&TFileItem::PlayTime, 2, 9, MSG_PLAYTIME},
    {&TFileItem::AudioCount, 4, 11, MSG_AUDIOCOUNT},
    {&TFileItem::VideoCount, 6, 13, MSG_VIDEOCOUNT},
    {&TFileItem::VideoCodec, 7, 15, MSG_VCODE},
    {&TFileItem::Width, 9, 17, MSG_WIDTH},
    {&TFileItem::Height, 11, 19, MSG_HEIGHT},
    {&TFileItem::VideoBitrate, 8, 16, MSG_VBITRATE},
    {&TFileItem::AspectRatio, 10, 18, MSG_ADPECTRATIO},
    {&TFileItem::FrameRate, 12, 20, MSG_FRAMERATE},
    {&TFileItem::AudioCodec, 13, 22, MSG_ACODEC},
    {&TFileItem::AudioBitrate, 15, 24, MSG_ABITRATE},
    {&TFileItem::Channels, 14, 23, MSG_CHANNELS},
    {&TFileItem::SamplingRate, 16, 25, MSG_SAMPLINGRATE},
}};

constexpr std::array<std::pair<int, MsgId>, 3> kHeadings = {{
    {7, MSG_GENERAL},
    {14, MSG_VIDEO},
    {21, MSG_AUDIO},
}};
constexpr int kLinkLabel = 26;

// Boxes in the left column run up to the right column's captions; those on the right to the
// panel's edge.
constexpr int kLeftBoxWidth = 248;
constexpr int kRightBoxWidth = 200;
constexpr int kBoxHeight = 16;
constexpr int kCornerRadius = 6;

bool isHeading(int label) {
    for (const auto& [n, id] : kHeadings)
        if (n == label)
            return true;
    return false;
}

} // namespace

MediaPanel::MediaPanel(QWidget* parent) : QWidget(parent) {
    setObjectName("ScrollBox");
    scroll_ = new QScrollArea(this);
    scroll_->setFrameShape(QFrame::NoFrame);
    scroll_->setWidgetResizable(false);
    // The panel paints its own rounded face; the scroll area and its content stay see-through.
    scroll_->setAutoFillBackground(false);
    scroll_->viewport()->setAutoFillBackground(false);
    content_ = new QWidget;
    scroll_->setWidget(content_);
    content_->setAutoFillBackground(false); // setWidget turned it on

    for (int n = 7; n <= kSkinLabelCount; ++n) {
        auto* label = new QLabel(content_);
        label->setObjectName(QString("Label%1").arg(n));
        labels_[static_cast<size_t>(n - 7)] = label;
        if (isHeading(n)) {
            QFont bold = label->font();
            bold.setBold(true);
            label->setFont(bold);
        }
    }
    QLabel* link = Label(kLinkLabel);
    QFont underlined = link->font();
    underlined.setUnderline(true);
    link->setFont(underlined);
    link->setCursor(Qt::PointingHandCursor);
    link->installEventFilter(this);

    for (int n = 1; n <= kSkinEditBoxCount; ++n) {
        auto* box = new QLineEdit(content_);
        box->setObjectName(QString("EditBox%1").arg(n));
        box->setReadOnly(true);
        box->setFrame(false);
        box->setFocusPolicy(Qt::ClickFocus); // selectable for copying, skipped by Tab
        box->setTextMargins(0, 0, 0, 0);
        box->setCursorPosition(0);
        boxes_[static_cast<size_t>(n - 1)] = box;
    }
    SetSkinPalette(BuiltInSkin(true));
    ApplySkin(DesignSkinLayout());
    ApplyLanguage();
    ShowItem(nullptr);
}

MediaPanel::~MediaPanel() = default;

void MediaPanel::ApplySkin(const SkinLayout& layout) {
    if (layout_.get() != &layout)
        layout_ = std::make_unique<SkinLayout>(layout);
    const SkinRect& r = layout.ScrollBox;
    setGeometry(r.left, r.top, r.width, r.height);
    scroll_->setGeometry(0, 0, r.width, r.height);
    QRect extent;
    for (int n = 7; n <= kSkinLabelCount; ++n) {
        QLabel* label = Label(n);
        label->adjustSize();
        const SkinPoint& at = layout.Labels[static_cast<size_t>(n - 1)];
        label->move(at.left, at.top);
        extent |= label->geometry();
    }
    for (const FieldPlace& place : kFieldPlaces) {
        const SkinPoint& at = layout.EditBoxes[static_cast<size_t>(place.box - 1)];
        const int right = at.left + (place.box % 2 ? kLeftBoxWidth : kRightBoxWidth);
        // A caption wider than the space the layout leaves it (another font, a longer language)
        // pushes its box to the right instead of being covered by it.
        QLabel* caption = Label(place.label);
        // The caption's text stands on the same line as its value's.
        caption->setFixedHeight(std::max(caption->sizeHint().height(), kBoxHeight));
        caption->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        int left = at.left;
        if (std::abs(caption->y() - at.top) < kBoxHeight && caption->x() < at.left)
            left = std::max(left, caption->geometry().right() + 5);
        EditBox(place.box)->setGeometry(left, at.top, std::max(right - left, 40), kBoxHeight);
        extent |= EditBox(place.box)->geometry();
    }
    // The content reaches as far as its farthest control, so a skin that places them outside the
    // panel gets scroll bars rather than hidden facts.
    content_->resize(extent.right() + 1, extent.bottom() + 1);
}

void MediaPanel::SetSkinPalette(const SkinPalette& palette) {
    panelColor_ = palette.panel;
    for (int n = 7; n <= kSkinLabelCount; ++n) {
        QPalette p = Label(n)->palette();
        QColor color = palette.panelText;
        if (isHeading(n))
            color = palette.panelHeading;
        else if (n == kLinkLabel)
            color = palette.link;
        p.setColor(QPalette::WindowText, color);
        Label(n)->setPalette(p);
    }
    for (QLineEdit* box : boxes_) {
        QPalette p = box->palette();
        p.setColor(QPalette::Base, Qt::transparent);
        p.setColor(QPalette::Text, palette.panelText);
        p.setColor(QPalette::Highlight, palette.selection);
        p.setColor(QPalette::HighlightedText, palette.selectionText);
        box->setPalette(p);
    }
    update();
}

void MediaPanel::ApplyLanguage() {
    for (const auto& [n, id] : kHeadings)
        Label(n)->setText(QString::fromStdString(Msg(id)));
    for (const FieldPlace& place : kFieldPlaces)
        Label(place.label)->setText(QString::fromStdString(Msg(place.caption)));
    Label(kLinkLabel)->setText(QString::fromStdString(Msg(MSG_MOREINFO)));
    for (QLabel* label : labels_)
        label->adjustSize();
    if (layout_)
        ApplySkin(*layout_);
}

void MediaPanel::ShowItem(const TFileItem* item) {
    const std::string placeholder = EmptyToPlaceholder("");
    for (const FieldPlace& place : kFieldPlaces) {
        QLineEdit* box = EditBox(place.box);
        const QString text = QString::fromStdString(item ? item->*place.field : placeholder);
        // The list tells the panel of every change, one per added file: an unchanged box is
        // left alone, or the whole panel would be repainted for every file.
        if (text == box->text() && box->toolTip() == (item ? text : QString()))
            continue;
        box->setText(text);
        box->setToolTip(item ? text : QString());
        box->setCursorPosition(0); // long values show their beginning
    }
}

void MediaPanel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(panelColor_);
    painter.drawRoundedRect(QRectF(rect()), kCornerRadius, kCornerRadius);
}

bool MediaPanel::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Label(kLinkLabel) && event->type() == QEvent::MouseButtonRelease) {
        auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton &&
            Label(kLinkLabel)->rect().contains(mouse->position().toPoint()))
            emit moreInfoClicked();
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

} // namespace quillabe
