// The Qt model over the file list stays in step with the list through every kind of change: Qt's
// own model checker watches the signals, and after each change every row is compared.

#include "ui/main/FileListModel.h"

#include "core/GlobalVars.h"
#include "core/MessageDialogs.h"
#include "support/TempDir.h"
#include "ui/main/FileListView.h"

#include <QAbstractItemModelTester>
#include <QCoreApplication>

#include <gtest/gtest.h>

using namespace quillabe;

namespace {

std::vector<std::string>* modelWarnings = nullptr;

void recordWarnings(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (modelWarnings && type != QtDebugMsg && type != QtInfoMsg)
        modelWarnings->push_back(text.toStdString());
}

class FileListModelSync : public ::testing::Test {
protected:
    void SetUp() override {
        ResetGlobalVars();
        GlobalVars.InputFileTypes.Add("Video=*.avi");
        SetMessageDialogHandler(std::make_shared<ScriptedMessageDialogs>());
        modelWarnings = &warnings_;
        previous_ = qInstallMessageHandler(recordWarnings);
        tester_ = std::make_unique<QAbstractItemModelTester>(
            &model_, QAbstractItemModelTester::FailureReportingMode::Warning);
        view_.setModel(&model_);
    }
    void TearDown() override {
        tester_.reset();
        qInstallMessageHandler(previous_);
        modelWarnings = nullptr;
        SetMessageDialogHandler(nullptr);
        ResetGlobalVars();
    }

    std::string File(int n) { return dir_.Write("f" + std::to_string(n) + ".avi", "x"); }

    // Every row of the model and of the view shows the list's entry at that place.
    void ExpectInStep(const char* after) {
        SCOPED_TRACE(after);
        const FileList& list = model_.List();
        ASSERT_EQ(model_.rowCount(), static_cast<int>(list.Count()));
        ASSERT_EQ(view_.model()->rowCount(), static_cast<int>(list.Count()));
        for (int row = 0; row < model_.rowCount(); ++row) {
            const FileEntry& entry = list.At(static_cast<size_t>(row));
            EXPECT_EQ(
                model_.index(row, 0).data(FileListModel::PathRole).toByteArray().toStdString(),
                entry.caption);
            EXPECT_EQ(model_.index(row, 3).data().toString().toStdString(), entry.item.Format);
            EXPECT_EQ(model_.index(row, 0).data(FileListModel::StateRole).toInt(),
                      static_cast<int>(entry.state));
        }
        EXPECT_TRUE(warnings_.empty()) << warnings_.front();
    }

    test::TempDir dir_;
    FileListModel model_{[](const std::string&, TFileItem& item) {
        item.CompleteName = item.FilePath + item.FileName;
        item.FileSize = "1";
        item.Format = item.FileName;
        return true;
    }};
    FileListView view_;
    std::vector<std::string> warnings_;
    QtMessageHandler previous_ = nullptr;
    std::unique_ptr<QAbstractItemModelTester> tester_;
};

TEST_F(FileListModelSync, EveryChange) {
    FileList& list = model_.List();
    int changes = 0;
    QObject::connect(&model_, &FileListModel::listChanged, [&] { ++changes; });
    for (int i = 0; i < 8; ++i)
        list.AddFile(File(i));
    ExpectInStep("adding");
    EXPECT_EQ(changes, 8);

    list.DeleteEntries({1, 2, 5, 7}); // two runs and two single entries
    ExpectInStep("deleting");
    list.MoveListItem(0, false);
    list.MoveListItem(3, true);
    ExpectInStep("moving by keys");
    list.MoveEntry(0, static_cast<int>(list.Count()));
    list.MoveEntry(2, 0);
    list.MoveEntry(1, 1);
    ExpectInStep("moving by dragging");
    list.SetFileState(list.At(1).caption, TFileState::Done);
    list.SetFileState(list.At(0).caption, TFileState::Failed);
    ExpectInStep("states");
    list.ResetFileStates();
    ExpectInStep("states reset");

    // An add made by the events that run before another add.
    list.SetBeforeAddHook([&] {
        if (list.IndexOf(dir_.File("f20.avi")) < 0)
            list.AddFile(File(20));
    });
    list.AddFile(File(21));
    list.SetBeforeAddHook({});
    ExpectInStep("an add inside an add");
    EXPECT_EQ(list.Count(), 6u);

    list.Clear();
    ExpectInStep("clearing");
    list.ResetFileStates(); // on an empty list
    list.AddFile(File(30));
    ExpectInStep("adding after clearing");
}

TEST_F(FileListModelSync, ColumnsAreThePathAndTheSixteenFields) {
    model_.List().AddFile(File(1));
    EXPECT_EQ(model_.columnCount(), 17);
    EXPECT_EQ(model_.index(0, 0).data().toString().toStdString(), dir_.File("f1.avi"));
    EXPECT_EQ(model_.index(0, 1).data().toString().toStdString(), dir_.File("f1.avi"));
    EXPECT_EQ(model_.index(0, 2).data().toString(), "1");
    EXPECT_EQ(model_.headerData(0, Qt::Horizontal).toString(), "File Name");
    EXPECT_EQ(model_.headerData(16, Qt::Horizontal).toString(), "Sampling Rate:");
    EXPECT_FALSE(model_.flags(model_.index(0, 0)) & Qt::ItemIsEditable);
    // Only the path shows; the fields are there for whoever reads the model.
    EXPECT_FALSE(view_.isColumnHidden(0));
    for (int c = 1; c < 17; ++c)
        EXPECT_TRUE(view_.isColumnHidden(c)) << c;
}

} // namespace
