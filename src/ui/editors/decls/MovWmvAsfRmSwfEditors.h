#pragma once
// The MOV, WMV, RM, SWF and ASF editors (formats 4, 5, 6, 7 and 9): each a declaration of its
// codec lists, pages, tables and maxima in MovWmvAsfRmSwfEditors.cpp, built by BuildVideoEditor.

#include "profiles/MovWmvAsfRmSwfSettings.h"
#include "ui/editors/decls/VideoEditorDecl.h"
#include "ui/editors/frame/ProfileEditorFrame.h"

#include <memory>

class QWidget;

namespace quillabe {

// The editor of the format, or none when the format is not one of these.
std::unique_ptr<TProfileEditor> CreateMovWmvAsfRmSwfEditor(int formatIndex, QWidget* owner);

const VideoEditorDecl<TMovSettings>& MovEditorDecl();
const VideoEditorDecl<TWmvSettings>& WmvEditorDecl();
const VideoEditorDecl<TAsfSettings>& AsfEditorDecl();
const VideoEditorDecl<TRmSettings>& RmEditorDecl();
const VideoEditorDecl<TSwfSettings>& SwfEditorDecl();

class TfrmMovProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmMovProfile(QWidget* owner);
};

class TfrmWmvProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmWmvProfile(QWidget* owner);
};

class TfrmAsfProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmAsfProfile(QWidget* owner);
};

class TfrmRMProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmRMProfile(QWidget* owner);
};

class TfrmSwfProfile : public TProfileEditorFrame {
    Q_OBJECT
public:
    explicit TfrmSwfProfile(QWidget* owner);
};

} // namespace quillabe
