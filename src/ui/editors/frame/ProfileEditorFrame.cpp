#include "ui/editors/frame/ProfileEditorFrame.h"

#include "ui/editors/groups/EditorText.h"
#include "ui/editors/groups/TimeControlGroup.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace quillabe {

namespace {
QGroupBox* group(MsgId title, const char* name, QWidget* content, QWidget* parent) {
    auto* box = new QGroupBox(MsgText(title), parent);
    box->setObjectName(name);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(content);
    layout->addStretch();
    return box;
}

QComboBox* namedList(const char* name) {
    auto* list = new QComboBox;
    list->setObjectName(name);
    list->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    return list;
}

QStackedWidget* codecStack(const char* name, QWidget* parent) {
    auto* stack = new QStackedWidget(parent);
    stack->setObjectName(name);
    // Shown while the codec list holds no valid entry (a damaged profile).
    stack->addWidget(new QWidget(stack));
    return stack;
}

QWidget* pageAround(QStackedWidget* stack, const char* name) {
    auto* page = new QWidget;
    page->setObjectName(name);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(stack);
    return page;
}
} // namespace

TProfileEditorFrame::TProfileEditorFrame(QWidget* owner, MsgId formatCaption, bool hasVideo)
    : TProfileEditor(owner) {
    setWindowTitle(qs(FormatMsg(MSG_PROFILE_EDITOR, {Msg(formatCaption)})));
    setModal(true);

    auto* strip = new QHBoxLayout;
    auto* label = new QLabel(MsgText(MSG_DESCIPTION), this);
    label->setObjectName("labDescription");
    description_ = new QLineEdit(this);
    description_->setObjectName("EditDescription");
    label->setBuddy(description_);
    strip->addWidget(label);
    strip->addWidget(description_, 1);

    pages_ = new QTabWidget(this);
    pages_->setObjectName("PageControlOptions");
    auto* general = buildGeneralPage(hasVideo);
    general->setObjectName("TabSheetGeneral");
    pages_->addTab(general, MsgText(MSG_PROFILE_GENERAL));
    if (hasVideo) {
        videoStack_ = codecStack("PageControlVCodec", this);
        pages_->addTab(pageAround(videoStack_, "TabSheetVideo"), MsgText(MSG_VIDEO_PAGE));
    }
    audioStack_ = codecStack("PageControlACodec", this);
    audioPage_ = pageAround(audioStack_, "TabSheetAudio");
    pages_->addTab(audioPage_, MsgText(MSG_AUDIO_PAGE));

    save_ = new QPushButton(MsgText(MSG_SAVE), this);
    save_->setObjectName("btnSave");
    save_->setDefault(true);
    close_ = new QPushButton(MsgText(MSG_CLOSE), this);
    close_->setObjectName("btnClose");
    close_->setAutoDefault(false);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(save_);
    buttons->addWidget(close_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(strip);
    layout->addWidget(pages_, 1);
    layout->addLayout(buttons);

    connect(save_, &QPushButton::clicked, this, &TProfileEditorFrame::save);
    connect(close_, &QPushButton::clicked, this, &QDialog::reject);
    // Escape closes from anywhere, also from controls that would keep the key for themselves.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    escape->setContext(Qt::WindowShortcut);
    connect(escape, &QShortcut::activated, this, &QDialog::reject);
    pages_->setCurrentIndex(0);
}

QWidget* TProfileEditorFrame::buildGeneralPage(bool hasVideo) {
    auto* page = new QWidget;
    auto* grid = new QGridLayout(page);
    audioCodecs_ = namedList("ComboBoxAudioCodec");
    audioCodecGroup_ = group(MSG_AUDIO_CODEC, "GroupBoxAudioCodec", audioCodecs_, page);
    if (hasVideo) {
        videoCodecs_ = namedList("ComboBoxVideoCodec");
        sameQuality_ = new QCheckBox(MsgText(MSG_SAME_Q_DETAIL));
        sameQuality_->setObjectName("CheckBoxSameQuality");
        disableAudio_ = new QCheckBox(MsgText(MSG_DISABLE_AUDIO_DETAIL));
        disableAudio_->setObjectName("CheckBoxDisableAudio");
        grid->addWidget(group(MSG_VIDEO_CODEC, "GroupBoxVideoCode", videoCodecs_, page), 0, 0);
        grid->addWidget(group(MSG_SAME_Q, "GroupBoxSameQuality", sameQuality_, page), 0, 1);
        grid->addWidget(audioCodecGroup_, 1, 0);
        grid->addWidget(group(MSG_DISABLE_AUDIO, "GroupBoxDisableAudio", disableAudio_, page), 1,
                        1);
        connect(videoCodecs_, &QComboBox::currentIndexChanged, this,
                &TProfileEditorFrame::selectCodecPages);
        connect(disableAudio_, &QCheckBox::toggled, this, &TProfileEditorFrame::applyDisableAudio);
    } else {
        grid->addWidget(audioCodecGroup_, 0, 0, 1, 2);
    }
    connect(audioCodecs_, &QComboBox::currentIndexChanged, this,
            &TProfileEditorFrame::selectCodecPages);
    time_ = new TimeControlGroup(page);
    grid->addWidget(time_, 2, 0, 1, 2);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);
    grid->setRowStretch(3, 1);
    return page;
}

QVBoxLayout* TProfileEditorFrame::AddVideoCodecPage(const QString& entry) {
    return addCodecPage(videoCodecs_, videoStack_, entry);
}

QVBoxLayout* TProfileEditorFrame::AddAudioCodecPage(const QString& entry) {
    return addCodecPage(audioCodecs_, audioStack_, entry);
}

QVBoxLayout* TProfileEditorFrame::addCodecPage(QComboBox* list, QStackedWidget* stack,
                                               const QString& entry) {
    list->addItem(entry);
    auto* page = new QWidget;
    auto* layout = new QVBoxLayout(page);
    auto* heading = new QLabel(qs(FormatMsg(MSG_FORMAT_PROPERTIES, {entry.toStdString()})), page);
    heading->setObjectName("LabelFormatProperties");
    QFont bold = heading->font();
    bold.setBold(true);
    heading->setFont(bold);
    auto* line = new QFrame(page);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    layout->addWidget(heading);
    layout->addWidget(line);
    auto* content = new QVBoxLayout;
    layout->addLayout(content);
    layout->addStretch(1);
    // The blank page stays last, so page i is entry i.
    stack->insertWidget(stack->count() - 1, page);
    selectCodecPages();
    return content;
}

void TProfileEditorFrame::AddPage(QWidget* page, const QString& title) {
    pages_->addTab(page, title);
}

void TProfileEditorFrame::SettingsToControls() {
    LoadBindings(bindings_);
    ApplyRules();
}

void TProfileEditorFrame::ControlsToSettings() {
    StoreBindings(bindings_);
}

void TProfileEditorFrame::ApplyRules() {
    for (const auto& rule : rules_)
        rule();
    selectCodecPages();
    time_->ApplyEnabling();
    applyDisableAudio();
    refreshSizeHints();
}

// Groups added to a codec page after it was first measured leave stale size hints behind: Qt
// stops passing a layout change upwards at a hidden widget (the tabs not in front), so the window
// would open at the General page's size with the other pages squeezed. Re-measuring everything
// before the window is sized and shown keeps every page at least at its own minimum.
void TProfileEditorFrame::refreshSizeHints() {
    for (auto* widget : findChildren<QWidget*>())
        widget->updateGeometry();
    for (auto* layout : findChildren<QLayout*>())
        layout->invalidate();
}

void TProfileEditorFrame::showEvent(QShowEvent* event) {
    ApplyRules();
    TProfileEditor::showEvent(event);
}

void TProfileEditorFrame::selectCodecPages() {
    const auto select = [](QComboBox* list, QStackedWidget* stack) {
        if (!list)
            return;
        const int i = list->currentIndex();
        const int blank = stack->count() - 1;
        stack->setCurrentIndex(i >= 0 && i < blank ? i : blank);
    };
    select(videoCodecs_, videoStack_);
    select(audioCodecs_, audioStack_);
}

void TProfileEditorFrame::applyDisableAudio() {
    if (!disableAudio_)
        return;
    const bool off = disableAudio_->isChecked();
    audioCodecGroup_->setEnabled(!off);
    pages_->setTabVisible(pages_->indexOf(audioPage_), !off);
}

void TProfileEditorFrame::save() {
    // Taking the focus runs the leave rules of the box being edited; an entry whose box did not
    // lose the focus (the window was not active) is finished explicitly.
    save_->setFocus(Qt::OtherFocusReason);
    for (const auto& finish : pending_)
        finish();
    accept();
}

} // namespace quillabe
