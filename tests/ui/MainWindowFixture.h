#pragma once
// A main window in a program folder of its own: the type table, an optional skin file, the
// scripted answerer for every message, recorded shell opens, answered file dialogs and a probe
// that accepts every file but those named "bad".

#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "core/StartupConstants.h"
#include "lang/Messages.h"
#include "support/TempDir.h"
#include "ui/main/FileDialogs.h"
#include "ui/main/FileListModel.h"
#include "ui/main/FileListPanel.h"
#include "ui/main/FileListView.h"
#include "ui/main/OutputFolderBox.h"
#include "ui/main/ShellOpen.h"
#include "ui/main/TfrmMain.h"
#include "ui/skin/TImageButton.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

namespace quillabe::test {

class MainWindowFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        ResetMessages();
        SetStartupConstants();
        home_.Dir().Write(LangDir + "/type_english.dat",
                          "[InputFileTypes]\nVideo files=*.avi;*.mp4\nAudio files=*.wav;*.mp3\n");
        SetMessageDialogHandler(dialogs_);
        SetShellOpenHandler([this](const QUrl& url) { opened_.push_back(url); });
    }
    void TearDown() override {
        window_.reset();
        SetMessageDialogHandler(nullptr);
        SetShellOpenHandler({});
        SetFileDialogHooks({});
        ResetGlobalVars();
        ResetMessages();
    }

    // Accepts every file but those whose name holds "bad"; the fields tell the files apart.
    static ProbeFunction FakeProbe() {
        return [](const std::string& path, TFileItem& item) {
            item.CompleteName = path;
            item.FileSize = "1";
            item.Format = item.FileName;
            return item.FileName.find("bad") == std::string::npos;
        };
    }

    void WriteSkin(const std::string& text) { home_.Dir().Write(SkinIniFile, text); }

    TfrmMain& Window() {
        if (!window_)
            window_ = std::make_unique<TfrmMain>(nullptr, FakeProbe());
        return *window_;
    }
    // Shown and active, so that its keyboard shortcuts work.
    TfrmMain& ActiveWindow() {
        TfrmMain& w = Window();
        w.show();
        w.activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&w));
        return w;
    }

    std::string Media(const std::string& name) { return files_.Write(name, "media"); }

    // The list's file names in order.
    std::vector<std::string> Names() {
        std::vector<std::string> names;
        const FileList& list = Window().Files()->List();
        for (size_t i = 0; i < list.Count(); ++i)
            names.push_back(list.At(i).item.FileName);
        return names;
    }
    std::vector<int> Selected() { return Window().Files()->View()->SelectedRows(); }
    std::string Summary() { return Window().Controls().Label(6)->text().toStdString(); }

    ProgramHome home_;
    TempDir files_;
    std::shared_ptr<ScriptedMessageDialogs> dialogs_ = std::make_shared<ScriptedMessageDialogs>();
    std::vector<QUrl> opened_;
    std::unique_ptr<TfrmMain> window_;
};

} // namespace quillabe::test
