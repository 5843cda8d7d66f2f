#include "ui/main/MainLayout.h"

#include "ui/main/MediaPanel.h"
#include "ui/skin/SkinPalette.h"
#include "ui/skin/TImageButton.h"
#include "ui/skin/TSkinImage.h"

#include <QLabel>

namespace quillabe {

namespace {

void place(QWidget* widget, const SkinRect& r) {
    if (widget)
        widget->setGeometry(r.left, r.top, r.width, r.height);
}

void moveUp(QWidget* widget, int by) {
    if (widget)
        widget->move(widget->x(), widget->y() - by);
}

// Labels 3, 4 and 5 caption the boxes to their right and end where their design text ends.
constexpr std::array<int, 3> kRightAlignedLabels = {3, 4, 5};
constexpr std::array<int, 3> kDesignRightEdges = {116, 116, 116};

} // namespace

MainControls CreateMainControls(QWidget* window) {
    MainControls c;
    c.ImageMain = new TSkinImage(window);
    c.ImageMain->setObjectName("ImageMain");
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        auto* button = new TImageButton(window);
        button->setObjectName(QString("ToolbarButton%1").arg(i + 1));
        c.ToolbarButtons[static_cast<size_t>(i)] = button;
    }
    for (int i = 0; i < kToolbarLineCount; ++i) {
        auto* line = new TSkinImage(window);
        line->setObjectName(QString("ToolbarImageLine%1").arg(i + 1));
        line->hide();
        c.ToolbarImageLines[static_cast<size_t>(i)] = line;
    }
    for (int i = 0; i < kMainButtonCount; ++i) {
        auto* button = new TImageButton(window);
        button->setObjectName(QString("MainButton%1").arg(i + 1));
        c.MainButtons[static_cast<size_t>(i)] = button;
    }
    for (int i = 0; i < kSystemButtonCount; ++i) {
        auto* button = new TImageButton(window);
        button->setObjectName(QString("SystemButton%1").arg(i + 1));
        button->SetShowCaption(false);
        c.SystemButtons[static_cast<size_t>(i)] = button;
    }
    // Up, down, add, delete and the profile menu show only their pictures.
    for (int n : {2, 3, 4, 5, 8})
        c.MainButton(n)->SetShowCaption(false);
    for (int i = 0; i < kWindowLabelCount; ++i) {
        auto* label = new QLabel(window);
        label->setObjectName(QString("Label%1").arg(i + 1));
        label->setAttribute(Qt::WA_TranslucentBackground);
        c.Labels[static_cast<size_t>(i)] = label;
    }
    QFont bold = c.Label(1)->font();
    bold.setBold(true);
    c.Label(1)->setFont(bold);
    for (int n : kRightAlignedLabels)
        c.Label(n)->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    c.Label(6)->setFixedWidth(481);
    c.MediaHint = new QLabel(window);
    c.MediaHint->setObjectName("MediaHint");
    c.MediaHint->setAlignment(Qt::AlignCenter);
    c.MediaHint->setWordWrap(true);
    c.MediaHint->setAttribute(Qt::WA_TranslucentBackground);
    return c;
}

void ApplySkinLayout(MainControls& c, const SkinLayout& layout) {
    c.ImageMain->ApplySkin(layout.ImageMain);
    c.ImageMain->lower();
    place(c.ListViewFiles, layout.ListViewFiles);
    place(c.editOutputFileName, layout.editOutputFileName);
    if (c.ScrollBox)
        c.ScrollBox->ApplySkin(layout);
    if (c.MediaHint) {
        const SkinRect& r = layout.ScrollBox;
        c.MediaHint->setGeometry(r.left + 12, r.top + 8, r.width - 24, r.height - 16);
        // Under the panel, which covers it whenever it is shown.
        if (c.ScrollBox)
            c.MediaHint->stackUnder(c.ScrollBox);
    }
    for (int i = 0; i < kToolbarButtonCount; ++i) {
        c.ToolbarButtons[static_cast<size_t>(i)]->ApplySkin(
            layout.ToolbarButtons[static_cast<size_t>(i)]);
        c.ToolbarButtons[static_cast<size_t>(i)]->update();
    }
    for (int i = 0; i < kToolbarLineCount; ++i)
        c.ToolbarImageLines[static_cast<size_t>(i)]->ApplySkin(
            layout.ToolbarImageLines[static_cast<size_t>(i)]);
    for (int i = 0; i < kMainButtonCount; ++i)
        c.MainButtons[static_cast<size_t>(i)]->ApplySkin(
            layout.MainButtons[static_cast<size_t>(i)]);
    for (int i = 0; i < kSystemButtonCount; ++i)
        c.SystemButtons[static_cast<size_t>(i)]->ApplySkin(
            layout.SystemButtons[static_cast<size_t>(i)]);
    for (int i = 0; i < kWindowLabelCount; ++i) {
        QLabel* label = c.Labels[static_cast<size_t>(i)];
        const SkinPoint& at = layout.Labels[static_cast<size_t>(i)];
        label->adjustSize();
        label->move(at.left, at.top);
    }
    // The right-aligned captions end where the design text ends, measured from the skin's left.
    const SkinLayout design = DesignSkinLayout();
    for (size_t k = 0; k < kRightAlignedLabels.size(); ++k) {
        const int n = kRightAlignedLabels[k];
        const int designLeft = design.Labels[static_cast<size_t>(n - 1)].left;
        const int left = layout.Labels[static_cast<size_t>(n - 1)].left;
        c.Label(n)->setProperty("rightEdge", left + (kDesignRightEdges[k] - designLeft));
        AlignLabelRight(c.Label(n), c.Label(n)->property("rightEdge").toInt());
    }
}

void ApplySkinPalette(MainControls& c, const SkinPalette& palette) {
    for (QLabel* label : c.Labels) {
        QPalette p = label->palette();
        p.setColor(QPalette::WindowText, palette.labelText);
        label->setPalette(p);
    }
    auto color = [&](TImageButton* b) {
        b->SetCaptionColors(palette.buttonText, palette.buttonTextDisabled);
    };
    for (TImageButton* b : c.ToolbarButtons)
        color(b);
    for (TImageButton* b : c.MainButtons)
        color(b);
    if (c.ScrollBox)
        c.ScrollBox->SetSkinPalette(palette);
    if (c.MediaHint) {
        QColor quiet = palette.panelText;
        quiet.setAlphaF(0.45f);
        QPalette p = c.MediaHint->palette();
        p.setColor(QPalette::WindowText, quiet);
        c.MediaHint->setPalette(p);
    }
    // The list and the boxes: light wells with the skin's accent for what is selected.
    for (QWidget* field : {c.ListViewFiles, c.editOutputFileName}) {
        if (!field)
            continue;
        QPalette p = field->palette();
        p.setColor(QPalette::Base, palette.field);
        p.setColor(QPalette::Text, palette.fieldText);
        p.setColor(QPalette::Highlight, palette.selection);
        p.setColor(QPalette::HighlightedText, palette.selectionText);
        field->setPalette(p);
    }
}

void PlaceVersionLabel(MainControls& c) {
    QLabel* title = c.Label(1);
    title->adjustSize();
    c.Label(2)->adjustSize();
    c.Label(2)->move(title->x() + title->width() + 4, c.Label(2)->y());
}

void AlignLabelRight(QLabel* label, int rightEdge) {
    label->adjustSize();
    label->move(rightEdge - label->width(), label->y());
}

void HideToolbar(MainControls& c) {
    for (TImageButton* b : c.ToolbarButtons)
        b->hide();
    c.MainButton(7)->hide();
    c.MainButton(8)->hide();
}

void ShiftForHiddenToolbar(MainControls& c) {
    moveUp(c.ListViewFiles, 80);
    moveUp(c.Label(3), 80);
    for (int n = 1; n <= 5; ++n)
        moveUp(c.MainButton(n), 80);
    moveUp(c.MainButton(7), 78);
    moveUp(c.MainButton(8), 78);
    moveUp(c.MainButton(9), 35);
    if (c.ListViewFiles)
        c.ListViewFiles->resize(c.ListViewFiles->width(), c.ListViewFiles->height() + 60);
}

bool StrictlyInside(const QRect& r, const QPoint& p) {
    return r.left() < p.x() && p.x() < r.left() + r.width() && r.top() < p.y() &&
           p.y() < r.top() + r.height();
}

bool InTitleArea(const QRect& window, const QRect& systemButton, const QPoint& screenPos) {
    return window.left() < screenPos.x() && screenPos.x() < window.left() + window.width() &&
           window.top() < screenPos.y() &&
           screenPos.y() < window.top() + systemButton.top() + systemButton.height() + 5;
}

} // namespace quillabe
