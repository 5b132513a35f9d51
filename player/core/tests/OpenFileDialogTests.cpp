// GetOpenFileNameA of the host: the classic answer formats (one path; folder and short names),
// 8.3 names for long host names, the buffer limit with FNERR_BUFFERTOOSMALL, the checks behind
// OFN_FILEMUSTEXIST, and the real Qt dialog: a DOS path typed into its name field, names in
// another case, folders shown as drives and DOS paths, and no way out of the prefix's drives.
#include "DialogFrameCheck.h"
#include "ModalDialog.h"
#include "TempPrefix.h"
#include "host/DialogResponder.h"
#include "host/HostPaths.h"
#include "host/commdlg.h"

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

namespace {

constexpr char player_filters[] = "movie file (*.mpg;*.dat;*.avi;*.mov;*.flc;*.fli )\0"
                                  "*.mpg;*.dat;*.avi;*.mov;*.fli;*.flc\0"
                                  "all file (*.*)\0"
                                  "*.*\0";
constexpr DWORD player_flags = OFN_ALLOWMULTISELECT | OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;

// The request the player makes of the real dialog, answered into `buffer`.
OPENFILENAMEA player_request(char* buffer, DWORD size) {
    OPENFILENAMEA ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.lpstrFilter = player_filters;
    ofn.lpstrFile = buffer;
    ofn.nMaxFile = size;
    ofn.Flags = player_flags;
    return ofn;
}

class OpenFileDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        for (char const* path : {"C:\\CLIPS\\A.MPG", "C:\\CLIPS\\B.DAT", "C:\\CLIPS\\C.AVI", "C:\\A.MPG",
                                 "C:\\B.MPG", "C:\\OTHER\\X.MPG"})
            prefix.write(path, "");
    }

    // Runs the dialog as the player does, the responder answering with `files`.
    BOOL run(std::optional<std::vector<std::string>> files, DWORD flags = player_flags) {
        responder.open_file_answers.push_back(std::move(files));
        std::memset(buffer, 'x', sizeof buffer);
        buffer[0] = '\0';
        ofn = OPENFILENAMEA{};
        ofn.lStructSize = sizeof ofn;
        ofn.lpstrFilter = player_filters;
        ofn.nFilterIndex = 1;
        ofn.lpstrFile = buffer;
        ofn.nMaxFile = max_file;
        ofn.lpstrTitle = "Open File (Notice: MultiSelection Available)";
        ofn.Flags = flags;
        ofn.lpstrDefExt = "*";
        return GetOpenFileNameA(&ofn);
    }

    TempPrefix prefix;
    host::RecordingDialogResponder responder;
    host::ScopedDialogResponder scoped{responder};
    char buffer[2048];
    DWORD max_file = 2048;
    OPENFILENAMEA ofn{};
};

TEST_F(OpenFileDialog, answers_in_the_classic_format) {
    struct Case {
        char const* name;
        std::vector<std::string> chosen;
        char const* answer;
        WORD file_offset;
        WORD extension_offset;
    };
    const Case cases[] = {
        {"one file: its full path", {"C:\\CLIPS\\A.MPG"}, "C:\\CLIPS\\A.MPG", 9, 11},
        {"names typed in another case come back as the disk has them",
         {"c:\\clips\\a.mpg"},
         "C:\\CLIPS\\A.MPG",
         9,
         11},
        {"three files: the folder, then a space and each name",
         {"C:\\CLIPS\\A.MPG", "C:\\CLIPS\\B.DAT", "C:\\CLIPS\\C.AVI"},
         "C:\\CLIPS A.MPG B.DAT C.AVI",
         9,
         0},
        {"a root folder keeps its backslash", {"C:\\A.MPG", "C:\\B.MPG"}, "C:\\ A.MPG B.MPG", 4, 0},
        {"one file in the root", {"C:\\A.MPG"}, "C:\\A.MPG", 3, 5},
        {"the wildcard default extension completes a name typed without one",
         {"C:\\CLIPS\\B"},
         "C:\\CLIPS\\B.DAT",
         9,
         11},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        ASSERT_TRUE(run(c.chosen));
        EXPECT_STREQ(buffer, c.answer);
        EXPECT_EQ(ofn.nFileOffset, c.file_offset);
        EXPECT_EQ(ofn.nFileExtension, c.extension_offset);
        EXPECT_EQ(CommDlgExtendedError(), 0u);
    }
}

TEST_F(OpenFileDialog, long_host_names_come_back_as_short_names_that_resolve_to_the_same_files) {
    prefix.write("C:\\My Movies\\Summer holiday.mpg", "one");
    prefix.write("C:\\My Movies\\second clip.mpg", "two");
    ASSERT_TRUE(
        run(std::vector<std::string>{"C:\\My Movies\\Summer holiday.mpg", "C:\\My Movies\\second clip.mpg"}));

    const std::string answer = buffer;
    const std::string folder = "C:\\" + host::short_name_of("My Movies");
    EXPECT_EQ(answer, folder + " " + host::short_name_of("Summer holiday.mpg") + " " +
                          host::short_name_of("second clip.mpg"));
    EXPECT_EQ(std::count(answer.begin(), answer.end(), ' '), 2) << "short names hold no spaces";
    EXPECT_EQ(prefix.read(folder + "\\" + host::short_name_of("Summer holiday.mpg")), "one");
    EXPECT_EQ(prefix.read(folder + "\\" + host::short_name_of("second clip.mpg")), "two");
}

TEST_F(OpenFileDialog, explorer_style_separates_long_names_with_nul_characters) {
    prefix.write("C:\\My Movies\\Summer holiday.mpg", "");
    prefix.write("C:\\My Movies\\b.mpg", "");
    ASSERT_TRUE(run(std::vector<std::string>{"C:\\My Movies\\Summer holiday.mpg", "C:\\My Movies\\b.mpg"},
                    player_flags | OFN_EXPLORER));
    std::string expected = "C:\\My Movies";
    for (char const* name : {"Summer holiday.mpg", "b.mpg"})
        expected += std::string(1, '\0') + name;
    expected += std::string(2, '\0');
    EXPECT_EQ(std::string(buffer, expected.size()), expected);
}

TEST_F(OpenFileDialog, cancel_returns_false_with_no_error_and_shows_what_was_asked) {
    EXPECT_FALSE(run(std::nullopt));
    EXPECT_EQ(CommDlgExtendedError(), 0u);
    ASSERT_EQ(responder.open_file_requests.size(), 1u);
    host::OpenFileRequest const& request = responder.open_file_requests[0];
    EXPECT_EQ(request.title, "Open File (Notice: MultiSelection Available)");
    EXPECT_EQ(request.flags, 0x1A00u);
    EXPECT_EQ(request.filter_index, 1u);
    EXPECT_EQ(request.default_extension, "*");
    const std::vector<std::pair<std::string, std::string>> filters{
        {"movie file (*.mpg;*.dat;*.avi;*.mov;*.flc;*.fli )", "*.mpg;*.dat;*.avi;*.mov;*.fli;*.flc"},
        {"all file (*.*)", "*.*"}};
    EXPECT_EQ(request.filters, filters);
}

TEST_F(OpenFileDialog, a_selection_that_does_not_fit_fails_with_the_size_it_needs_in_the_first_two_bytes) {
    max_file = 10; // "C:\CLIPS\A.MPG" needs 15 characters with its terminator
    EXPECT_FALSE(run(std::vector<std::string>{"C:\\CLIPS\\A.MPG"}));
    EXPECT_EQ(CommDlgExtendedError(), FNERR_BUFFERTOOSMALL);
    EXPECT_EQ(static_cast<unsigned char>(buffer[0]), 15);
    EXPECT_EQ(static_cast<unsigned char>(buffer[1]), 0);
    EXPECT_EQ(buffer[2], 'x') << "nothing else is written";

    max_file = 15; // exactly enough
    EXPECT_TRUE(run(std::vector<std::string>{"C:\\CLIPS\\A.MPG"}));
    EXPECT_STREQ(buffer, "C:\\CLIPS\\A.MPG");
}

TEST_F(OpenFileDialog, answers_the_dialog_cannot_give_fail_with_an_invalid_file_name) {
    struct Case {
        char const* name;
        std::vector<std::string> chosen;
        DWORD flags;
    };
    const Case cases[] = {
        {"a file that does not exist", {"C:\\CLIPS\\NONE.MPG"}, player_flags},
        {"a folder that does not exist", {"C:\\NOWHERE\\A.MPG"}, player_flags},
        {"a folder where a file must be", {"C:\\CLIPS"}, player_flags},
        {"several files without multiselection", {"C:\\CLIPS\\A.MPG", "C:\\CLIPS\\B.DAT"}, OFN_FILEMUSTEXIST},
        {"files from two folders", {"C:\\CLIPS\\A.MPG", "C:\\OTHER\\X.MPG"}, player_flags},
        {"a drive that does not exist", {"Q:\\A.MPG"}, player_flags},
        {"nothing chosen", {}, player_flags},
    };
    for (Case const& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_FALSE(run(c.chosen, c.flags));
        EXPECT_EQ(CommDlgExtendedError(), FNERR_INVALIDFILENAME);
    }
}

TEST_F(OpenFileDialog, a_wrong_structure_size_or_missing_buffer_fails_before_any_dialog) {
    OPENFILENAMEA bad{};
    bad.lStructSize = sizeof bad - 4;
    bad.lpstrFile = buffer;
    bad.nMaxFile = sizeof buffer;
    EXPECT_FALSE(GetOpenFileNameA(&bad));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_STRUCTSIZE);
    bad.lStructSize = sizeof bad;
    bad.lpstrFile = nullptr;
    EXPECT_FALSE(GetOpenFileNameA(&bad));
    EXPECT_EQ(CommDlgExtendedError(), CDERR_INITIALIZATION);
    EXPECT_TRUE(responder.open_file_requests.empty());
}

// The real dialog, with no responder: a user types a DOS path into the name field and presses
// Enter. A folder opens it; a file is the answer.
class RealOpenFileDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        MSG msg;
        PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE); // makes the GUI, so the test's timers run
        ASSERT_NE(QApplication::instance(), nullptr);
    }

    static QFileDialog* shown_dialog() {
        for (QWidget* widget : QApplication::topLevelWidgets())
            if (auto* dialog = qobject_cast<QFileDialog*>(widget); dialog && dialog->isVisible())
                return dialog;
        return nullptr;
    }

    static void type_and_enter(QFileDialog* dialog, QString const& text) {
        auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
        ASSERT_NE(edit, nullptr);
        edit->setText(text);
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
        QApplication::sendEvent(edit, &enter);
    }

    TempPrefix prefix;
    char buffer[2048] = {};
};

TEST_F(RealOpenFileDialog, takes_a_typed_dos_path_and_shows_the_title_and_filters) {
    prefix.write("C:\\CLIPS\\A.MPG", "");
    QString title;
    std::string frame_fault = "never shown";
    QStringList filter_texts;
    run_when([] { return shown_dialog() != nullptr; },
             [&] {
                 QFileDialog* dialog = shown_dialog();
                 title = dialog->windowTitle();
                 frame_fault = dialog_frame_fault(*dialog);
                 if (auto* types = dialog->findChild<QComboBox*>(QStringLiteral("fileTypeCombo")))
                     for (int i = 0; i < types->count(); ++i)
                         filter_texts << types->itemText(i);
                 type_and_enter(dialog, QStringLiteral("C:\\CLIPS"));        // a folder: opens it
                 type_and_enter(dialog, QStringLiteral("c:\\clips\\a.mpg")); // a file: the answer
             });
    ModalSafetyNet safety_net; // never block the test program

    OPENFILENAMEA ofn = player_request(buffer, sizeof buffer);
    ofn.nFilterIndex = 1;
    ofn.lpstrTitle = "Open File (Notice: MultiSelection Available)";
    ASSERT_TRUE(GetOpenFileNameA(&ofn)) << CommDlgExtendedError();
    EXPECT_STREQ(buffer, "C:\\CLIPS\\A.MPG");
    EXPECT_EQ(title, "Open File (Notice: MultiSelection Available)");
    EXPECT_EQ(frame_fault, "");
    EXPECT_EQ(filter_texts,
              QStringList({"movie file (*.mpg;*.dat;*.avi;*.mov;*.flc;*.fli )", "all file (*.*)"}));
}

TEST_F(RealOpenFileDialog, several_names_picked_in_one_folder_come_back_in_the_classic_format) {
    prefix.write("C:\\CLIPS\\A.MPG", "");
    prefix.write("C:\\CLIPS\\b.mpg", "");
    run_when([] { return shown_dialog() != nullptr; },
             [&] {
                 QFileDialog* dialog = shown_dialog();
                 type_and_enter(dialog, QStringLiteral("C:\\CLIPS"));
                 type_and_enter(dialog, QStringLiteral("\"A.MPG\" \"b.mpg\""));
             });
    ModalSafetyNet safety_net;

    OPENFILENAMEA ofn = player_request(buffer, sizeof buffer);
    ASSERT_TRUE(GetOpenFileNameA(&ofn)) << CommDlgExtendedError();
    EXPECT_STREQ(buffer, "C:\\CLIPS A.MPG B.MPG");
}

// What the real dialog shows and allows while it runs, looked at from inside its loop.
struct DialogLook {
    bool open_enabled_for_other_case = false;
    QStringList look_in;
    QStringList sidebar;
    QString folder_after_parent_of_root;
};

// The rows a list shows (hidden ones left out).
QStringList shown_rows(QAbstractItemView const* view) {
    QStringList rows;
    auto const* list = qobject_cast<QListView const*>(view);
    QAbstractItemModel const* model = view ? view->model() : nullptr;
    for (int row = 0; model && row < model->rowCount(); ++row)
        if (!list || !list->isRowHidden(row))
            rows << model->data(model->index(row, 0), Qt::DisplayRole).toString();
    return rows;
}

TEST_F(RealOpenFileDialog, names_match_without_case_folders_read_as_dos_and_the_drives_are_not_left) {
    prefix.write("C:\\MOVIES\\pal.mpg", "");
    // Without the drive of the whole Linux file system, the folder above C:'s root is on no drive.
    std::filesystem::remove(prefix.root() / "dosdevices" / "z:");
    const std::string movies = host::host_path_of("C:\\MOVIES").value_or("").string();
    const std::string drive_root = host::host_path_of("C:\\").value_or("").string();
    ASSERT_FALSE(movies.empty());
    DialogLook look;
    run_when([] { return shown_dialog() != nullptr; },
             [&] {
                 QFileDialog* dialog = shown_dialog();
                 dialog->setDirectory(QString::fromStdString(movies));
                 auto* edit = dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
                 auto* buttons = dialog->findChild<QDialogButtonBox*>(QStringLiteral("buttonBox"));
                 auto* open = buttons ? buttons->button(QDialogButtonBox::Open) : nullptr;
                 if (!edit || !open)
                     return;
                 edit->setText(QStringLiteral("PAL.MPG"));
                 pump_pending();
                 look.open_enabled_for_other_case = open->isEnabled();
                 if (auto* combo = dialog->findChild<QComboBox*>(QStringLiteral("lookInCombo"))) {
                     combo->showPopup(); // lists the folders up to the drive's root and the history
                     pump_pending();
                     look.look_in = QStringList{combo->currentText()} + shown_rows(combo->view());
                     combo->hidePopup();
                 }
                 if (auto* sidebar = dialog->findChild<QAbstractItemView*>(QStringLiteral("sidebar")))
                     look.sidebar = shown_rows(sidebar);
                 // Up from the drive's root: the Linux folder above it is not entered.
                 dialog->setDirectory(QString::fromStdString(drive_root));
                 dialog->setDirectory(QString::fromStdString(drive_root + "/.."));
                 pump_pending();
                 look.folder_after_parent_of_root = dialog->directory().absolutePath();
                 dialog->setDirectory(QString::fromStdString(movies));
                 edit->setText(QStringLiteral("PAL.MPG"));
                 pump_pending();
                 open->click();
             });
    ModalSafetyNet safety_net;

    OPENFILENAMEA ofn = player_request(buffer, sizeof buffer);
    ASSERT_TRUE(GetOpenFileNameA(&ofn)) << CommDlgExtendedError();
    EXPECT_STREQ(buffer, "C:\\MOVIES\\PAL.MPG");
    EXPECT_TRUE(look.open_enabled_for_other_case) << "Open is enabled for a name Enter takes";
    ASSERT_FALSE(look.look_in.isEmpty());
    EXPECT_EQ(look.look_in.front(), "C:\\MOVIES");
    EXPECT_FALSE(look.sidebar.isEmpty());
    EXPECT_TRUE(look.look_in.contains(QStringLiteral("(C:)"))) << look.look_in.join(", ").toStdString();
    for (QString const& row : look.look_in + look.sidebar) {
        EXPECT_FALSE(row.contains('/')) << row.toStdString();
        EXPECT_NE(row, QStringLiteral("Computer")) << "the computer's root is on no drive";
    }
    EXPECT_TRUE(std::ranges::any_of(look.sidebar, [](QString const& row) { return row.endsWith("(C:)"); }))
        << look.sidebar.join(", ").toStdString();
    EXPECT_EQ(std::filesystem::canonical(look.folder_after_parent_of_root.toStdString()),
              std::filesystem::canonical(drive_root));
}

} // namespace
